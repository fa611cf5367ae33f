#include "editor/HitTest.h"

#include <cmath>
#include <cstdlib>

#include "document/ElementMove.h"
#include "editor/CanvasMode.h"
#include "render/RenderGeometry.h"

namespace kestrix {

namespace {

// How near the pointer must be to a line's end or a triangle's apex.
constexpr int kEndReach = 4;

bool Near(QPoint p, int64_t x, int64_t y, int reach) {
    return std::llabs(p.x() - x) <= reach && std::llabs(p.y() - y) <= reach;
}

// The cursor an armed element shows: a line's ends size sideways.
Qt::CursorShape ArmedCursor(const LabelElement& e) {
    return e.nType == kLine ? Qt::SizeHorCursor : HandleCursor(e.nSize);
}

// The first handle whose square (from `grow` before the point to `reach`
// after it) holds `p`, or -1. `cornersOnly` passes over the middle handles.
int HandleAt(const HandlePoint* points, QPoint p, int grow, int reach, bool cornersOnly = false) {
    const auto within = [](int64_t v, int64_t at, int grow, int reach) { return at - grow <= v && v < at + reach; };
    for (int i = 0; i < 8; ++i) {
        if (cornersOnly && (i == 1 || i == 3 || i == 4 || i == 6)) continue;
        if (within(p.x(), points[i].x, grow, reach) && within(p.y(), points[i].y, grow, reach)) return i;
    }
    return -1;
}

bool HasBoxHandles(int32_t type) { return type == kPicture || type == kBarcode || type == kCode2D || type == kShape; }

}  // namespace

bool Inside(const QRect& box, QPoint p) {
    const int64_t x = p.x(), y = p.y();
    return box.left() <= x && x < int64_t{box.left()} + box.width() && box.top() <= y &&
           y < int64_t{box.top()} + box.height();
}

QRect ElementHitBox(const LabelElement& e, double scaleX, double scaleY) {
    const DeviceBox b = ElementBox(e, scaleX, scaleY);
    const int angle = NormalizedEscapement(e.nEscapement);
    if (angle == 900 || angle == 2700) {
        if (e.nType == kText) {
            // Halves in dots, then scaled: the text turns about its box's centre.
            const int64_t x = int64_t{e.nPosX} + e.nWidth / 2 - e.nHeight / 2;
            const int64_t y = int64_t{e.nPosY} + e.nHeight / 2 - e.nWidth / 2;
            return {TruncToInt(x * scaleX), TruncToInt(y * scaleY), b.height, b.width};
        }
        if (e.nType == kPicture || e.nType == kBarcode || e.nType == kShape)
            return {b.centerX - b.height / 2, b.centerY - b.width / 2, b.height, b.width};
    }
    return {b.left, b.top, b.width, b.height};
}

int PressedHandle(const LabelElement& e, QPoint p, double scaleX, double scaleY) {
    const QRect box = ElementHitBox(e, scaleX, scaleY);
    if (e.nType == kText)
        return HandleAt(HandlePoints(HandleStyle::Text, box.left(), box.top(), box.width(), box.height()).data(), p, 1,
                        5);
    if (!HasBoxHandles(e.nType)) return -1;
    const DeviceBox b = ElementBox(e, scaleX, scaleY);
    return HandleAt(HandlePoints(HandleStyle::Text, b.left, b.top, box.width(), box.height()).data(), p, 10, 10);
}

LineHit HitLine(const LabelElement& e, QPoint p, double scaleX, double scaleY) {
    const double sx = e.nPosX * scaleX;
    const double sy = e.nPosY * scaleY;
    const double qx = e.nEndX;
    const double qy = e.nEndY;
    if (std::fabs(std::trunc(qy - sy)) <= 2 && std::fabs(p.y() - qy) <= 2) return LineHit::KeepOthers;
    if (std::fabs(std::trunc(qx - sx)) <= 2 && std::fabs(p.x() - qx) <= 2) return LineHit::KeepOthers;
    // Inverse slopes: the pointer seen from either end against the line itself.
    const double k = (qx - sx) / (qy - sy);
    const auto onSlope = [&](double fromX, double fromY) {
        const double d = (p.x() - fromX) / (p.y() - fromY) - k;
        return d >= -0.1 && d < 0.1;
    };
    return onSlope(sx, sy) || onSlope(qx, qy) ? LineHit::SelectAlone : LineHit::None;
}

Qt::CursorShape HandleCursor(int handle) {
    switch (handle) {
    case 0:
    case 7: return Qt::SizeFDiagCursor;
    case 1:
    case 6: return Qt::SizeVerCursor;
    case 2:
    case 5: return Qt::SizeBDiagCursor;
    case 3:
    case 4:
    case 8: return Qt::SizeHorCursor;
    default: return Qt::ArrowCursor;
    }
}

PressOutcome SelectionPress(std::vector<LabelElement>& elements, QPoint p, bool addToSelection, double scaleX,
                            double scaleY) {
    const auto selectAlone = [&](LabelElement& chosen) {
        chosen.bSelected = 1;
        if (addToSelection) return;
        for (LabelElement& other : elements)
            if (&other != &chosen) other.bSelected = 0;
    };
    LabelElement* shapeCandidate = nullptr;
    bool onElement = false;
    for (LabelElement& e : elements) {
        // A handle armed by hovering: this press starts its resize.
        if (e.nSize != -1 && e.bSelected) return {ArmedCursor(e), true, false};
        const QRect box = ElementHitBox(e, scaleX, scaleY);
        const bool inside = Inside(box, p);
        if (e.nSize != -1 && inside) {
            e.bSelected = 1;
            return {ArmedCursor(e), true, true};
        }
        if (e.bSelected && (e.nType == kText || HasBoxHandles(e.nType))) {
            if (const int handle = PressedHandle(e, p, scaleX, scaleY); handle >= 0) {
                e.nSize = handle;
                return {HandleCursor(handle), true, false};
            }
        }
        if (e.nType == kLine) {
            const LineHit hit = HitLine(e, p, scaleX, scaleY);
            if (hit == LineHit::KeepOthers) e.bSelected = 1;
            if (hit == LineHit::SelectAlone) selectAlone(e);
            if (hit != LineHit::None) return {std::nullopt, true, true};
        }
        if (!inside) {
            if (!addToSelection) e.bSelected = 0;
            continue;
        }
        onElement = true;
        if (e.nType == kShape) {
            // Chosen only if nothing else is hit above it.
            shapeCandidate = &e;
            continue;
        }
        if (shapeCandidate) shapeCandidate->bSelected = 0;
        shapeCandidate = nullptr;
        selectAlone(e);
    }
    if (shapeCandidate) shapeCandidate->bSelected = 1;
    return {std::nullopt, onElement, true};
}

std::optional<Qt::CursorShape> ArmHandles(std::vector<LabelElement>& elements, QPoint p, int& toolMode, double scaleX,
                                          double scaleY) {
    std::optional<Qt::CursorShape> cursor;
    for (LabelElement& e : elements) {
        if (!e.bSelected) continue;
        if (e.nType == kLine) {
            const QPoint start(LinePixel(e.nPosX, scaleX), LinePixel(e.nPosY, scaleY));
            if (Near(p, start.x(), start.y(), kEndReach) || Near(p, e.nEndX, e.nEndY, kEndReach)) {
                toolMode = kLineEndDrag;
                e.nSize = Near(p, start.x(), start.y(), kEndReach) ? 0 : 1;
                cursor = Qt::SizeHorCursor;
            } else if (toolMode == kSelectMode || toolMode == kLineEndDrag) {
                toolMode = kSelectMode;
                e.nSize = -1;
                cursor = Qt::ArrowCursor;
            }
            continue;
        }
        // A square code keeps its shape: only its corners size it.
        const bool cornersOnly = e.nType == kCode2D && e.nBarcodeType != kPdf417;
        if (const int handle = HandleAt(e.ptHandles, p, 1, 5, cornersOnly); handle >= 0) {
            e.nSize = handle;
            cursor = HandleCursor(handle);
        }
        if (e.nType == kShape && e.nShapeType == 3) {
            const DeviceBox b = ElementBox(e, scaleX, scaleY);
            const int64_t apexX = e.nEndX == -1 ? b.left + b.width / 2 : TruncToInt(e.nEndX * scaleX + b.left);
            if (Near(p, apexX, b.top, kEndReach)) {
                e.nSize = 8;
                cursor = Qt::SizeHorCursor;
            }
        }
    }
    return cursor;
}

void SelectInside(std::vector<LabelElement>& elements, const QRect& frame, double scaleX, double scaleY) {
    const QRect area = frame.normalized();
    for (LabelElement& e : elements) {
        QRect box = ElementHitBox(e, scaleX, scaleY);
        if (e.nType == kLine) box = QRect(box.topLeft(), QPoint(TruncToInt(e.nEndX), TruncToInt(e.nEndY)));
        if (area.contains(box.normalized())) e.bSelected = 1;
    }
}

}  // namespace kestrix
