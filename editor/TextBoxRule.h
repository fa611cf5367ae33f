#pragma once
// How a text's box follows its content and its point size. A text is drawn
// with the font height = box height and each character cell = box width ÷
// cells, so a box that kept its width under new content would stretch or
// squeeze the letters: these rules keep their shape instead.

#include <QSize>
#include <string_view>

#include "document/LabelElement.h"

namespace kestrix {

// The units a text's width is spread over as it is drawn: character cells
// upright, plain characters when turned.
int TextUnits(const LabelElement& e, std::u16string_view text);

// The box width for new content: each unit as wide as before. With nothing to
// measure before, a unit is half the height wide.
int32_t TextWidthForContent(int32_t width, int32_t height, int unitsBefore, int unitsAfter);

// The box for a point size at `dpiY`: the height is that size in dots, the
// width follows in proportion (half the height per unit when there is none).
QSize TextBoxForPointSize(QSize box, int points, int dpiY, int units);

// The point size a box height stands for at `dpiY`.
int TextPointSize(int32_t height, int dpiY);

}  // namespace kestrix
