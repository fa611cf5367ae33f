#pragma once
// Drawing the built-in EAN-13: bars painted pixel for pixel into a rectangle,
// digits under them in the monospace face.

#include <QPainter>
#include <QRect>

#include "document/LabelElement.h"
#include "render/Ean13Code.h"
#include "render/RenderContext.h"

namespace kestrix {

// Paints the code into `rect` (right and bottom edges excluded, like GDI).
void Ean13Draw(QPainter& painter, const Ean13Code& code, const QRect& rect, bool antialias);

// An unrotated element of type 113. Content that cannot be encoded draws no
// code; on screen a thin outline and a short note mark where it is.
void DrawEan13Element(QPainter& painter, LabelElement& e, const RenderContext& ctx);
// The same into the turned box, turned by the element's rotation.
void DrawRotatedEan13Element(QPainter& painter, LabelElement& e, const RenderContext& ctx);

}  // namespace kestrix
