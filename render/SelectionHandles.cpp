#include "render/SelectionHandles.h"

namespace kestrix {

void DrawSelectionHandles(QPainter& painter, HandleStyle style, int left, int top, int width, int height,
                          LabelElement* store) {
    const auto points = HandlePoints(style, left, top, width, height);
    for (const HandlePoint& p : points) painter.fillRect(p.x, p.y, 4, 4, Qt::black);
    if (store) std::copy(points.begin(), points.end(), store->ptHandles);
}

}  // namespace kestrix
