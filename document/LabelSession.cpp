#include "document/LabelSession.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

#include "document/ElementMove.h"
#include "document/LabelFile.h"

namespace kestrix {

namespace {

bool IsScale(QPointF scale) { return scale.x() > 0 && scale.y() > 0; }

// Label files hold line end points at one pixel per dot, the output scale.
constexpr QPointF kFileScale(1.0, 1.0);

// A line's end placed `reach` dots from its start in pixels of a display at
// `to`; its drag baseline follows when it was taken from the end, else is rescaled alone.
void PlaceLineEnd(LabelElement& e, QPointF reach, QPointF from, QPointF to) {
    const bool baseline = e.nOrgEndX == e.nEndX && e.nOrgEndY == e.nEndY;
    PlaceLineReach(e, reach, to);
    if (baseline) {
        std::tie(e.nOrgEndX, e.nOrgEndY) = std::pair(e.nEndX, e.nEndY);
        return;
    }
    LabelElement start = e;
    std::tie(start.nPosX, start.nPosY, start.nEndX, start.nEndY) =
        std::tuple(e.nOrgPosX, e.nOrgPosY, e.nOrgEndX, e.nOrgEndY);
    PlaceLineReach(start, LineReach(start, from), to);
    std::tie(e.nOrgEndX, e.nOrgEndY) = std::pair(start.nEndX, start.nEndY);
}

}  // namespace

LabelSession::LabelSession(UndoFolder folder, std::optional<UndoProblem> problem)
    : undo_(std::move(folder), std::move(problem)) {}

bool LabelSession::NewLabel(int widthMm, int heightMm, QString* error) {
    if (!IsValidLabelSize(widthMm, heightMm)) {
        if (error)
            *error = QCoreApplication::translate("LabelSession", "Width and height must be between 1 and 2000 mm.");
        return false;
    }
    doc_.elements.clear();
    doc_.widthMm = widthMm;
    doc_.heightMm = heightMm;
    doc_.labelPath.clear();
    doc_.printerName.clear();
    undo_.Restart();
    fileScales_.clear();
    MarkSaved();
    SaveState();
    return true;
}

LabelSession::OpenResult LabelSession::OpenLabel(const QString& path, LabelFileProblem* problem) {
    OpenResult result = OpenResult::Opened;
    LabelFileProblem why;
    if (LabelDocument read; ReadLabelFile(path, read, &why)) {
        read.labelPath = path;
        doc_ = std::move(read);
        undo_.Restart();
        fileScales_.clear();
        lineEnds_.clear();
        MarkSaved();
        // A file holds line ends at one pixel per dot; the editor holds them at the display scale.
        if (IsScale(viewScale_))
            RescaleLines(kFileScale, viewScale_);
        else
            viewScale_ = kFileScale;
    } else if (why.NothingRead()) {
        // The label stays, but Save now writes to this path.
        doc_.labelPath = path;
        result = OpenResult::Unreadable;
    } else {
        result = OpenResult::Refused;
    }
    if (problem) *problem = why;
    undo_.WriteOpenedLabel(doc_.elements);
    fileScales_.insert(0, viewScale_);
    SaveState();
    return result;
}

void LabelSession::OpenCancelled() {
    undo_.WriteOpenedLabel(doc_.elements);
    fileScales_.insert(0, viewScale_);
}

bool LabelSession::SaveLabel(const QString& path, QString* error) {
    if (!WriteLabelFile(path, AtFileScale(), error)) return false;
    doc_.labelPath = path;
    MarkSaved();
    SaveState();
    return true;
}

void LabelSession::Copy() {
    ClipboardToViewScale();
    clipboard_.Copy(doc_.elements);
}

void LabelSession::Cut() {
    if (!CanCutOrCopy()) return;
    ClipboardToViewScale();
    clipboard_.Cut(doc_.elements);
    TakeSnapshot();
}

void LabelSession::Paste() {
    if (!CanPaste()) return;
    ClipboardToViewScale();
    clipboard_.Paste(doc_.elements, IsScale(viewScale_) ? viewScale_ : QPointF(1.0, 1.0));
    TakeSnapshot();
}

void LabelSession::TakeSnapshot() {
    undo_.TakeSnapshot(doc_.elements);
    const int number = undo_.nSnapshotCount();
    // Numbers above the new one can no longer be reached.
    fileScales_.removeIf([number](const auto& entry) { return entry.key() > number; });
    fileScales_.insert(number, viewScale_);
    // The saved label can no longer be reached by Undo or Redo.
    if (number <= savedCount_) savedCount_ = -1;
    SaveState();
}

bool LabelSession::TakeSnapshotIfChanged(const std::vector<LabelElement>& before) {
    if (SameElements(before, doc_.elements)) return false;
    TakeSnapshot();
    return true;
}

bool LabelSession::Restored(bool restored) {
    if (!restored) return false;
    RescaleLines(fileScales_.value(undo_.nSnapshotPos(), viewScale_), viewScale_);
    SaveState();
    return true;
}

void LabelSession::Recover(RecoverableLabel found) {
    const UndoState& state = found.state;
    doc_ = {state.widthMm, state.heightMm, state.printerName, state.labelPath, std::move(found.elements)};
    undo_.Adopt(std::move(found.folder), state);
    fileScales_ = state.scales;
    savedCount_ = state.savedCount;
    lineEnds_.clear();
    // The shown file's lines are at its scale; the label's first fit rescales them.
    viewScale_ = state.scales.value(state.pos);
    SaveState();
}

void LabelSession::SetViewScale(double scaleX, double scaleY) {
    const QPointF scale(scaleX, scaleY);
    if (!IsScale(scale)) return;
    RescaleLines(std::exchange(viewScale_, scale), scale);
}

LabelDocument LabelSession::AtFileScale() const {
    LabelDocument doc = doc_;
    if (!IsScale(viewScale_)) return doc;
    for (std::size_t i = 0; i < doc.elements.size(); ++i) {
        LabelElement& e = doc.elements[i];
        if (e.nType != kLine) continue;
        // The dots the end was last placed at, when it has not moved since.
        const std::optional<LineEndDots> memo = i < lineEnds_.size() ? lineEnds_[i] : std::nullopt;
        const bool placed = memo && memo->endX == e.nEndX && memo->endY == e.nEndY;
        PlaceLineReach(e, placed ? QPointF(memo->x, memo->y) : LineReach(e, viewScale_), kFileScale);
    }
    return doc;
}

void LabelSession::RescaleLines(QPointF from, QPointF to) {
    if (!IsScale(from) || from == to) return;
    lineEnds_.resize(doc_.elements.size());
    for (std::size_t i = 0; i < doc_.elements.size(); ++i) {
        LabelElement& e = doc_.elements[i];
        std::optional<LineEndDots>& memo = lineEnds_[i];
        if (e.nType != kLine) {
            memo.reset();
            continue;
        }
        if (!memo || memo->endX != e.nEndX || memo->endY != e.nEndY) {
            const QPointF reach = LineReach(e, from);
            memo = LineEndDots{0, 0, reach.x(), reach.y()};
        }
        PlaceLineEnd(e, {memo->x, memo->y}, from, to);
        std::tie(memo->endX, memo->endY) = std::pair(e.nEndX, e.nEndY);
    }
}

void LabelSession::ClipboardToViewScale() {
    if (IsScale(clipboardScale_) && clipboardScale_ != viewScale_) {
        const QPointF from = clipboardScale_;
        for (auto* buffer : {&clipboard_.CopyBuffer(), &clipboard_.CutBuffer()})
            for (LabelElement& e : *buffer)
                if (e.nType == kLine) PlaceLineEnd(e, LineReach(e, from), from, viewScale_);
    }
    clipboardScale_ = viewScale_;
}

bool LabelSession::HasUnsavedChanges() const {
    // An empty label cannot be saved, so there is nothing to lose.
    return !doc_.elements.empty() && undo_.nSnapshotCount() != savedCount_;
}

void LabelSession::MarkSaved() { savedCount_ = undo_.nSnapshotCount(); }

void LabelSession::SaveState() {
    if (!undo_.Folder().IsValid()) return;
    undo_.WriteState({doc_.widthMm, doc_.heightMm, doc_.printerName, doc_.labelPath, undo_.nSnapshotCount(),
                      undo_.nSnapshotPos(), undo_.nSnapshotTop(), savedCount_, HasUnsavedChanges(), fileScales_});
}

}  // namespace kestrix
