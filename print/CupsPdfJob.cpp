#include "print/CupsPdfJob.h"

#include <cups/cups.h>

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
    QString readError;
    bool sent = job > 0 &&
                cupsStartDocument(http, name.constData(), job, document.constData(), CUPS_FORMAT_PDF, 1) ==
                    HTTP_STATUS_CONTINUE &&
                SendDocument(http, pdf, &readError);
    // The document is finished in any case, so the connection is ready for the next request.
    if (job > 0) sent = cupsFinishDocument(http, name.constData()) == IPP_STATUS_OK && sent;
    if (!sent) {
        if (error) *error = readError.isEmpty() ? QString::fromUtf8(cupsLastErrorString()) : readError;
        // Withdrawn on a fresh connection: the one the job went on may be stuck.
        httpClose(http);
        http = job > 0 ? ConnectToScheduler(answerWaitMs) : nullptr;
        if (http) cupsCancelJob2(http, name.constData(), job, 0);
    }
    if (http) httpClose(http);
    return sent;
}

}  // namespace kestrix
