#include "output/CupsJobState.h"

#include <cups/cups.h>

#include <QStringList>
#include <cerrno>

namespace kestrix {

namespace {

QString Silent() { return QStringLiteral("the scheduler at %1 does not answer").arg(SchedulerAddress()); }

// Whether a failed request got no answer at all (a silent or lost connection).
bool Unanswered() {
    const ipp_status_t status = cupsLastError();
    return status == IPP_STATUS_ERROR_INTERNAL || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE ||
           status == IPP_STATUS_ERROR_TIMEOUT;
}

QString Keywords(ipp_attribute_t* attribute) {
    QStringList words;
    for (int i = 0; attribute && i < ippGetCount(attribute); ++i)
        words << QString::fromUtf8(ippGetString(attribute, i, nullptr));
    return words.join(QStringLiteral(", "));
}

ipp_t* AskPrinter(http_t* http, const QByteArray& queue, const char* folder) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/%s/%s", folder,
                     queue.constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-message", "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    return cupsDoRequest(http, request, "/");
}

// Asked by libcups when the scheduler has been silent for the time given.
int GiveUp(http_t*, void*) { return 0; }

}  // namespace

http_t* ConnectToScheduler(int answerWaitMs) {
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, answerWaitMs, nullptr);
    if (http) httpSetTimeout(http, answerWaitMs / 1000.0, GiveUp, nullptr);
    return http;
}

QString SchedulerSilence(int answerWaitMs) {
    http_t* http = ConnectToScheduler(answerWaitMs);
    if (!http) return {};
    ipp_t* answer = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    const bool silent = !answer && Unanswered();
    ippDelete(answer);
    httpClose(http);
    return silent ? Silent() : QString();
}

QString NoSchedulerMessage() {
    return QStringLiteral("CUPS is not running (no scheduler at %1)").arg(SchedulerAddress());
}

QString SchedulerAddress() {
    const QString server = QString::fromUtf8(cupsServer());
    return server.startsWith(u'/') || server.contains(u':') ? server
                                                            : QStringLiteral("%1:%2").arg(server).arg(ippPort());
}

QueueState AskQueueState(http_t* http, const QByteArray& queue) {
    QueueState state;
    ipp_t* answer = AskPrinter(http, queue, "printers");
    if (!answer && cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) answer = AskPrinter(http, queue, "classes");
    if (!answer || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        state.error = Unanswered() ? Silent() : QString::fromUtf8(cupsLastErrorString());
        ippDelete(answer);
        return state;
    }
    if (ipp_attribute_t* a = ippFindAttribute(answer, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
        state.accepting = ippGetBoolean(a, 0);
    if (ipp_attribute_t* a = ippFindAttribute(answer, "printer-state", IPP_TAG_ENUM))
        state.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t* a = ippFindAttribute(answer, "printer-state-message", IPP_TAG_TEXT))
        state.message = QString::fromUtf8(ippGetString(a, 0, nullptr));
    ippDelete(answer);
    return state;
}

JobState AskJobState(http_t* http, int job) {
    JobState state;
    if (!http) return {QStringLiteral("no scheduler at %1").arg(SchedulerAddress())};
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/jobs/%d", job);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    static const char* const wanted[] = {"job-state", "job-state-reasons", "job-k-octets"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t* answer = cupsDoRequest(http, request, "/");
    if (!answer || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        state.error = Unanswered() ? Silent() : QString::fromUtf8(cupsLastErrorString());
        ippDelete(answer);
        return state;
    }
    if (ipp_attribute_t* a = ippFindAttribute(answer, "job-state", IPP_TAG_ENUM)) state.state = ippGetInteger(a, 0);
    if (ipp_attribute_t* a = ippFindAttribute(answer, "job-k-octets", IPP_TAG_INTEGER))
        state.kiloBytes = ippGetInteger(a, 0);
    ipp_attribute_t* reasons = ippFindAttribute(answer, "job-state-reasons", IPP_TAG_KEYWORD);
    state.reasons = Keywords(reasons);
    state.incoming = reasons && ippContainsString(reasons, "job-incoming");
    ippDelete(answer);
    return state;
}

QString JobNotWhole(const JobState& state, int job, qint64 kiloBytes) {
    if (!state.error.isEmpty()) return QStringLiteral("job %1 was not confirmed: %2").arg(job).arg(state.error);
    if (state.state == IPP_JSTATE_CANCELED || state.state == IPP_JSTATE_ABORTED)
        return QStringLiteral("the scheduler %1 job %2 (%3)")
            .arg(state.state == IPP_JSTATE_CANCELED ? QStringLiteral("cancelled") : QStringLiteral("aborted"))
            .arg(job)
            .arg(state.reasons);
    if (state.incoming)
        return QStringLiteral("the scheduler still waits for the job's %1 kB; the job is withdrawn").arg(kiloBytes);
    return {};
}

}  // namespace kestrix
