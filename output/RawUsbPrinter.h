#pragma once
// A supported printer that has no usblp node, written through libusb: its
// printer-class interface is claimed (the kernel driver detached for the job
// and reattached after) and the stream goes to its bulk OUT endpoint.

#include <QByteArrayView>
#include <QString>

struct libusb_context;
struct libusb_device_handle;

namespace kestrix {

class RawUsbPrinter {
public:
    RawUsbPrinter() = default;
    RawUsbPrinter(const RawUsbPrinter&) = delete;
    RawUsbPrinter& operator=(const RawUsbPrinter&) = delete;
    ~RawUsbPrinter() { Close(); }

    // Opens the device at a bus number and address; on failure `error` says why.
    bool Open(int bus, int address, QString* error);
    // One try, a StallWatch::Step: what the printer takes of `data` within
    // `waitMs` (0 when nothing), or -1 when it failed.
    qint64 Transfer(QByteArrayView data, int waitMs, QString* error);
    void Close();

private:
    bool Fail(const QString& what, int code, QString* error);

    libusb_context* context_ = nullptr;
    libusb_device_handle* handle_ = nullptr;
    int interface_ = -1;
    unsigned char endpoint_ = 0;
    bool claimed_ = false;
    bool reattach_ = false;
};

}  // namespace kestrix
