#pragma once
// The direct-print stream of each copy of a label: CopyRenderer's bands,
// reduced only where the copy changed into one kept 1-bit image, cut into
// BITMAP blocks in a kept buffer. One copy or ten thousand, the same steps; nothing grows with
// the number of copies.

#include <QByteArrayView>
#include <QString>
#include <functional>

#include "output/CopyRenderer.h"
#include "output/DirectPrintJob.h"
#include "output/MonoImage.h"
#include "output/PrintStream.h"

namespace kestrix {

class PrintJobMaker {
public:
    // `in` (its document, caches and rows) must outlive the maker; the label
    // is drawn `bandRows` rows at a time (0: as CopyRenderer chooses).
    explicit PrintJobMaker(const DirectPrintInput& in, int bandRows = 0);

    // The labels the run makes: the copies, of every row when merging.
    qint64 Jobs() const;
    // The next label's header and body, valid until the call after next (two
    // buffers take turns, so one can be written while the next is made). An
    // empty body, and `error` set, when the label cannot be rendered or the
    // next row cannot be read.
    const PrintStream& Next(QString* error = nullptr);

private:
    DirectPrintInput in_;
    CopyRenderer copies_;
    const DataRow* row_ = nullptr;
    int copyOfRow_ = 0;
    MonoImage mono_;
    PrintStreamBody body_;
    PrintStream streams_[2];
    int turn_ = 0;
};

// Sends one piece of a stream on; false (and `error` set) when it failed.
using JobWriter = std::function<bool(QByteArrayView bytes, QString* error)>;

struct SentJobs {
    qint64 rendered = 0;  // labels made, their serial numbers used
    bool writeFailed = false;
    QString error;  // empty when every copy was sent
};

// Makes `jobs` labels with `maker` and sends each (header, then body) through
// `write` on a second thread, so label k+1 is made while label k is written;
// `sent`, when given, is told the count after each. Stops at the first label
// that cannot be made or written.
SentJobs SendPrintJobs(PrintJobMaker& maker, qint64 jobs, const JobWriter& write,
                       const std::function<void(qint64 sent)>& sent = {});

}  // namespace kestrix
