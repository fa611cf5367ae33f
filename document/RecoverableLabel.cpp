#include "document/RecoverableLabel.h"

#include <QFileInfo>

#include "document/LabelFile.h"
#include "document/RegularFile.h"

namespace kestrix {

namespace {

// The label as the dead editor showed it: the snapshot of the state's
// position, which must be whole records of known kinds and not empty (an
// empty label is no unsaved work).
bool ReadShownLabel(const UndoFolder& folder, const UndoState& state, std::vector<LabelElement>& elements,
                    QString* why) {
    const QString name = QStringLiteral("%1.undo").arg(state.pos);
    const FileRead read = ReadRegularFile(folder.FilePath(name), kMaxLabelFileBytes);
    if (read.problem != FileProblem::None || read.bytes.isEmpty() ||
        static_cast<std::size_t>(read.bytes.size()) % kRecordSize != 0) {
        *why = QStringLiteral("%1 is missing, empty or cut short").arg(name);
        return false;
    }
    elements = RecordsFrom(read.bytes);
    for (const LabelElement& e : elements) {
        if (e.nType < kText || e.nType > kShape) {
            *why = QStringLiteral("%1 holds a record of unknown kind %2").arg(name).arg(e.nType);
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<RecoverableLabel> FindRecoverableLabels(const QStringList& parents, QStringList* notes) {
    std::vector<RecoverableLabel> found;
    for (UndoFolder& folder : UndoFolder::Abandoned(parents)) {
        const QString statePath = folder.FilePath(QLatin1String(kUndoStateFile));
        const FileRead read = ReadRegularFile(statePath, 1 << 20);
        // An editor that never changed its label has written no state.
        if (read.problem == FileProblem::Missing) {
            folder.Remove();
            continue;
        }
        const std::optional<UndoState> state = ParseUndoState(read.bytes);
        QString why = QStringLiteral("its state file %1 does not read").arg(kUndoStateFile);
        RecoverableLabel label{std::move(folder), state.value_or(UndoState{}), {}, {}};
        if (state && !state->unsaved) {
            label.folder.Remove();
            continue;
        }
        if (!state || !ReadShownLabel(label.folder, *state, label.elements, &why)) {
            if (notes)
                *notes << QStringLiteral("removed the undo folder %1 of an editor that stopped: %2")
                              .arg(label.folder.Path(), why);
            label.folder.Remove();
            continue;
        }
        label.changedAt = QFileInfo(statePath).lastModified();
        found.push_back(std::move(label));
    }
    return found;
}

}  // namespace kestrix
