#include "print/CupsPdfJob.h"

#include <cups/cups.h>

#include <cstring>

#include "output/CupsJobState.h"

namespace kestrix {

namespace {

// The rest of `pdf` into the document begun on `http`; false when reading it
// or the scheduler failed (`readError` then says why, if it was the reading).
bool SendDocument(http_t* http, QIODevice& pdf, QString* readError) {
    QByteArray part(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 read = pdf.read(part.data(), part.size());
        if (read < 0) {
            *readError = pdf.errorString();
            return false;
        }
        if (read == 0) return true;
        if (cupsWriteRequestData(http, part.constData(), static_cast<size_t>(read)) != HTTP_STATUS_CONTINUE)
            return false;
    }
}

// Why the scheduler did not take a request: its own word, or what became of
// the connection when it gave none.
QString RequestFailure(http_t* http) {
    if (cupsLastError() != IPP_STATUS_ERROR_INTERNAL) return QString::fromUtf8(cupsLastErrorString());
    const int code = httpError(http);
    return QStringLiteral("the connection to the scheduler at %1 broke off while the job was sent%2")
        .arg(SchedulerAddress(),
             code ? QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(code))) : QString());
}

// Why the scheduler does not hold job `job` whole, the document's `kiloBytes`
// included: it may have lost the connection or part of the document and still
// have said nothing. Empty when it does. A PDF cut short prints nothing.
QString JobNotTaken(int job, qint64 kiloBytes, int answerWaitMs) {
    http_t* http = ConnectToScheduler(answerWaitMs);
    const JobState state = AskJobState(http, job);
    if (http) httpClose(http);
    if (const QString why = JobNotWhole(state, job, kiloBytes); !why.isEmpty()) return why;
    if (state.kiloBytes < kiloBytes)
        return QStringLiteral("the scheduler received only %1 kB of the job's %2 kB; the job is withdrawn")
            .arg(state.kiloBytes)
            .arg(kiloBytes);
    return {};
}

}  // namespace

bool PrintPdfOnCups(const QString& queue, const QString& title, QIODevice& pdf, const CupsOptions& options,
                    QString* error, int answerWaitMs) {
    // A connection of its own whose every answer has a limit: a scheduler that
    // stops taking the document or answering fails the job instead of hanging it.
    http_t* http = ConnectToScheduler(answerWaitMs);
    if (!http) {
        if (error) *error = NoSchedulerMessage();
        return false;
    }
    cups_option_t* list = nullptr;
    int count = 0;
    for (const auto& [name, value] : options) count = cupsAddOption(name.constData(), value.constData(), count, &list);
    const QByteArray name = queue.toUtf8();
    const QByteArray document = title.toUtf8();
    const int job = cupsCreateJob(http, name.constData(), document.constData(), count, list);
    cupsFreeOptions(count, list);
    QString problem;
    bool sent = job > 0 &&
                cupsStartDocument(http, name.constData(), job, document.constData(), CUPS_FORMAT_PDF, 1) ==
                    HTTP_STATUS_CONTINUE &&
                SendDocument(http, pdf, &problem);
    if (!sent && problem.isEmpty()) problem = RequestFailure(http);
    // The document is finished in any case, so the connection is ready for the next request.
    if (job > 0 && cupsFinishDocument(http, name.constData()) != IPP_STATUS_OK && sent) {
        problem = RequestFailure(http);
        sent = false;
    }
    if (sent) {
        problem = JobNotTaken(job, (pdf.size() + 1023) / 1024, answerWaitMs);
        sent = problem.isEmpty();
    }
    if (!sent) {
        if (error) *error = problem;
        // Withdrawn on a fresh connection: the one the job went on may be stuck.
        httpClose(http);
        http = job > 0 ? ConnectToScheduler(answerWaitMs) : nullptr;
        if (http) cupsCancelJob2(http, name.constData(), job, 0);
    }
    if (http) httpClose(http);
    return sent;
}

}  // namespace kestrix
