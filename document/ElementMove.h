#pragma once
// Moving elements by whole dots, and the area an element covers in dots. A
// line's end point is held in canvas pixels at the display scale; it keeps its
// distance in pixels from the drawn start, so a line moves whole and keeps its
// shape (a level line stays level) whatever the scale.

#include <QPointF>
#include <cstdint>

#include "document/LabelElement.h"

namespace kestrix {

// Where an element lies in dots: left, top and size. A line spans its two ends.
struct DotBox {
    int64_t left = 0;
    int64_t top = 0;
    int64_t width = 0;
    int64_t height = 0;
    int64_t Right() const { return left + width; }
    int64_t Bottom() const { return top + height; }
};

// A line's start in canvas pixels at `scale` pixels per dot, rounded to the
// nearest. Its end is held as pixels beyond that start, so a level line's
// ends share a row at every scale.
int32_t LinePixel(int32_t dots, double scale);
// How far a line's end lies from its start, in dots (unrounded), and the end
// placed that far from the start at another scale.
QPointF LineReach(const LabelElement& e, QPointF scale);
void PlaceLineReach(LabelElement& e, QPointF reach, QPointF scale);
// A line's end point in dots.
QPoint LineEndDots(const LabelElement& e, QPointF scale);

// `scale`: canvas pixels per dot that line end points are held at.
DotBox ElementDotBox(const LabelElement& e, QPointF scale);

// Moves an element `dx`, `dy` dots; a line's end goes with its start.
void MoveElementBy(LabelElement& e, int64_t dx, int64_t dy, QPointF scale);

// A line's start set to (`x`, `y`) dots with its end following, as a move does.
void PlaceLineStart(LabelElement& e, int64_t x, int64_t y, QPointF scale);

}  // namespace kestrix
