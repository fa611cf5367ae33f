#include "editor/CanvasGeometry.h"

#include <algorithm>
#include <cmath>

#include "document/Units.h"

namespace kestrix {

QSize FitCanvasSize(QSize area, int widthMm, int heightMm, int dpiX, int dpiY) {
    const int a = std::max(1, area.width() - 2 * kCanvasMargin);
    const int b = std::max(1, area.height() - 2 * kCanvasMargin);
    const double dw = LabelDots(widthMm, dpiX);
    const double dh = LabelDots(heightMm, dpiY);
    int width;
    int height;
    if (dw < a && dh <= b) {
        const int factor = (2 * dw <= a && 2 * dh <= b) ? 2 : 1;
        width = static_cast<int>(factor * dw);
        height = static_cast<int>(factor * dh);
    } else if (dw < a) {
        height = b;
        width = static_cast<int>(b * dw / dh);
    } else {
        // A whole number of pixels per millimetre keeps the ruler ticks even.
        width = widthMm > 0 ? (a / widthMm) * widthMm : a;
        if (width <= 0) width = a;
        height = static_cast<int>(width * dh / dw);
        if (height > b) {
            height = b;
            width = static_cast<int>(b * dw / dh);
        }
    }
    return {std::max(1, width), std::max(1, height)};
}

QSize ZoomCanvasSize(QSize canvas, double factor, double labelDotsWide) {
    const int w = canvas.width();
    const int h = canvas.height();
    if (w <= 0 || factor <= 0) return canvas;
    int newWidth = static_cast<int>(std::lround(w * factor));
    if (factor > 1)
        newWidth = std::min(newWidth, std::max(w, static_cast<int>(8 * labelDotsWide)));
    else
        newWidth = std::max(newWidth, std::min(w, 100));
    return {newWidth, static_cast<int>(std::lround(double(h) * newWidth / w))};
}

QRect ZoomCanvasRect(QRect canvas, QSize newSize, QPoint anchor) {
    if (canvas.width() <= 0 || canvas.height() <= 0) return {canvas.topLeft(), newSize};
    const double fx = double(anchor.x() - canvas.left()) / canvas.width();
    const double fy = double(anchor.y() - canvas.top()) / canvas.height();
    return {anchor.x() - static_cast<int>(std::lround(fx * newSize.width())),
            anchor.y() - static_cast<int>(std::lround(fy * newSize.height())), newSize.width(), newSize.height()};
}

QSize ActualCanvasSize(int widthMm, int heightMm, double screenDpiX, double screenDpiY) {
    return {std::max(1, static_cast<int>(std::lround(widthMm * screenDpiX / 25.4))),
            std::max(1, static_cast<int>(std::lround(heightMm * screenDpiY / 25.4)))};
}

int PlaceCanvasAxis(int origin, int canvasLen, int viewLen) {
    if (canvasLen <= viewLen) return (viewLen - canvasLen) / 2;
    return std::clamp(origin, viewLen - canvasLen, 0);
}

namespace {

struct AxisPlace {
    int labelStart;
    int windowStart;
    int windowLen;
};

AxisPlace PlaceAxisWithMargin(int labelStart, int labelLen, int viewLen) {
    const int outer = labelLen + 2 * kCanvasMargin;
    const int outerStart = PlaceCanvasAxis(labelStart - kCanvasMargin, outer, viewLen);
    return {outerStart + kCanvasMargin, std::min(outerStart, 0), std::max(outer, viewLen)};
}

}  // namespace

CanvasPlacement PlaceInView(QRect label, QSize view) {
    const AxisPlace x = PlaceAxisWithMargin(label.left(), label.width(), view.width());
    const AxisPlace y = PlaceAxisWithMargin(label.top(), label.height(), view.height());
    return {QRect(x.labelStart, y.labelStart, label.width(), label.height()),
            QRect(x.windowStart, y.windowStart, x.windowLen, y.windowLen)};
}

}  // namespace kestrix
