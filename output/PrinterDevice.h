#pragma once
// The open printer for one job: a usblp device node (or any writable file), or
// a printer without a usblp node reached through libusb. Opening never waits
// for a busy printer, and a write that makes no progress for a while fails
// instead of hanging the program.

#include <QByteArrayView>
#include <QString>
#include <memory>

namespace kestrix {

class RawUsbPrinter;

class PrinterDevice {
public:
    static constexpr int kDefaultTimeoutMs = 10000;

    explicit PrinterDevice(int timeoutMs = kDefaultTimeoutMs);
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;
    ~PrinterDevice();

    // Opens a path that FindPrinterDevicePath gave, or a file (appended to).
    // On failure `error` says why ("printer busy", ...).
    bool Open(const QString& path, QString* error);
    // Sends all of `data` in order; a failed or short write fails.
    bool Write(QByteArrayView data, QString* error);
    void Close();
    bool IsOpen() const;

private:
    bool WriteFile(QByteArrayView data, QString* error);

    int timeoutMs_;
    int fd_ = -1;
    QString path_;
    std::unique_ptr<RawUsbPrinter> usb_;
};

}  // namespace kestrix
