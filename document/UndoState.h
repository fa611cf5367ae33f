#pragma once
// What an editor window keeps beside its undo files, so that the label can be
// brought back after the editor died: the label's size, printer and file, the
// three undo counters, the counter at the last save, whether there is unsaved
// work, and the display scale at which each numbered file holds its line ends.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QPointF>
#include <QString>
#include <optional>

namespace kestrix {

struct UndoState {
    int widthMm = 50;
    int heightMm = 80;
    QByteArray printerName;
    QString labelPath;
    int count = 0;
    int pos = 0;
    int top = 0;
    int savedCount = 0;  // -1: the saved label can no longer be reached
    bool unsaved = false;
    QHash<int, QPointF> scales;  // undo file number -> canvas pixels per dot of its lines
};

// The state file's name in the undo folder.
inline constexpr char kUndoStateFile[] = "label.json";

QByteArray UndoStateBytes(const UndoState& state);
// Nothing when the bytes are not a whole, sensible state.
std::optional<UndoState> ParseUndoState(QByteArrayView bytes);

}  // namespace kestrix
