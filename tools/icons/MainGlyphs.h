#pragma once

#include <QPainter>

namespace kestrix::icons {

// Number of buttons on the main tool bar, in sheet order.
inline constexpr int kMainGlyphCount = 26;

// Paints glyph `index` of the main tool bar into the 28 x 28 box at the painter's origin.
void PaintMainGlyph(QPainter& p, int index);

}  // namespace kestrix::icons
