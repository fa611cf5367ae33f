#pragma once
// One label open for editing: the document with its undo snapshots and the
// element clipboard, and the New, Open and Save rules around them. The editor
// window asks the questions; the rules live here.

#include <QString>

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
    bool SaveLabel(const QString& path, QString* error = nullptr) const;

    void TakeSnapshot() { undo_.TakeSnapshot(doc_.elements); }
    bool UndoStep() { return undo_.RestoreSnapshot(-1, doc_.elements, doc_.labelPath.isEmpty()); }
    bool RedoStep() { return undo_.RestoreSnapshot(1, doc_.elements, doc_.labelPath.isEmpty()); }

    void Copy() { clipboard_.Copy(doc_.elements); }
    // Takes the snapshot of the label before the cut elements leave it.
    void Cut();
    void Paste() { clipboard_.Paste(doc_.elements); }
    bool CanCutOrCopy() const { return HasSelection(doc_.elements); }
    bool CanPaste() const { return clipboard_.CanPaste(); }

private:
    LabelDocument doc_;
    UndoSnapshots undo_;
    ElementClipboard clipboard_;
};

}  // namespace kestrix
