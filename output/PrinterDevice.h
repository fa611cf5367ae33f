#pragma once
// The open printer for one job: a usblp device node (or any writable file), or
// a printer without a usblp node reached through libusb. Opening never waits
// for a busy printer; a printer that stops taking data is waited for under the
// job's StallWatch.

#include <QByteArrayView>
#include <QString>
#include <memory>

#include "output/StallWatch.h"

namespace kestrix {

class RawUsbPrinter;

class PrinterDevice {
public:
    PrinterDevice();
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;
    ~PrinterDevice();

    // Opens a path that FindPrinterDevicePath gave, or a file (appended to).
    // On failure `error` says why ("printer busy", ...).
    bool Open(const QString& path, QString* error);
    // Sends all of `data` in order, waiting on a stalled printer as `watch` rules.
    StallWatch::Outcome Write(QByteArrayView data, StallWatch& watch, QString* error);
    // One try, a StallWatch::Step: what the printer takes within `waitMs`.
    qint64 TryWrite(QByteArrayView data, int waitMs, QString* error);
    void Close();
    bool IsOpen() const;

private:
    int fd_ = -1;
    QString path_;
    std::unique_ptr<RawUsbPrinter> usb_;
};

}  // namespace kestrix
