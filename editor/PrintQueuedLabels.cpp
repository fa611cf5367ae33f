#include "editor/PrintQueuedLabels.h"

#include <optional>

#include "document/LabelFile.h"
#include "editor/LabelController.h"

namespace kestrix {

namespace {

// Opens a queued file as Open does and prints it; nothing is
// printed, and the reason kept, when the file cannot be opened.
std::optional<DirectPrintResult> PrintLabelFile(LabelController& label, const QString& path, QStringList& unreadable,
                                                const std::function<void(const PrintMessage&)>& show) {
    LabelDocument doc;
    LabelFileProblem why;
    if (!ReadLabelFile(path, doc, &why)) {
        unreadable << path + QStringLiteral(": ") + LabelFileProblemText(why, label.Language());
        return std::nullopt;
    }
    doc.labelPath = path;
    label.ReplaceLabel(std::move(doc));
    return label.DirectPrintLabel(show);
}

}  // namespace

BatchPrintOutcome PrintQueuedLabels(LabelController& label, const QString& firstPath, int ownElements,
                                    const BatchStep& step, const std::function<void(const PrintMessage&)>& show) {
    BatchPrintOutcome outcome;
    QStringList& queue = label.BatchQueue();
    const QRect place = label.DisplayRect();
    LabelDocument open = label.Session().Document();
    QString path = firstPath;
    for (int number = 1;; ++number) {
        if (!step(number, number + static_cast<int>(queue.size()), path)) {
            queue.prepend(path);
            outcome.cancelled = true;
            break;
        }
        std::optional<DirectPrintResult> result;
        if (number == 1) {
            result = label.DirectPrintLabel(show);
            open = label.Session().Document();
        } else {
            result = PrintLabelFile(label, path, outcome.unreadable, show);
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
    label.ReplaceLabel(std::move(open), place);
    return outcome;
}

}  // namespace kestrix
