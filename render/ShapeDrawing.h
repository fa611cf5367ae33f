#pragma once
// Shapes (outlines of the rectangle family) and lines, drawn with a solid
// black pen of nLineWidth device units and never filled.

#include <QPainter>

#include "document/LabelElement.h"
#include "render/RenderContext.h"

namespace kestrix {

// An unrotated shape into its box.
void DrawShapeElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);
// A turned shape: the plain rectangle over its turned box, the others through
// a rotation about the box centre.
void DrawRotatedShapeElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);
// A line, whatever its rotation. On screen the end point is already in canvas
// pixels; on output it is turned back into dots with the view scale.
void DrawLineElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);

}  // namespace kestrix
