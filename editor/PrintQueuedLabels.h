#pragma once
// What the main frame does with command 32774: the label files waiting in the
// batch queue are printed from its front, each on its own with the direct
// print job, until the queue is empty or the user cancels. A file whose serial
// numbers advanced is saved with the next ones, so the next run goes on from
// there. A file merged with a data file (remembered in the editor's settings)
// prints one label per row of it. The label open in the editor is neither
// printed nor changed.

#include <QString>
#include <QStringList>
#include <functional>

#include "output/DirectPrintJob.h"

namespace kestrix {

class LabelController;

struct BatchPrintOutcome {
    int printed = 0;
    // Labels the printer took whole, in all files.
    qint64 labels = 0;
    bool cancelled = false;
    // Why each queued file that could not be opened was passed over.
    QStringList unreadable;
    // Printed files whose next serial numbers could not be saved, with why.
    QStringList unsaved;
    // What the user should still know of jobs that went through but do not
    // print now (a stopped CUPS queue, a held job), each said once.
    QStringList waiting;
    // The file whose job ended the run early, and that job's result.
    QString stoppedAt;
    DirectPrintResult stopped;
};

// Called before each label with its number (from 1), the number of labels in
// the run and its file; false stops the run there, the file staying queued.
using BatchStep = std::function<bool(int number, int count, const QString& path)>;

// A job that fails ends the run and leaves the files not yet printed in the
// queue (no printer empties it). Jobs that wait in the printer's queue are
// told in one message at the end.
BatchPrintOutcome PrintQueuedLabels(LabelController& label, const BatchStep& step,
                                    const std::function<void(const PrintMessage&)>& show);

}  // namespace kestrix
