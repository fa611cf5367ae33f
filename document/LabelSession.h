#pragma once
// One label open for editing: the document with its undo snapshots and the
// element clipboard, and the New, Open and Save rules around them. The editor
// window asks the questions; the rules live here.

#include <QHash>
#include <QPointF>
#include <QString>
#include <optional>

#include "document/ElementClipboard.h"
#include "document/LabelDocument.h"
#include "document/LabelFile.h"
#include "document/UndoSnapshots.h"

namespace kestrix {

class LabelSession {
public:
    explicit LabelSession(QString undoFolder = {});

    LabelDocument& Document() { return doc_; }
    const LabelDocument& Document() const { return doc_; }
    std::vector<LabelElement>& Elements() { return doc_.elements; }
    UndoSnapshots& Undo() { return undo_; }
    const UndoSnapshots& Undo() const { return undo_; }
    ElementClipboard& Clipboard() { return clipboard_; }

    // Replaces the label by an empty one of the given size; path and printer
    // name are cleared, the undo counters kept. Refuses a size outside 1..2000 mm.
    bool NewLabel(int widthMm, int heightMm, QString* error = nullptr);

    enum class OpenResult { Opened, Unreadable, Refused };
    // Opens a label file. A file that cannot be read still becomes the label
    // path (so Save writes there); a damaged one changes nothing. Either way the
    // label as it then stands is written to undo file 0.
    OpenResult OpenLabel(const QString& path, LabelFileProblem* problem = nullptr);
    // An Open that the user cancelled still rewrites undo file 0.
    void OpenCancelled();

    // Saves to `path` as it is (the caller has settled the name and questions).
    bool SaveLabel(const QString& path, QString* error = nullptr);

    void TakeSnapshot();
    bool UndoStep() { return Restored(undo_.RestoreSnapshot(-1, doc_.elements, doc_.labelPath.isEmpty())); }
    bool RedoStep() { return Restored(undo_.RestoreSnapshot(1, doc_.elements, doc_.labelPath.isEmpty())); }

    // The display scale (canvas pixels per dot) that line end points are held
    // at. A change rescales the lines of the label (the clipboard's follow when
    // it is next used); the first scale after an Open is the one the opened
    // file is drawn at.
    void SetViewScale(double scaleX, double scaleY);
    // Puts `doc` in place of the label without touching undo or clipboard; its
    // line ends are held at the scale the label is shown at next.
    void ReplaceDocument(LabelDocument doc);

    // Work the close question protects: a snapshot taken or undone since the
    // label was last saved or opened, or an edit that takes no snapshot.
    bool HasUnsavedChanges() const;
    void MarkEdited() { edited_ = true; }

    void Copy();
    // Takes the snapshot of the label before the cut elements leave it.
    void Cut();
    void Paste();
    bool CanCutOrCopy() const { return HasSelection(doc_.elements); }
    bool CanPaste() const { return clipboard_.CanPaste(); }

private:
    // Brings restored lines from the scale their undo file was written at.
    bool Restored(bool restored);
    void MarkSaved();
    void RescaleLines(QPointF from, QPointF to);
    // The clipboard's lines are brought to the display scale when it is used.
    void ClipboardToViewScale();

    // What a line's end point stood for in dots when it was last rescaled, so
    // that zooming step by step does not walk it away through rounding.
    struct LineEndDots {
        int32_t endX, endY;  // the pixels written then
        double x, y;
    };

    LabelDocument doc_;
    UndoSnapshots undo_;
    ElementClipboard clipboard_;
    std::vector<std::optional<LineEndDots>> lineEnds_;  // by element index
    QPointF viewScale_;                                 // none until the label is first shown
    QPointF clipboardScale_;
    bool scaleOfOpenedFile_ = false;
    bool linesAtNextScale_ = false;
    QHash<int, QPointF> fileScales_;  // undo file number -> scale of its lines
    int savedCount_ = 0;              // nSnapshotCount at the last save or open; -1: gone
    bool edited_ = false;
};

}  // namespace kestrix
