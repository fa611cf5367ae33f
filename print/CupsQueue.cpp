#include "print/CupsQueue.h"

#include <cups/cups.h>

#include "output/CupsJobState.h"
#include "output/PrinterTransport.h"

namespace kestrix {

namespace {

int ResolutionDpi(ipp_attribute_t* attr) {
    if (!attr || ippGetValueTag(attr) != IPP_TAG_RESOLUTION) return 0;
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(attr, 0, &y, &units);
    return units == IPP_RES_PER_CM ? (x * 254 + 50) / 100 : x;
}

}  // namespace

CupsQueue CupsQueue::Query(const QString& name) {
    CupsQueue queue;
    const QByteArray id = name.section(u'/', 0, 0).toUtf8();
    const QByteArray instance = name.section(u'/', 1).toUtf8();
    // A connection whose answers have a limit: a silent scheduler is told, not waited for.
    http_t* http = ConnectToScheduler(PrinterTransport::kAnswerWaitMs);
    if (!http) {
        queue.problem = NoSchedulerMessage();
        return queue;
    }
    cups_dest_t* dest = cupsGetNamedDest(http, id.constData(), instance.isEmpty() ? nullptr : instance.constData());
    if (!dest) {
        queue.problem = QString::fromUtf8(cupsLastErrorString());
        httpClose(http);
        return queue;
    }
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting && QByteArrayView(accepting) == "false") {
        queue.problem = QStringLiteral("the queue is not accepting jobs");
    } else {
        queue.reachable = true;
        if (cups_dinfo_t* info = cupsCopyDestInfo(http, dest)) {
            queue.defaultResolution = ResolutionDpi(cupsFindDestDefault(http, dest, info, "printer-resolution"));
            cupsFreeDestInfo(info);
        }
    }
    cupsFreeDests(1, dest);
    httpClose(http);
    return queue;
}

}  // namespace kestrix
