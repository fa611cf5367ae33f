#pragma once
// Whole-label undo: every snapshot is a numbered file "<n>.undo" in the
// window's private undo folder holding the label's records; Undo and Redo
// replace the label by another numbered file. Beside them the state file keeps
// what recovery needs. Without a folder, or once a file cannot be written,
// the steps are still counted (the label still counts as changed) but undo
// has nothing to go back to; Problem says why.

#include <QString>
#include <optional>
#include <vector>

#include "document/LabelElement.h"
#include "document/UndoFolder.h"
#include "document/UndoState.h"

namespace kestrix {

class UndoSnapshots {
public:
    // `problem`: why there is no folder, when there is none.
    explicit UndoSnapshots(UndoFolder folder = {}, std::optional<UndoProblem> problem = {});

    // Writes the label as it now stands as the next snapshot, also when it is
    // empty (the step that deleted its last element).
    void TakeSnapshot(const std::vector<LabelElement>& elements);
    // direction < 0 is Undo, otherwise Redo. Returns false when nothing happened;
    // otherwise `elements` holds the restored label (empty when the file is missing,
    // or at number 0 when no label file is open).
    bool RestoreSnapshot(int direction, std::vector<LabelElement>& elements, bool labelPathEmpty);
    // File number 0: the label as it stands after an Open, confirmed or cancelled.
    void WriteOpenedLabel(const std::vector<LabelElement>& elements);
    // A new label: the counters go back to 0 and every numbered file goes.
    void Restart();
    // Keeps `state` beside the numbered files, replacing the one kept before.
    void WriteState(const UndoState& state);
    // Takes over the folder and the counters of an editor that died; this
    // window's own folder goes.
    void Adopt(UndoFolder folder, const UndoState& state);

    QString FilePath(int number) const;
    const UndoFolder& Folder() const { return folder_; }
    int nSnapshotCount() const { return count_; }
    int nSnapshotPos() const { return pos_; }
    int nSnapshotTop() const { return top_; }
    // Without a file to go back to (no folder, or no file written) Undo has nothing to do.
    bool CanUndo() const { return pos_ >= 1; }
    // A step taken back that Redo can bring again.
    bool CanRedo() const { return count_ < top_; }
    // Why undo steps are not kept, from the first failure on.
    const std::optional<UndoProblem>& Problem() const { return problem_; }

private:
    bool WriteFile(const QString& name, QByteArrayView bytes);

    UndoFolder folder_;
    std::optional<UndoProblem> problem_;
    int count_ = 0;
    int pos_ = 0;
    int top_ = 0;
};

}  // namespace kestrix
