#pragma once
// A supported printer that has no usblp node, written through libusb: its
// printer-class interface is claimed (the kernel driver detached for the job
// and reattached after) and the stream goes to its bulk OUT endpoint. With no
// job open, the status query goes out there too and the answer comes back on
// the bulk IN endpoint; during a job the printer-class port status is asked.

#include "output/PrinterTransport.h"

struct libusb_context;
struct libusb_device_handle;

namespace kestrix {

class RawUsbPrinter : public PrinterTransport {
public:
    // The device at a bus number and address.
    RawUsbPrinter(int bus, int address) : bus_(bus), address_(address) {}
    ~RawUsbPrinter() override { Close(); }

    bool Open(QString* error) override;
    qint64 Write(QByteArrayView data, int waitMs, QString* error) override;
    std::unique_ptr<StatusQuery> AskStatus() override;
    void Close() override;

private:
    bool Fail(int code, QString* error);

    int bus_;
    int address_;
    libusb_context* context_ = nullptr;
    libusb_device_handle* handle_ = nullptr;
    int interface_ = -1;
    unsigned char endpoint_ = 0;
    unsigned char in_ = 0;
    bool claimed_ = false;
    bool reattach_ = false;
};

}  // namespace kestrix
