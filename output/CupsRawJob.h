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
    // The scheduler must answer (connect, create the job, confirm it) within this.
    static constexpr int kAnswerTimeoutMs = 4000;

    explicit CupsRawJob(const QString& queue);
    ~CupsRawJob() override { Close(); }

    // Creates the job on the queue and starts its document; on failure `error`
    // says why (CUPS not running, no such queue, ...).
    bool Open(QString* error) override;
    // What the scheduler takes of `data` within `waitMs`.
    qint64 Write(QByteArrayView data, int waitMs, QString* error) override;
    // The scheduler holds the printer and passes no state on.
    std::unique_ptr<StatusQuery> AskStatus() override;
    // Ends the document: the job is the scheduler's from here on.
    bool Finish(QString* error) override;
    bool TakesJobWhole() const override { return true; }
    // A job not finished is withdrawn, so the printer gets none of it rather than part.
    void Close() override;

private:
    bool Fail(QString* error);

    // An instance is a set of options, which a raw job has no use for.
    const QByteArray queue_;
    http_t* http_ = nullptr;
    int job_ = 0;
    bool finished_ = false;
};

}  // namespace kestrix
