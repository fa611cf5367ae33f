#include "editor/PrintQueuedLabels.h"

#include "document/LabelFile.h"
#include "editor/LabelController.h"

namespace kestrix {

namespace {

// A label file holds its line ends at one pixel per dot.
constexpr QPointF kFileScale(1.0, 1.0);

}  // namespace

BatchPrintOutcome PrintQueuedLabels(LabelController& label, const BatchStep& step,
                                    const std::function<void(const PrintMessage&)>& show) {
    BatchPrintOutcome outcome;
    QStringList& queue = label.BatchQueue();
    for (int number = 1; !queue.isEmpty(); ++number) {
        const QString path = queue.takeFirst();
        if (!step(number, number + static_cast<int>(queue.size()), path)) {
            queue.prepend(path);
            outcome.cancelled = true;
            break;
        }
        LabelDocument doc;
        LabelFileProblem why;
        if (!ReadLabelFile(path, doc, &why)) {
            outcome.unreadable << path + QStringLiteral(": ") + LabelFileProblemText(why, label.Language());
            continue;
        }
        const std::vector<LabelElement> read = doc.elements;
        const DirectPrintResult result = label.DirectPrintDocument(doc, kFileScale, show);
        QString error;
        if (!SameElements(read, doc.elements) && !WriteLabelFile(path, doc, &error)) outcome.unsaved << error;
        if (result.status != DirectPrintStatus::Printed) {
            outcome.stoppedAt = path;
            outcome.stopped = result;
            break;
        }
        ++outcome.printed;
    }
    return outcome;
}

}  // namespace kestrix
