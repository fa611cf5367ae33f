#include "editor/DragStep.h"

#include <algorithm>
#include <cstdlib>

#include "document/ElementMove.h"
#include "editor/HitTest.h"
#include "editor/ResizeRules.h"
#include "render/RenderGeometry.h"

namespace kestrix {

namespace {

// The size a rectangle gets from a click without a drag.
constexpr int kClickedRectangle = 100;

void SetDragStart(LabelElement& e) {
    e.nOrgWidth = e.nWidth;
    e.nOrgHeight = e.nHeight;
    e.nOrgPosX = e.nPosX;
    e.nOrgPosY = e.nPosY;
    e.nOrgEndX = e.nEndX;
    e.nOrgEndY = e.nEndY;
}

}  // namespace

void MoveElement(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY) {
    e.nPosX = TruncToInt((p.x() - down.x()) / scaleX + e.nOrgPosX);
    e.nPosY = TruncToInt((p.y() - down.y()) / scaleY + e.nOrgPosY);
}

QPoint SnapToAngle(QPoint from, QPoint to) {
    const QPoint d = to - from;
    const int ax = std::abs(d.x()), ay = std::abs(d.y());
    // tan(22.5°) ≈ 0.414: below it the line is level, above 1 / 0.414 upright, diagonal between.
    if (ay * 1000 <= ax * 414) return {to.x(), from.y()};
    if (ax * 1000 <= ay * 414) return {from.x(), to.y()};
    const int side = (ax + ay) / 2;
    return from + QPoint(d.x() < 0 ? -side : side, d.y() < 0 ? -side : side);
}

void DragLine(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY, bool snap) {
    const QPoint start(LinePixel(e.nPosX, scaleX), LinePixel(e.nPosY, scaleY));
    switch (e.nSize) {
    case -1: {
        // From the drag's start, the end keeping its distance from the start as drawn.
        e.nPosX = e.nOrgPosX;
        e.nPosY = e.nOrgPosY;
        e.nEndX = e.nOrgEndX;
        e.nEndY = e.nOrgEndY;
        PlaceLineStart(e, TruncToInt((p.x() - down.x()) / scaleX + e.nOrgPosX),
                       TruncToInt((p.y() - down.y()) / scaleY + e.nOrgPosY), {scaleX, scaleY});
        break;
    }
    case 0: {
        const QPoint at = snap ? SnapToAngle({e.nEndX, e.nEndY}, p) : p;
        // The dot nearest the pointer, drawn where the pointer is.
        e.nPosX = qRound(at.x() / scaleX);
        e.nPosY = qRound(at.y() / scaleY);
        break;
    }
    case 1: {
        const QPoint at = snap ? SnapToAngle(start, p) : p;
        e.nEndX = at.x();
        e.nEndY = at.y();
        break;
    }
    default: break;
    }
}

void DragApex(LabelElement& e, QPoint p, double scaleX) {
    const DeviceBox b = ElementBox(e, scaleX, 1.0);
    if (b.left <= p.x() && p.x() <= int64_t{b.left} + b.width) e.nEndX = TruncToInt((p.x() - b.left) / scaleX);
}

std::optional<Qt::CursorShape> DragSelected(std::vector<LabelElement>& elements, QPoint p, QPoint down, double scaleX,
                                            double scaleY, bool snap) {
    std::optional<Qt::CursorShape> cursor;
    for (LabelElement& e : elements) {
        if (!e.bSelected) continue;
        if (e.nType == kLine) {
            DragLine(e, p, down, scaleX, scaleY, snap);
            break;
        }
        if (e.nSize == -1) {
            MoveElement(e, p, down, scaleX, scaleY);
            continue;
        }
        switch (e.nType) {
        case kText: SizeFont(e, p, down, scaleX, scaleY); break;
        case kPicture:
        case kCode2D: SizePicture(e, p, down, scaleX, scaleY); break;
        case kBarcode: SizeBarcode(e, p, down, scaleX, scaleY); break;
        case kShape:
            if (e.nSize == 8)
                DragApex(e, p, scaleX);
            else
                SizeRectangle(e, p, down, scaleX, scaleY);
            break;
        default: continue;
        }
        cursor = HandleCursor(e.nSize);
    }
    return cursor;
}

void StartDrag(std::vector<LabelElement>& elements) {
    for (LabelElement& e : elements) SetDragStart(e);
}

bool FinishDrag(std::vector<LabelElement>& elements, QPoint p, bool rectangleTool, double scaleX, double scaleY) {
    bool changed = false;
    for (LabelElement& e : elements) {
        if (!e.bSelected) continue;
        if (rectangleTool && e.nWidth == 0 && e.nHeight == 0) {
            e.nWidth = kClickedRectangle;
            e.nHeight = kClickedRectangle;
            e.nPosX = std::max(0, TruncToInt(p.x() / scaleX) - kClickedRectangle / 2);
            e.nPosY = std::max(0, TruncToInt(p.y() / scaleY) - kClickedRectangle / 2);
        }
        changed = changed || e.nPosX != e.nOrgPosX || e.nPosY != e.nOrgPosY || e.nWidth != e.nOrgWidth ||
                  e.nHeight != e.nOrgHeight || e.nEndX != e.nOrgEndX || e.nEndY != e.nOrgEndY;
        SetDragStart(e);
        e.nSize = -1;
    }
    return changed;
}

}  // namespace kestrix
