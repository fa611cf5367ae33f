#pragma once
// The arrangement commands of the second tool bar over the element list:
// placing elements at the label's edges or centre, aligning them with each
// other, their stacking order, equal spacing and quarter turns. Positions and
// sizes are dots; a line moves whole and is measured by the box of its
// two ends, whose end point is in pixels at `scale` (canvas pixels per dot).

#include <QPointF>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

class CodeImageCache;

// `PositionElement` modes: against the label's edges and centre lines.
enum PositionMode : int {
    kPositionTop = 0,
    kPositionBottom = 1,
    kPositionLeft = 2,
    kPositionRight = 3,
    kPositionVerticalCentre = 4,
    kPositionHorizontalCentre = 5,
};

// `AlignElement` modes.
enum AlignMode : int {
    kAlignLeft = 6,
    kAlignRight = 7,
    kAlignTop = 8,
    kAlignBottom = 9,
    kMoveToFront = 10,
    kMoveToBack = 11,
    kBringForward = 12,
    kSendBackward = 13,
    kSpaceHorizontally = 14,
    kSpaceVertically = 15,
};

// The label's size in dots as the canvas sees it.
struct LabelDotSize {
    int width = 0;
    int height = 0;
};

// Places every selected unturned element against the label, each on its own.
void PositionElement(std::vector<LabelElement>& elements, int mode, LabelDotSize label, QPointF scale);

// Modes 6 to 15 on the selected elements. False when the command leaves the
// label as it was and wants no repaint (Bring Forward with the selection on top,
// Send Backward with it at the bottom).
bool AlignElement(std::vector<LabelElement>& elements, int mode, QPointF scale);

// Turns every selected element by `delta` tenths of a degree and frees its
// code image, so that the code is encoded again at the new angle. Returns how
// many elements turned.
int RotateElements(std::vector<LabelElement>& elements, int delta, CodeImageCache& codes);

// What an arrangement command asks of the canvas afterwards.
enum class ArrangeOutcome { kNothing, kRepaint, kRepaintAndSnapshot };

// Runs the second tool bar's command `command` (135 to 156; the numbers below
// 135 and zoom belong to others and do nothing here).
ArrangeOutcome ArrangeElements(int command, std::vector<LabelElement>& elements, LabelDotSize label, QPointF scale,
                               CodeImageCache& codes);

}  // namespace kestrix
