#include "output/CupsRawJob.h"

#include <cups/cups.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "output/CupsJobState.h"

namespace kestrix {

namespace {

// Small enough that the connection, once it is writable, takes a piece
// without waiting: a Step must come back within its wait.
constexpr qsizetype kPieceBytes = 16 * 1024;

}  // namespace

bool CupsRawJob::Fail(QString* error, const QString& why) {
    if (error) *error = why.isEmpty() ? QString::fromUtf8(cupsLastErrorString()) : why;
    Close();
    return false;
}

CupsRawJob::CupsRawJob(const QString& queue, int answerWaitMs)
    : queue_(queue.section(u'/', 0, 0).toUtf8()), answerWaitMs_(answerWaitMs) {}

bool CupsRawJob::Open(QString* error) {
    Close();
    warning_.clear();
    partKept_ = {};
    http_ = ConnectToScheduler(answerWaitMs_);
    if (!http_) {
        if (error) *error = NoSchedulerMessage();
        return false;
    }
    // Asked first: creating a job on a missing queue fails without saying so,
    // and a queue that holds or refuses its jobs is told before the job is sent.
    const QueueState queue = AskQueueState(http_, queue_);
    if (!queue.error.isEmpty()) return Fail(error, queue.error);
    const QString why = queue.message.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(queue.message);
    const QString name = QString::fromUtf8(queue_);
    if (!queue.accepting)
        return Fail(error,
                    QStringLiteral("the queue is not accepting jobs%1; nothing sent (cupsaccept %2)").arg(why, name));
    if (queue.stopped)
        warning_ =
            QStringLiteral("the queue is stopped%1: the job waits in it until the queue is started (cupsenable %2)")
                .arg(why, name);
    job_ = cupsCreateJob(http_, queue_.constData(), "Kestrix label", 0, nullptr);
    if (job_ == 0) return Fail(error);
    if (cupsStartDocument(http_, queue_.constData(), job_, "label", CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE)
        return Fail(error);
    return true;
}

qint64 CupsRawJob::Write(QByteArrayView data, int waitMs, QString* error) {
    if (!http_) {
        if (error) *error = QStringLiteral("the job is not open");
        return -1;
    }
    pollfd p{httpGetFd(http_), POLLOUT, 0};
    const int ready = ::poll(&p, 1, waitMs);
    if (ready == 0 || (ready < 0 && errno == EINTR)) return 0;
    const qsizetype piece = std::min(data.size(), kPieceBytes);
    if (cupsWriteRequestData(http_, data.data(), static_cast<size_t>(piece)) != HTTP_STATUS_CONTINUE) {
        const int code = httpError(http_);
        if (error)
            *error = QStringLiteral("the connection to the scheduler at %1 was lost (%2)")
                         .arg(SchedulerAddress(), code ? QString::fromLocal8Bit(std::strerror(code))
                                                       : QString::fromUtf8(cupsLastErrorString()));
        return -1;
    }
    written_ += piece;
    return piece;
}

std::unique_ptr<StatusQuery> CupsRawJob::AskStatus() {
    return StatusQuery::Known(PrinterStatus::Problem(
        PrinterStatus::Kind::CannotAsk, QStringLiteral("a CUPS queue does not pass the printer's state on")));
}

bool CupsRawJob::Finish(QString* error) {
    if (!http_ || cupsFinishDocument(http_, queue_.constData()) > IPP_STATUS_OK_CONFLICTING) return Fail(error);
    // The scheduler may have lost the connection or part of the document and
    // still have said nothing: the job is asked for on a connection of its own.
    httpClose(http_);
    http_ = ConnectToScheduler(answerWaitMs_);
    const JobState job = AskJobState(http_, job_);
    const qint64 kiloBytes = (written_ + 1023) / 1024;
    if (const QString why = JobNotWhole(job, job_, kiloBytes); !why.isEmpty()) return Fail(error, why);
    if (job.kiloBytes < kiloBytes)
        return Fail(error,
                    QStringLiteral("the scheduler received only %1 kB of the job's %2 kB; the labels within them "
                                   "print, the others do not")
                        .arg(job.kiloBytes)
                        .arg(kiloBytes));
    if (job.state == IPP_JSTATE_HELD)
        warning_ = QStringLiteral("job %1 is held (%2): it prints once released (lp -i %1 -H resume)")
                       .arg(job_)
                       .arg(job.reasons);
    finished_ = true;
    Close();
    return true;
}

void CupsRawJob::KeepOrWithdraw() {
    http_t* http = ConnectToScheduler(answerWaitMs_);
    if (!http) return;
    const JobState job = AskJobState(http, job_);
    const bool printing = JobNotWhole(job, job_, written_).isEmpty() && job.kiloBytes > 0;
    // job-k-octets is rounded up: only the kilobytes before the last surely
    // came, the last one perhaps in part.
    if (printing)
        partKept_ = {std::min(written_, (job.kiloBytes - 1) * 1024), std::min(written_, job.kiloBytes * 1024)};
    else
        cupsCancelJob2(http, queue_.constData(), job_, 1);
    httpClose(http);
}

void CupsRawJob::Close() {
    if (http_) httpClose(http_);
    http_ = nullptr;
    if (job_ != 0 && !finished_) KeepOrWithdraw();
    job_ = 0;
    finished_ = false;
    written_ = 0;
}

}  // namespace kestrix
