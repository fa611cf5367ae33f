#pragma once
// A label left unsaved by an editor that died (killed, crashed, power gone):
// the undo folder it left, with the state beside the numbered files and the
// label as it was last shown. The next start offers it.

#include <QDateTime>
#include <QStringList>
#include <vector>

#include "document/LabelElement.h"
#include "document/UndoFolder.h"
#include "document/UndoState.h"

namespace kestrix {

struct RecoverableLabel {
    UndoFolder folder;  // locked by the caller until it is recovered, removed or let go
    UndoState state;
    std::vector<LabelElement> elements;
    QDateTime changedAt;  // when the dead editor last wrote its state
};

// The abandoned undo folders in `parents` that hold unsaved work, newest
// first. A folder without unsaved work is removed; one whose state or shown
// snapshot does not read as a label is removed too, with a line in `notes`
// saying which and why.
std::vector<RecoverableLabel> FindRecoverableLabels(const QStringList& parents, QStringList* notes);

}  // namespace kestrix
