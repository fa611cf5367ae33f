#pragma once
// A label printer shared through CUPS: the stream goes to the queue as one raw
// job (format application/vnd.cups-raw), which the scheduler passes to the
// printer untouched. The scheduler spools what it is given, so a printer that
// stops taking data holds up the queue, not this job.

#include <QByteArray>

#include "output/PrinterTransport.h"

typedef struct _http_s http_t;

namespace kestrix {

class CupsRawJob : public PrinterTransport {
public:
    // The scheduler must answer every question (connect, create the job,
    // confirm it) within `answerWaitMs`.
    explicit CupsRawJob(const QString& queue, int answerWaitMs = kAnswerWaitMs);
    ~CupsRawJob() override { Close(); }

    // Creates the job on the queue and starts its document; on failure `error`
    // says why (CUPS not running, no such queue, ...).
    bool Open(QString* error) override;
    // What the scheduler takes of `data` within `waitMs`.
    qint64 Write(QByteArrayView data, int waitMs, QString* error) override;
    // The scheduler holds the printer and passes no state on.
    std::unique_ptr<StatusQuery> AskStatus() override;
    // Ends the document and asks the scheduler for the job: one it did not
    // receive whole, or cancelled or aborted, is a failure (and withdrawn);
    // one held, or waiting on a stopped queue, a warning.
    bool Finish(QString* error) override;
    QString Warning() const override { return warning_; }
    bool TakesJobWhole() const override { return true; }
    // A job not finished is withdrawn, so the printer gets none of it rather
    // than part; unless the scheduler, its connection lost, closed the
    // document itself and prints what it holds (PartKept).
    void Close() override;
    KeptPart PartKept() const override { return partKept_; }

private:
    // `why`, or the scheduler's last error; the job is withdrawn.
    bool Fail(QString* error, const QString& why = {});
    // Asks what became of the unfinished job: withdrawn, or kept short.
    void KeepOrWithdraw();

    // An instance is a set of options, which a raw job has no use for.
    const QByteArray queue_;
    const int answerWaitMs_;
    http_t* http_ = nullptr;
    int job_ = 0;
    bool finished_ = false;
    qint64 written_ = 0;
    QString warning_;
    KeptPart partKept_;
};

}  // namespace kestrix
