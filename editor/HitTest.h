#pragma once
// What a press or the pointer is on, in canvas pixels: hit boxes (turned for
// quarter turns), strokes of lines and outlines of shapes, the handle squares,
// the selection press, and arming a handle by hovering. Plain functions
// over the element array; the canvas turns their answers into cursors.

#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

// Left <= x < right and top <= y < bottom; an empty or negative box holds nothing.
bool Inside(const QRect& box, QPoint p);

// The box a press is tested against: the element's box at the display scale
// as drawn (a square code as high as wide); for 900 and 2700 turned about its
// centre for text, pictures, barcodes and shapes. A line's box is its empty (L, T, 0, 0).
QRect ElementHitBox(const LabelElement& e, double scaleX, double scaleY);

// The handle (0..7) that a press at `p` grabs on a selected element, or -1:
// text tests small squares around its hit box, pictures, codes and shapes
// large squares placed from their unturned corner and the hit box's size.
int PressedHandle(const LabelElement& e, QPoint p, double scaleX, double scaleY);

// Whether a press at `p` is on the element: a line within a few pixels of its
// stroke between its ends; a shape, which is never filled, within a few pixels
// of its outline; any other kind anywhere in its hit box.
bool HitsElement(const LabelElement& e, QPoint p, double scaleX, double scaleY);
bool HitsLine(const LabelElement& e, QPoint p, double scaleX, double scaleY);
bool HitsShapeOutline(const LabelElement& e, QPoint p, double scaleX, double scaleY);

// The index of the element drawn on top of the others under `p`, if any.
std::optional<std::size_t> TopmostAt(const std::vector<LabelElement>& elements, QPoint p, double scaleX, double scaleY);

// The sizing cursor of a handle (0..7, 8 the triangle apex); the arrow for others.
Qt::CursorShape HandleCursor(int handle);

struct PressOutcome {
    std::optional<Qt::CursorShape> cursor;  // shown when set
    bool onElement = false;                 // false: the press is on empty label area
    bool repaint = true;
};

// The left-button press in selection mode: an armed handle of a selected
// element ends the press (a resize follows), then a handle under the pointer
// is grabbed; otherwise the topmost element under the pointer (HitsElement) is
// selected, alone unless `addToSelection` (Shift or Control), which also keeps
// the selection on a miss.
PressOutcome SelectionPress(std::vector<LabelElement>& elements, QPoint p, bool addToSelection, double scaleX,
                            double scaleY);

// The pointer moving with the button up over selected elements: a line end
// under it puts the canvas in line-end mode (`toolMode` 20), a drawn handle or
// a triangle's apex under it arms that handle (nSize). Leaving a handle keeps
// it armed. The cursor to show, if any changed.
std::optional<Qt::CursorShape> ArmHandles(std::vector<LabelElement>& elements, QPoint p, int& toolMode, double scaleX,
                                          double scaleY);

// Selects every element whose box (a line: the box of its two ends), as far as
// it lies on the `shown` area, is wholly inside `frame`; the others keep their selection.
void SelectInside(std::vector<LabelElement>& elements, const QRect& frame, const QRect& shown, double scaleX,
                  double scaleY);

}  // namespace kestrix
