#pragma once

#include <QPainter>

namespace kestrix::icons {

// Number of buttons with an image on the drawing tool bar, in sheet order.
inline constexpr int kDrawGlyphCount = 10;

// Paints glyph `index` of the drawing tool bar into the 28 x 28 box at the painter's origin.
void PaintDrawGlyph(QPainter& p, int index);

// Small versions used beside the crosshair of the tool cursors (12 x 12 box).
void PaintMiniText(QPainter& p);
void PaintMiniCode2D(QPainter& p);
void PaintMiniBarcode(QPainter& p);
void PaintMiniPicture(QPainter& p);
void PaintMiniLine(QPainter& p);

}  // namespace kestrix::icons
