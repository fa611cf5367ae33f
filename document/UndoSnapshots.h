#pragma once
// Whole-label undo: every snapshot is a numbered file "<n>.undo" in the
// temporary folder holding the label's records; Undo and Redo replace the
// label by another numbered file.

#include <QString>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

class UndoSnapshots {
public:
    // `folder` is where the numbered files live (the temporary folder by default).
    explicit UndoSnapshots(QString folder = {});

    // Writes the label as the next snapshot; an empty label takes none.
    void TakeSnapshot(const std::vector<LabelElement>& elements);
    // direction < 0 is Undo, otherwise Redo. Returns false when nothing happened;
    // otherwise `elements` holds the restored label (empty when the file is missing,
    // or at number 0 when no label file is open).
    bool RestoreSnapshot(int direction, std::vector<LabelElement>& elements, bool labelPathEmpty);
    // File number 0: the label as it stands after an Open, confirmed or cancelled.
    void WriteOpenedLabel(const std::vector<LabelElement>& elements) const;

    QString FilePath(int number) const;
    int nSnapshotCount() const { return count_; }
    int nSnapshotPos() const { return pos_; }
    int nSnapshotTop() const { return top_; }
    // The label counts as changed (for the close question) when this is true.
    bool HasChanges() const { return count_ > 0; }
    bool CanUndo() const { return count_ >= 1; }

private:
    bool WriteFile(int number, const std::vector<LabelElement>& elements) const;

    QString folder_;
    int count_ = 0;
    int pos_ = 0;
    int top_ = 0;
};

}  // namespace kestrix
