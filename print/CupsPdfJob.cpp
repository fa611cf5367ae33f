#include "print/CupsPdfJob.h"

#include <cups/cups.h>

namespace kestrix {

bool PrintPdfOnCups(const QString& queue, const QString& title, const QByteArray& pdf, const CupsOptions& options,
                    QString* error) {
    cups_option_t* list = nullptr;
    int count = 0;
    for (const auto& [name, value] : options) count = cupsAddOption(name.constData(), value.constData(), count, &list);
    const QByteArray name = queue.toUtf8();
    const QByteArray document = title.toUtf8();
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), document.constData(), count, list);
    cupsFreeOptions(count, list);
    bool sent = job > 0 &&
                cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, document.constData(), CUPS_FORMAT_PDF, 1) ==
                    HTTP_STATUS_CONTINUE &&
                cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), pdf.size()) == HTTP_STATUS_CONTINUE;
    // The document is finished in any case, so the connection is ready for the next request.
    if (job > 0) sent = cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) == IPP_STATUS_OK && sent;
    if (sent) return true;
    if (error) *error = QString::fromUtf8(cupsLastErrorString());
    if (job > 0) cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
    return false;
}

}  // namespace kestrix
