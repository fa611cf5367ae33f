#pragma once
// The open printer for one job: a usblp device node (or any writable file), a
// printer without a usblp node reached through libusb, a network printer's raw
// port or a raw job on a CUPS queue. Opening never waits for a busy printer; a
// printer that stops taking data is waited for under the job's StallWatch.

#include <QByteArrayView>
#include <QString>
#include <memory>

#include "output/StallWatch.h"

namespace kestrix {

class CupsRawJob;
class RawUsbPrinter;
class SocketPrinter;
struct PrinterAddress;

class PrinterDevice {
public:
    PrinterDevice();
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;
    ~PrinterDevice();

    // Opens a path that FindPrinterDevicePath gave, or a file (appended to).
    // On failure `error` says why ("printer busy", ...).
    bool Open(const QString& path, QString* error);
    // Opens a path, a network printer or a CUPS queue (a "usb" address must
    // have been searched for first). Takes a few seconds at most.
    bool Open(const PrinterAddress& address, QString* error);
    // Sends all of `data` in order, waiting on a stalled printer as `watch` rules.
    StallWatch::Outcome Write(QByteArrayView data, StallWatch& watch, QString* error);
    // One try, a StallWatch::Step: what the printer takes within `waitMs`.
    qint64 TryWrite(QByteArrayView data, int waitMs, QString* error);
    // After the last write: a CUPS job is handed to the scheduler, which may refuse it.
    bool Finish(QString* error);
    void Close();
    bool IsOpen() const;

private:
    int fd_ = -1;
    QString name_;  // the path or address, for messages
    std::unique_ptr<RawUsbPrinter> usb_;
    std::unique_ptr<SocketPrinter> socket_;
    std::unique_ptr<CupsRawJob> cups_;
};

}  // namespace kestrix
