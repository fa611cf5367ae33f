#pragma once
// Where the main window may stand: wholly within the screen's available area,
// so its title bar can always be reached.

#include <QRect>

namespace kestrix {

// `frame` (the window with its title bar) shrunk to fit `available` and moved
// into it, never above its top nor left of its left edge.
QRect KeepOnScreen(QRect frame, QRect available);

}  // namespace kestrix
