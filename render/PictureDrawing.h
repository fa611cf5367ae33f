#pragma once
// Picture elements: the image file scaled into the box with hard pixel edges,
// reduced to black and white first when the output asks for it.

#include <QPainter>

#include "document/LabelElement.h"
#include "render/RenderContext.h"

namespace kestrix {

// Unrotated picture (screen or output form). A missing file draws nothing.
void DrawPictureElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);
// Turned picture: the image is turned by the rotation and drawn into the
// turned box.
void DrawRotatedPictureElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);

}  // namespace kestrix
