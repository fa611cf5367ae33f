#include "editor/HitTest.h"

#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "document/ElementMove.h"
#include "editor/CanvasMode.h"
#include "render/RenderGeometry.h"

namespace kestrix {

namespace {

// How near the pointer must be to a line's end or a triangle's apex.
constexpr int kEndReach = 4;
// How near, in pixels at any zoom, a press must be to an outline or a line beyond its pen.
constexpr double kStrokeReach = 4.0;

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
    DeviceBox b = ElementBox(e, scaleX, scaleY);
    // A square code is drawn as high as it is wide, whatever its stored height.
    if (e.nType == kCode2D && e.nBarcodeType != kPdf417) b.height = b.width;
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

namespace {

double SegmentDistance(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

bool NearPolyline(QPointF p, std::initializer_list<QPointF> points, double reach) {
    for (auto a = points.begin(), b = std::next(a); b != points.end(); ++a, ++b)
        if (SegmentDistance(p, *a, *b) <= reach) return true;
    return false;
}

// How far from the drawn stroke a press still hits it: half the pen and a few pixels.
double StrokeReach(const LabelElement& e) { return std::clamp(e.nLineWidth, 0, 400) / 2.0 + kStrokeReach; }

}  // namespace

bool HitsLine(const LabelElement& e, QPoint p, double scaleX, double scaleY) {
    const QPointF start(LinePixel(e.nPosX, scaleX), LinePixel(e.nPosY, scaleY));
    return SegmentDistance(p, start, QPointF(e.nEndX, e.nEndY)) <= StrokeReach(e);
}

bool HitsShapeOutline(const LabelElement& e, QPoint p, double scaleX, double scaleY) {
    const DeviceBox b = ElementBox(e, scaleX, scaleY);
    // A turned shape is tested unturned, with the press turned back about its centre.
    QPointF at = p;
    if (const int angle = NormalizedEscapement(e.nEscapement); angle == 900 || angle == 1800 || angle == 2700)
        at = ToQTransform(RotationXform(angle, b.centerX, b.centerY)).inverted().map(QPointF(p));
    const double reach = StrokeReach(e);
    const QRectF box(b.left, b.top, b.width, b.height);
    switch (e.nShapeType) {
    case 0:
    case 1: {
        const QRectF outer = box.normalized().adjusted(-reach, -reach, reach, reach);
        const QRectF inner = box.normalized().adjusted(reach, reach, -reach, -reach);
        return outer.contains(at) && !(inner.isValid() && inner.contains(at));
    }
    case 2: {
        const double a = std::abs(box.width()) / 2, bb = std::abs(box.height()) / 2;
        const QPointF d = at - box.normalized().center();
        const auto within = [&](double ra, double rb) {
            return ra > 0 && rb > 0 && std::pow(d.x() / ra, 2) + std::pow(d.y() / rb, 2) <= 1.0;
        };
        return within(a + reach, bb + reach) && !within(a - reach, bb - reach);
    }
    case 3: {
        const double apex = e.nEndX == -1 ? b.left + b.width / 2 : TruncToInt(e.nEndX * scaleX + b.left);
        return NearPolyline(at, {{apex, box.top()}, box.bottomLeft(), box.bottomRight(), {apex, box.top()}}, reach);
    }
    case 4: {
        const QPointF c = box.center();
        return NearPolyline(
            at,
            {{c.x(), box.top()}, {box.left(), c.y()}, {c.x(), box.bottom()}, {box.right(), c.y()}, {c.x(), box.top()}},
            reach);
    }
    default: return Inside(ElementHitBox(e, scaleX, scaleY), p);
    }
}

bool HitsElement(const LabelElement& e, QPoint p, double scaleX, double scaleY) {
    switch (e.nType) {
    case kLine: return HitsLine(e, p, scaleX, scaleY);
    case kShape: return HitsShapeOutline(e, p, scaleX, scaleY);
    default: return Inside(ElementHitBox(e, scaleX, scaleY), p);
    }
}

std::optional<std::size_t> TopmostAt(const std::vector<LabelElement>& elements, QPoint p, double scaleX,
                                     double scaleY) {
    for (std::size_t i = elements.size(); i-- > 0;)
        if (HitsElement(elements[i], p, scaleX, scaleY)) return i;
    return std::nullopt;
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
    for (LabelElement& e : elements) {
        // A handle armed by hovering: this press starts its resize.
        if (e.nSize != -1 && e.bSelected) return {ArmedCursor(e), true, false};
    }
    for (LabelElement& e : elements) {
        if (!e.bSelected || (e.nType != kText && !HasBoxHandles(e.nType))) continue;
        if (const int handle = PressedHandle(e, p, scaleX, scaleY); handle >= 0) {
            e.nSize = handle;
            return {HandleCursor(handle), true, false};
        }
    }
    const std::optional<std::size_t> hit = TopmostAt(elements, p, scaleX, scaleY);
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (!addToSelection && i != hit) elements[i].bSelected = 0;
    if (!hit) return {std::nullopt, false, true};
    LabelElement& chosen = elements[*hit];
    chosen.bSelected = 1;
    std::optional<Qt::CursorShape> cursor;
    if (chosen.nSize != -1) cursor = ArmedCursor(chosen);
    return {cursor, true, true};
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

void SelectInside(std::vector<LabelElement>& elements, const QRect& frame, const QRect& shown, double scaleX,
                  double scaleY) {
    const QRect area = frame.normalized();
    for (LabelElement& e : elements) {
        QRect box = ElementHitBox(e, scaleX, scaleY).normalized();
        if (e.nType == kLine)
            box = QRect(QPoint(LinePixel(e.nPosX, scaleX), LinePixel(e.nPosY, scaleY)), QPoint(e.nEndX, e.nEndY))
                      .normalized();
        // What lies beyond the canvas cannot be framed: the part shown counts.
        const QRect part = box.intersected(shown);
        if (!part.isEmpty() ? area.contains(part) : area.contains(box)) e.bSelected = 1;
    }
}

}  // namespace kestrix
