#pragma once

#include <QImage>
#include <QPoint>

namespace kestrix::icons {

enum class ToolCursor { Text, Code2D, Barcode, Picture, Line };

// Every tool cursor points with the centre of its crosshair.
inline constexpr QPoint kCursorHotSpot{7, 7};

// A 32 x 32 cursor: crosshair at the hot spot, the tool's mini glyph below right of it.
QImage PaintCursor(ToolCursor tool);

}  // namespace kestrix::icons
