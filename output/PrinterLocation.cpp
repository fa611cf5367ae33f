#include "output/PrinterLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace kestrix {

namespace {

// In the order they are tested.
constexpr const char16_t* kSupportedPrinters[] = {u"vid_28E9&pid_0285", u"vid_0471&pid_0055"};
// usblp node -> interface -> device: a few levels at most.
constexpr int kMaxLevelsUp = 4;

QString ReadAttribute(const QString& dir, const char* name) {
    QFile file(QDir(dir).filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.read(64)).trimmed();
}

bool IsUsbDevice(const QString& dir) {
    return QFileInfo::exists(dir + QStringLiteral("/idVendor")) &&
           QFileInfo::exists(dir + QStringLiteral("/idProduct"));
}

bool MatchesPrinter(const QString& deviceDir) {
    return IsSupportedPrinter(VidPidText(ReadAttribute(deviceDir, "idVendor"), ReadAttribute(deviceDir, "idProduct")));
}

// The USB device a usblp node belongs to: the first folder above its "device"
// link that carries idVendor and idProduct.
QString UsbDeviceOf(const QString& nodeDir) {
    QString dir = QFileInfo(nodeDir + QStringLiteral("/device")).canonicalFilePath();
    for (int level = 0; level < kMaxLevelsUp && !dir.isEmpty(); ++level) {
        if (IsUsbDevice(dir)) return dir;
        const QString parent = QFileInfo(dir).path();
        if (parent == dir) break;
        dir = parent;
    }
    return {};
}

// lpN numbers in ascending order.
QList<int> LpNumbers(const QString& usbmiscDir) {
    QList<int> numbers;
    const QStringList names = QDir(usbmiscDir).entryList({QStringLiteral("lp*")}, QDir::AllEntries | QDir::System);
    for (const QString& name : names) {
        bool ok = false;
        const int n = name.mid(2).toInt(&ok);
        if (ok && n >= 0) numbers << n;
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// Supported printers' usblp nodes in ascending order, and the USB devices they stand for.
QStringList FindUsblpNodes(const PrinterLocation& where, QStringList& devices) {
    QStringList nodes;
    const QString usbmisc = where.sysfsRoot + QStringLiteral("/class/usbmisc");
    for (int n : LpNumbers(usbmisc)) {
        const QString device = UsbDeviceOf(usbmisc + QStringLiteral("/lp%1").arg(n));
        if (device.isEmpty() || !MatchesPrinter(device)) continue;
        nodes << where.devRoot + QStringLiteral("/usb/lp%1").arg(n);
        devices << device;
    }
    return nodes;
}

// Supported printers that no usblp driver holds (not loaded, or blacklisted),
// other than the `held` devices.
QStringList FindRawUsbPrinters(const PrinterLocation& where, const QStringList& held) {
    QStringList found;
    const QString devices = where.sysfsRoot + QStringLiteral("/bus/usb/devices");
    const QStringList names =
        QDir(devices).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        const QString dir = devices + u'/' + name;
        if (!IsUsbDevice(dir) || !MatchesPrinter(dir) || held.contains(QFileInfo(dir).canonicalFilePath())) continue;
        bool busOk = false, addressOk = false;
        const int bus = ReadAttribute(dir, "busnum").toInt(&busOk);
        const int address = ReadAttribute(dir, "devnum").toInt(&addressOk);
        if (busOk && addressOk)
            found << QString::fromLatin1(kRawUsbPrefix) + QStringLiteral("%1:%2").arg(bus).arg(address);
    }
    return found;
}

}  // namespace

QString VidPidText(const QString& idVendor, const QString& idProduct) {
    return QStringLiteral("vid_%1&pid_%2").arg(idVendor, idProduct);
}

bool IsSupportedPrinter(const QString& vidPid) {
    return std::any_of(std::begin(kSupportedPrinters), std::end(kSupportedPrinters), [&](const char16_t* known) {
        return vidPid.compare(QString::fromUtf16(known), Qt::CaseInsensitive) == 0;
    });
}

QStringList FindPrinterDevicePaths(const PrinterLocation& where) {
    QStringList held;
    const QStringList nodes = FindUsblpNodes(where, held);
    return nodes + FindRawUsbPrinters(where, held);
}

QString FindPrinterDevicePath(const PrinterLocation& where) { return FindPrinterDevicePaths(where).value(0); }

}  // namespace kestrix
