#pragma once
// What the main frame does with command 32774: the label that the batch
// operation joined a queued file to is printed with the direct print job, then
// every file still queued is opened as Open does and printed in turn, until the
// queue is empty or the user cancels. The label that was open comes back.

#include <QString>
#include <QStringList>
#include <functional>

#include "output/DirectPrintJob.h"

namespace kestrix {

class LabelController;

struct BatchPrintOutcome {
    int printed = 0;
    bool cancelled = false;
    // Why each queued file that could not be opened was passed over.
    QStringList unreadable;
    // The file whose job ended the run early, and that job's result.
    QString stoppedAt;
    DirectPrintResult stopped;
};

// Called before each label with its number (from 1), the number of labels in
// the run and its file; false stops the run there, the file staying queued.
using BatchStep = std::function<bool(int number, int count, const QString& path)>;

// `firstPath` is the file the batch operation joined to the label
// after its first `ownElements` elements. A job that fails ends the run and
// leaves the files not yet printed in the queue (no printer empties it).
// Serial numbers the open label's own elements used in the first job stay used.
BatchPrintOutcome PrintQueuedLabels(LabelController& label, const QString& firstPath, int ownElements,
                                    const BatchStep& step, const std::function<void(const PrintMessage&)>& show);

}  // namespace kestrix
