#pragma once
// Finding the USB label printer: the usblp nodes the kernel presents under
// /sys/class/usbmisc, matched by the vendor and product of the USB device above
// them. The roots are parameters so tests can lay out a fake tree.

#include <QString>
#include <QStringList>

namespace kestrix {

struct PrinterLocation {
    QString sysfsRoot = QStringLiteral("/sys");
    QString devRoot = QStringLiteral("/dev");
};

// Device addresses of printers without a usblp node start with this; the rest is
// "BUS:ADDRESS", written through libusb.
inline constexpr char kRawUsbPrefix[] = "usb:";

// "vid_28e9&pid_0285" from the sysfs idVendor and idProduct texts.
QString VidPidText(const QString& idVendor, const QString& idProduct);
// Whether a vid/pid text names one of the two supported printers, case ignored.
bool IsSupportedPrinter(const QString& vidPid);

// Every supported printer: the usblp nodes /dev/usb/lpN by ascending N, then
// "usb:BUS:ADDRESS" of each supported printer that has no usblp node.
QStringList FindPrinterDevicePaths(const PrinterLocation& where = {});
// The first of them, or an empty text.
QString FindPrinterDevicePath(const PrinterLocation& where = {});

}  // namespace kestrix
