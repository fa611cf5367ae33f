#include "output/CupsRawJob.h"

#include <cups/cups.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace kestrix {

namespace {

// Small enough that the connection, once it is writable, takes a piece
// without waiting: a Step must come back within its wait.
constexpr qsizetype kPieceBytes = 16 * 1024;

// Asked by libcups when the scheduler has been silent for the timeout.
int GiveUp(http_t*, void*) { return 0; }

http_t* ConnectToScheduler() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                CupsRawJob::kAnswerTimeoutMs, nullptr);
    if (http) httpSetTimeout(http, CupsRawJob::kAnswerTimeoutMs / 1000.0, GiveUp, nullptr);
    return http;
}

}  // namespace

bool CupsRawJob::Fail(QString* error) {
    if (error) *error = QString::fromUtf8(cupsLastErrorString());
    Close();
    return false;
}

CupsRawJob::CupsRawJob(const QString& queue) : queue_(queue.section(u'/', 0, 0).toUtf8()) {}

bool CupsRawJob::Open(QString* error) {
    Close();
    http_ = ConnectToScheduler();
    if (!http_) {
        const QString server = QString::fromUtf8(cupsServer());
        const QString where = server.startsWith(u'/') ? server : QStringLiteral("%1:%2").arg(server).arg(ippPort());
        if (error) *error = QStringLiteral("CUPS is not running (no scheduler at %1)").arg(where);
        return false;
    }
    // Asked first: creating a job on a missing queue fails without saying so.
    cups_dest_t* dest = cupsGetNamedDest(http_, queue_.constData(), nullptr);
    if (!dest) return Fail(error);
    cupsFreeDests(1, dest);
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
        if (error)
            *error =
                QStringLiteral("the scheduler stopped taking the job: ") + QString::fromUtf8(cupsLastErrorString());
        return -1;
    }
    return piece;
}

std::unique_ptr<StatusQuery> CupsRawJob::AskStatus() {
    return StatusQuery::Known(PrinterStatus::Problem(
        PrinterStatus::Kind::CannotAsk, QStringLiteral("a CUPS queue does not pass the printer's state on")));
}

bool CupsRawJob::Finish(QString* error) {
    if (!http_ || cupsFinishDocument(http_, queue_.constData()) > IPP_STATUS_OK_CONFLICTING) return Fail(error);
    finished_ = true;
    Close();
    return true;
}

void CupsRawJob::Close() {
    if (http_) httpClose(http_);
    http_ = nullptr;
    if (job_ != 0 && !finished_) {
        // The document was left half written, so the job is withdrawn on a connection of its own.
        if (http_t* http = ConnectToScheduler()) {
            cupsCancelJob2(http, queue_.constData(), job_, 1);
            httpClose(http);
        }
    }
    job_ = 0;
    finished_ = false;
}

}  // namespace kestrix
