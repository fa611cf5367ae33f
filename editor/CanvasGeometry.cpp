#include "editor/CanvasGeometry.h"

#include <algorithm>

#include "document/Units.h"

namespace kestrix {

QSize FitCanvasSize(QSize area, int widthMm, int heightMm, int dpiX, int dpiY) {
    const int a = std::max(1, area.width() - 50);
    const int b = std::max(1, area.height() - 50);
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

QSize ZoomCanvasSize(QSize canvas, int step, double labelDotsWide) {
    const int w = canvas.width();
    const int h = canvas.height();
    if (w <= 0) return canvas;
    int newWidth = w + step;
    if (step > 0)
        newWidth = std::min(newWidth, std::max(w, static_cast<int>(8 * labelDotsWide)));
    else
        newWidth = std::max(newWidth, std::min(w, 100));
    const int delta = newWidth - w;
    return {newWidth, h + h * delta / w};
}

QRect ZoomCanvasRect(QRect canvas, QSize newSize, QSize view) {
    const int growX = (newSize.width() - canvas.width()) / 2;
    const int growY = (newSize.height() - canvas.height()) / 2;
    int left = canvas.left() - growX;
    int top = canvas.top() - growY;
    if (newSize.height() <= view.height()) top = (view.height() - newSize.height()) / 2;
    return {left, top, newSize.width(), newSize.height()};
}

int PlaceCanvasAxis(int origin, int canvasLen, int viewLen) {
    if (canvasLen <= viewLen) return (viewLen - canvasLen) / 2;
    return std::clamp(origin, viewLen - canvasLen, 0);
}

}  // namespace kestrix
