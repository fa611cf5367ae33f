#pragma once
// One way of reaching a label printer for a direct print job: a usblp device
// node or a file, a USB printer through libusb, a network printer's raw port or
// a raw job on a CUPS queue. PrinterDevice picks one by the printer's address;
// everything else talks to this interface only.

#include <QByteArrayView>
#include <QString>
#include <memory>

#include "output/StatusQuery.h"

namespace kestrix {

class PrinterTransport {
public:
    // How long the far end (the CUPS scheduler) may leave a question without
    // an answer, unless the run gives up sooner or later: a silent scheduler
    // is told as such within 5 seconds of asking.
    static constexpr int kAnswerWaitMs = 3000;

    PrinterTransport() = default;
    PrinterTransport(const PrinterTransport&) = delete;
    PrinterTransport& operator=(const PrinterTransport&) = delete;
    virtual ~PrinterTransport() = default;

    // Opens the printer for one job without waiting for a busy one; on failure
    // `error` says why ("printer busy", "connection refused", ...).
    virtual bool Open(QString* error) = 0;
    // One try, a StallWatch::Step: how many bytes of `data` the printer took
    // within `waitMs` (0 when none), or -1 with `error` set when it failed.
    virtual qint64 Write(QByteArrayView data, int waitMs, QString* error) = 0;
    // Bytes written that the printer has still to confirm it received (a
    // network printer acknowledges them some time after the system took them).
    virtual qint64 Unconfirmed() { return 0; }
    // A StallWatch::Confirm: how many bytes more the printer confirmed within `waitMs`.
    virtual qint64 Confirm(int, QString*) { return 0; }
    // After the last write: a CUPS job is handed to the scheduler, which may refuse it.
    virtual bool Finish(QString*) { return true; }
    // Whether the printer gets nothing of the job until Finish succeeds (a
    // CUPS job): until then no label of it counts as printed.
    virtual bool TakesJobWhole() const { return false; }
    // After such a job failed and was closed: how many of its first bytes the
    // printer gets all the same (a CUPS job the scheduler kept short), known
    // only between two bounds.
    struct KeptPart {
        qint64 surely = 0;
        qint64 atMost = 0;
    };
    virtual KeptPart PartKept() const { return {}; }
    // What the user should know of a job that went through: a CUPS job that
    // waits on a stopped queue, or is held.
    virtual QString Warning() const { return {}; }
    // Asks the printer's state (PrinterStatus) without touching a job's bytes:
    // while no job is open, with the status query on a channel of its own;
    // during a job only in a way that keeps the job's stream whole, if any.
    // Works with the transport open or closed.
    virtual std::unique_ptr<StatusQuery> AskStatus() = 0;
    // Ends the job; one not finished is dropped where the transport can drop it.
    virtual void Close() = 0;
};

}  // namespace kestrix
