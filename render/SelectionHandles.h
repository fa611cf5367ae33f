#pragma once
// The eight resize handles drawn around a selected element on the canvas.

#include <QPainter>

#include "document/LabelElement.h"
#include "render/RenderGeometry.h"

namespace kestrix {

// Draws 4x4 black squares at the handle points of the box and, when `store`
// is given, records the points in its ptHandles for hit-testing.
void DrawSelectionHandles(QPainter& painter, HandleStyle style, int left, int top, int width, int height,
                          LabelElement* store);

}  // namespace kestrix
