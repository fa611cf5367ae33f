#pragma once
// One pointer step of a drag with the left button down, and the release that
// ends it: selected elements move from their own start, resize by their armed
// handle, or, for lines and triangles, move an end or the apex.

#include <QPoint>
#include <optional>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

// nPosX, nPosY from the drag start plus the pointer's way in dots; a line's
// end point follows in pixels.
void MoveElement(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY);

// `to` moved onto the nearest of the lines through `from` at 0, 45, 90, ... degrees.
QPoint SnapToAngle(QPoint from, QPoint to);

// A selected line: the whole line (nSize -1), its start (0) or its end (1);
// with `snap` (Shift held) a dragged end keeps the line at a multiple of 45°.
void DragLine(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY, bool snap = false);

// A triangle's apex (nSize 8) follows the pointer while it stays over the box.
void DragApex(LabelElement& e, QPoint p, double scaleX);

// Every selected element in array order; a line ends the step, so elements
// after it in the array stay where they are. The cursor to show, if any.
std::optional<Qt::CursorShape> DragSelected(std::vector<LabelElement>& elements, QPoint p, QPoint down, double scaleX,
                                            double scaleY, bool snap = false);

// The press: every element's present place and size become the drag's start
// (nOrgPosX, nOrgPosY, nOrgWidth, nOrgHeight, nOrgEndX, nOrgEndY), so keys,
// dialogs and Paste that moved an element since the last release do not make it jump.
void StartDrag(std::vector<LabelElement>& elements);

// The release: a rectangle made by a click without a drag becomes 100 x 100
// dots around `p`; every selected element takes its present place and size as
// the next drag's start and is disarmed. True when the drag changed anything.
bool FinishDrag(std::vector<LabelElement>& elements, QPoint p, bool rectangleTool, double scaleX, double scaleY);

}  // namespace kestrix
