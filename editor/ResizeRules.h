#pragma once
// The four resize routines, one per element family. Each takes the element
// with its drag baseline (nOrgPosX, nOrgPosY, nOrgWidth, nOrgHeight) and its
// armed handle (nSize 0..7), the pointer `p` and the press point `down` in
// canvas pixels, and rewrites nPosX, nPosY, nWidth and nHeight only.
//
// Upright (and at any angle but the three quarter turns) a top or left edge
// jumps to the pointer and nothing stops a side at zero. Turned half way, the
// edges move by the drag. Turned a quarter, the handle works on the box as
// shown (nHeight wide, nWidth high) and the opposite side stays put.

#include <QPoint>

#include "document/LabelElement.h"

namespace kestrix {

// Texts: the glyphs follow the box, as the canvas stretches text to it.
void SizeFont(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY);
// Pictures and two-dimensional codes.
void SizePicture(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY);
// Shapes (the triangle apex is not a resize).
void SizeRectangle(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY);
// Linear barcodes: the top handle of an upright barcode stops before the
// height reaches the caption band (nTextHeight) plus 20.
void SizeBarcode(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY);

}  // namespace kestrix
