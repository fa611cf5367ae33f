#include "document/ElementMove.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrix {

namespace {

int32_t Narrow(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t Rounded(double value) {
    constexpr double kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::round(value), kMin, kMax));
}

}  // namespace

int32_t LinePixel(int32_t dots, double scale) { return Rounded(dots * scale); }

QPointF LineReach(const LabelElement& e, QPointF scale) {
    const auto reach = [](int32_t end, int32_t start, double s) {
        return s > 0 ? (int64_t{end} - LinePixel(start, s)) / s : double(end) - start;
    };
    return {reach(e.nEndX, e.nPosX, scale.x()), reach(e.nEndY, e.nPosY, scale.y())};
}

void PlaceLineReach(LabelElement& e, QPointF reach, QPointF scale) {
    e.nEndX = Narrow(int64_t{LinePixel(e.nPosX, scale.x())} + Rounded(reach.x() * scale.x()));
    e.nEndY = Narrow(int64_t{LinePixel(e.nPosY, scale.y())} + Rounded(reach.y() * scale.y()));
}

QPoint LineEndDots(const LabelElement& e, QPointF scale) {
    const QPointF reach = LineReach(e, scale);
    return {Narrow(int64_t{e.nPosX} + Rounded(reach.x())), Narrow(int64_t{e.nPosY} + Rounded(reach.y()))};
}

DotBox ElementDotBox(const LabelElement& e, QPointF scale) {
    if (e.nType != kLine) return {e.nPosX, e.nPosY, e.nWidth, e.nHeight};
    const QPoint end = LineEndDots(e, scale);
    const int64_t endX = end.x(), endY = end.y();
    return {std::min<int64_t>(e.nPosX, endX), std::min<int64_t>(e.nPosY, endY), std::llabs(endX - e.nPosX),
            std::llabs(endY - e.nPosY)};
}

void PlaceLineStart(LabelElement& e, int64_t x, int64_t y, QPointF scale) {
    const int64_t offsetX = int64_t{e.nEndX} - LinePixel(e.nPosX, scale.x());
    const int64_t offsetY = int64_t{e.nEndY} - LinePixel(e.nPosY, scale.y());
    e.nPosX = Narrow(x);
    e.nPosY = Narrow(y);
    e.nEndX = Narrow(LinePixel(e.nPosX, scale.x()) + offsetX);
    e.nEndY = Narrow(LinePixel(e.nPosY, scale.y()) + offsetY);
}

void MoveElementBy(LabelElement& e, int64_t dx, int64_t dy, QPointF scale) {
    if (e.nType == kLine) return PlaceLineStart(e, int64_t{e.nPosX} + dx, int64_t{e.nPosY} + dy, scale);
    e.nPosX = Narrow(e.nPosX + dx);
    e.nPosY = Narrow(e.nPosY + dy);
}

}  // namespace kestrix
