#include "editor/PrintQueuedLabels.h"

#include "document/LabelFile.h"
#include "editor/LabelController.h"
#include "editor/LabelData.h"
#include "editor/MergeTexts.h"

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
        // A label merged with a data file prints every row of it.
        std::unique_ptr<DataSource> rows;
        if (const QString data = LabelData::Remembered(path); !data.isEmpty()) {
            QString error;
            DataCheck check;
            rows = DataSource::Open(data, &error, label.Language());
            if (!rows || !rows->Check(doc.elements, {}, check, &error)) {
                outcome.unreadable << path + QStringLiteral(": ") +
                                          UiText(label.Language(), merge_text::kBatchData).arg(error);
                continue;
            }
        }
        const std::vector<LabelElement> read = doc.elements;
        const DirectPrintResult result = label.DirectPrintDocument(doc, kFileScale, show, rows.get());
        outcome.labels += result.printed;
        const bool waits = result.status == DirectPrintStatus::Printed && !result.warning.isEmpty();
        if (waits && !outcome.waiting.contains(result.warning)) outcome.waiting << result.warning;
        QString error;
        if (!SameElements(read, doc.elements) && !WriteLabelFile(path, doc, &error)) outcome.unsaved << error;
        if (result.status != DirectPrintStatus::Printed) {
            outcome.stoppedAt = path;
            outcome.stopped = result;
            if (!result.warning.isEmpty()) outcome.stopped.detail += QStringLiteral("; ") + result.warning;
            break;
        }
        ++outcome.printed;
        // Cancel in a data file's progress stops the whole run; the files after it stay queued.
        if (result.stopped) {
            outcome.cancelled = true;
            break;
        }
    }
    label.TellNotPrintingYet(outcome.waiting);
    return outcome;
}

}  // namespace kestrix
