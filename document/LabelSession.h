#pragma once
// One label open for editing: the document with its undo snapshots and the
// element clipboard, and the New, Open and Save rules around them. The undo
// history belongs to this label: New and Open start it afresh. The editor
// window asks the questions; the rules live here.

#include <QHash>
#include <QPointF>
#include <QString>
#include <optional>

#include "document/ElementClipboard.h"
#include "document/LabelDocument.h"
#include "document/LabelFile.h"
#include "document/RecoverableLabel.h"
#include "document/UndoSnapshots.h"

namespace kestrix {

class LabelSession {
public:
    // `folder` keeps the undo files; `problem` says why there is none.
    explicit LabelSession(UndoFolder folder = {}, std::optional<UndoProblem> problem = {});

    LabelDocument& Document() { return doc_; }
    const LabelDocument& Document() const { return doc_; }
    std::vector<LabelElement>& Elements() { return doc_.elements; }
    UndoSnapshots& Undo() { return undo_; }
    const UndoSnapshots& Undo() const { return undo_; }
    ElementClipboard& Clipboard() { return clipboard_; }

    // Replaces the label by an empty one of the given size; path and printer
    // name are cleared and the undo history starts empty. Refuses a size
    // outside 1..2000 mm.
    bool NewLabel(int widthMm, int heightMm, QString* error = nullptr);

    enum class OpenResult { Opened, Unreadable, Refused };
    // Opens a label file: its label starts a new undo history, undo file 0
    // holding it as opened. A file that cannot be read still becomes the label
    // path (so Save writes there); a damaged one changes nothing. A label that
    // stays is written to undo file 0 as it stands.
    OpenResult OpenLabel(const QString& path, LabelFileProblem* problem = nullptr);
    // An Open that the user cancelled still rewrites undo file 0.
    void OpenCancelled();

    // Saves to `path` as it is (the caller has settled the name and
    // questions), which becomes the label's file.
    bool SaveLabel(const QString& path, QString* error = nullptr);

    // One undo step: the label as it now stands. Every change takes one.
    void TakeSnapshot();
    // One undo step when the elements differ from `before` (code images
    // aside); an operation that changed nothing takes none.
    bool TakeSnapshotIfChanged(const std::vector<LabelElement>& before);
    bool UndoStep() { return Restored(undo_.RestoreSnapshot(-1, doc_.elements, doc_.labelPath.isEmpty())); }
    bool RedoStep() { return Restored(undo_.RestoreSnapshot(1, doc_.elements, doc_.labelPath.isEmpty())); }
    // Puts the label an editor left when it died in place of this one, with
    // its undo history, whose folder becomes this session's. It is unsaved work.
    void Recover(RecoverableLabel found);

    // The display scale (canvas pixels per dot) that line end points are held
    // at. A change rescales the lines of the label (the clipboard's follow when
    // it is next used). Files hold them at scale 1.0: Open and Save convert.
    void SetViewScale(double scaleX, double scaleY);

    // Work the close question protects: the label differs from the one last
    // saved or opened.
    bool HasUnsavedChanges() const;

    void Copy();
    // Cut and Paste are one undo step each.
    void Cut();
    void Paste();
    bool CanCutOrCopy() const { return HasSelection(doc_.elements); }
    bool CanPaste() const { return clipboard_.CanPaste(); }

private:
    // Brings restored lines from the scale their undo file was written at.
    bool Restored(bool restored);
    void MarkSaved();
    // Keeps what recovery needs beside the undo files.
    void SaveState();
    void RescaleLines(QPointF from, QPointF to);
    // The label as a file holds it: line end points at scale 1.0.
    LabelDocument AtFileScale() const;
    // The clipboard's lines are brought to the display scale when it is used.
    void ClipboardToViewScale();

    // How far a line's end lay from its start in dots when it was last
    // rescaled, so that zooming step by step does not walk it away through rounding.
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
    QHash<int, QPointF> fileScales_;  // undo file number -> scale of its lines
    int savedCount_ = 0;              // nSnapshotCount at the last save or open; -1: gone
};

}  // namespace kestrix
