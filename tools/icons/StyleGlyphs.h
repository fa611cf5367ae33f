#pragma once

#include <QPainter>

namespace kestrix::icons {

// Number of text style buttons, in sheet order.
inline constexpr int kStyleGlyphCount = 6;

// Paints style glyph `index` into the 30 x 30 cell at the painter's origin.
void PaintStyleGlyph(QPainter& p, int index);

}  // namespace kestrix::icons
