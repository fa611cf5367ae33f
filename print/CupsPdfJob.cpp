#include "print/CupsPdfJob.h"

#include <cups/cups.h>

#include "output/CupsJobState.h"

namespace kestrix {

bool PrintPdfOnCups(const QString& queue, const QString& title, const QByteArray& pdf, const CupsOptions& options,
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
    bool sent = job > 0 &&
                cupsStartDocument(http, name.constData(), job, document.constData(), CUPS_FORMAT_PDF, 1) ==
                    HTTP_STATUS_CONTINUE &&
                cupsWriteRequestData(http, pdf.constData(), pdf.size()) == HTTP_STATUS_CONTINUE;
    // The document is finished in any case, so the connection is ready for the next request.
    if (job > 0) sent = cupsFinishDocument(http, name.constData()) == IPP_STATUS_OK && sent;
    if (!sent) {
        if (error) *error = QString::fromUtf8(cupsLastErrorString());
        // Withdrawn on a fresh connection: the one the job went on may be stuck.
        httpClose(http);
        http = job > 0 ? ConnectToScheduler(answerWaitMs) : nullptr;
        if (http) cupsCancelJob2(http, name.constData(), job, 0);
    }
    if (http) httpClose(http);
    return sent;
}

}  // namespace kestrix
