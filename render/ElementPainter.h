#pragma once
// Draws one element by its kind and rotation: the screen forms (canvas
// pixels, selection handles, new texts measured) or the output forms (dots).

#include <QPainter>

#include "document/LabelElement.h"
#include "render/RenderContext.h"

namespace kestrix {

// The per-kind dispatch of the canvas paint (ctx.forOutput false) and of
// DrawLabel (ctx.forOutput true). It does not advance serial numbers; DrawLabel
// does that after each text and linear barcode.
void PaintElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);

// The turned forms of text, pictures, linear barcodes and shapes; other kinds
// draw nothing here.
void DrawElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);

}  // namespace kestrix
