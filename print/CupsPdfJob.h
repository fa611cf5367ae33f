#pragma once
// One PDF as a print job on a CUPS queue, with the job's options as `lp -o`
// takes them; the scheduler's answer at every step is looked at.

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <utility>

#include "output/PrinterTransport.h"

namespace kestrix {

using CupsOptions = QList<std::pair<QByteArray, QByteArray>>;

// True when the scheduler took the whole job, the PDF read from `pdf` (open
// for reading) to its end a part at a time, and says on asking after it that
// it holds the whole document; otherwise `error` says why and nothing of the
// job is left on the queue. Each answer of the scheduler is waited for at
// most `answerWaitMs`.
bool PrintPdfOnCups(const QString& queue, const QString& title, QIODevice& pdf, const CupsOptions& options,
                    QString* error, int answerWaitMs = PrinterTransport::kAnswerWaitMs);

}  // namespace kestrix
