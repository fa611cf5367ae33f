#include "editor/PrintQueuedLabels.h"

#include <optional>

#include "document/LabelFile.h"
#include "editor/LabelCanvas.h"

namespace kestrix {

namespace {

// Opens a queued file in the canvas as Open does and prints it; nothing is
// printed, and the reason kept, when the file cannot be opened.
std::optional<DirectPrintResult> PrintLabelFile(LabelCanvas& canvas, const QString& path, QStringList& unreadable,
                                                const std::function<void(const PrintMessage&)>& show) {
    LabelDocument label;
    LabelFileProblem why;
    if (!ReadLabelFile(path, label, &why)) {
        unreadable << path + QStringLiteral(": ") + LabelFileProblemText(why, canvas.Language());
        return std::nullopt;
    }
    label.labelPath = path;
    canvas.ReplaceLabel(std::move(label));
    return canvas.DirectPrintLabel(show);
}

}  // namespace

BatchPrintOutcome PrintQueuedLabels(LabelCanvas& canvas, const QString& firstPath, int ownElements,
                                    const BatchStep& step, const std::function<void(const PrintMessage&)>& show) {
    BatchPrintOutcome outcome;
    QStringList& queue = canvas.BatchQueue();
    const QRect place = canvas.geometry();
    LabelDocument open = canvas.Session().Document();
    QString path = firstPath;
    for (int number = 1;; ++number) {
        if (!step(number, number + static_cast<int>(queue.size()), path)) {
            queue.prepend(path);
            outcome.cancelled = true;
            break;
        }
        std::optional<DirectPrintResult> result;
        if (number == 1) {
            result = canvas.DirectPrintLabel(show);
            open = canvas.Session().Document();
        } else {
            result = PrintLabelFile(canvas, path, outcome.unreadable, show);
        }
        if (result && result->status != DirectPrintStatus::Printed) {
            outcome.stoppedAt = path;
            outcome.stopped = *result;
            break;
        }
        if (result) ++outcome.printed;
        if (queue.isEmpty()) break;
        path = queue.takeFirst();
    }
    // The joined file's elements leave with the queued labels.
    open.elements.resize(std::min(open.elements.size(), static_cast<std::size_t>(std::max(ownElements, 0))));
    canvas.ReplaceLabel(std::move(open), place);
    return outcome;
}

}  // namespace kestrix
