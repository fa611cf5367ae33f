#pragma once
// A label printer shared through CUPS: the stream goes to the queue as one raw
// job (format application/vnd.cups-raw), which the scheduler passes to the
// printer untouched. The scheduler spools what it is given, so a printer that
// stops taking data holds up the queue, not this job.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

typedef struct _http_s http_t;

namespace kestrix {

class CupsRawJob {
public:
    // The scheduler must answer (connect, create the job, confirm it) within this.
    static constexpr int kAnswerTimeoutMs = 4000;

    CupsRawJob() = default;
    CupsRawJob(const CupsRawJob&) = delete;
    CupsRawJob& operator=(const CupsRawJob&) = delete;
    ~CupsRawJob() { Close(); }

    // Creates the job on `queue` and starts its document; on failure `error`
    // says why (CUPS not running, no such queue, ...).
    bool Open(const QString& queue, QString* error);
    // One try, a StallWatch::Step: how much of `data` the scheduler takes
    // within `waitMs` (0 when nothing), or -1 when it failed.
    qint64 Transfer(QByteArrayView data, int waitMs, QString* error);
    // Ends the document: the job is the scheduler's from here on.
    bool Finish(QString* error);
    // A job not finished is withdrawn, so the printer gets none of it rather than part.
    void Close();

private:
    bool Fail(QString* error);

    http_t* http_ = nullptr;
    QByteArray queue_;
    int job_ = 0;
    bool finished_ = false;
};

}  // namespace kestrix
