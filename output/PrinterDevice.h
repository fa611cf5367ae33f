#pragma once
// The open printer for one job, through the PrinterTransport its address
// calls for. Opening never waits for a busy printer; a printer that stops
// taking data is waited for under the job's StallWatch, which asks its state
// while the stall lasts.

#include <QByteArrayView>
#include <QString>
#include <memory>

#include "output/PrinterTransport.h"
#include "output/StallWatch.h"

namespace kestrix {

struct PrinterAddress;

class PrinterDevice {
public:
    PrinterDevice() = default;
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;
    ~PrinterDevice() { Close(); }

    // Opens a path that FindPrinterDevicePath gave, or a file (appended to).
    // On failure `error` says why ("printer busy", ...).
    bool Open(const QString& path, QString* error);
    // Opens a path, a network printer or a CUPS queue (a "usb" address must
    // have been searched for first). Takes a few seconds at most; the CUPS
    // scheduler's answers are waited for `answerWaitMs` each.
    bool Open(const PrinterAddress& address, QString* error, int answerWaitMs = PrinterTransport::kAnswerWaitMs);
    // Sends all of `data` in order, waiting on a stalled printer as `watch` rules.
    StallWatch::Outcome Write(QByteArrayView data, StallWatch& watch, QString* error);
    // After the last write: waits, as `watch` rules, until the printer has
    // confirmed every byte; a CUPS job is then handed to the scheduler, which may refuse it.
    StallWatch::Outcome Finish(StallWatch& watch, QString* error);
    void Close();
    bool IsOpen() const { return transport_ != nullptr; }
    // Bytes written that the printer has still to confirm (PrinterTransport::Unconfirmed).
    qint64 Unconfirmed() { return transport_ ? transport_->Unconfirmed() : 0; }
    // Whether nothing counts as printed before Finish (PrinterTransport::TakesJobWhole).
    bool TakesJobWhole() const { return transport_ && transport_->TakesJobWhole(); }
    // PrinterTransport::Warning, empty when none.
    QString Warning() const { return transport_ ? transport_->Warning() : QString(); }
    // PrinterTransport::PartKept of the transport last closed.
    PrinterTransport::KeptPart PartKept() const { return partKept_; }

private:
    // The open printer's state, in the way that leaves the job's bytes alone.
    std::unique_ptr<StatusQuery> AskStatus();
    // The error of a transport, named after the printer.
    void Name(QString* error) const;

    std::unique_ptr<PrinterTransport> transport_;
    PrinterTransport::KeptPart partKept_;
    QString name_;  // the path or address, for messages
};

// Asks the printer at `address` (a "usb" one searched for first) for its state
// once, 3 seconds at most; an error names the printer. No job may be open on it.
PrinterStatus AskPrinterStatus(const PrinterAddress& address);

// The transport for an address (a "usb" one must have been searched for
// first): nothing, and `error` saying why, for a USB address that is none.
// `answerWaitMs` as for PrinterDevice::Open.
std::unique_ptr<PrinterTransport> MakePrinterTransport(const PrinterAddress& address, QString* error,
                                                       int answerWaitMs = PrinterTransport::kAnswerWaitMs);

}  // namespace kestrix
