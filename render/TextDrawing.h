#pragma once
// Text elements: the unrotated screen and output forms and the turned form.

#include <QPainter>

#include <vector>

#include "document/LabelElement.h"
#include "render/GdiFont.h"
#include "render/RenderContext.h"

namespace kestrix {

// Unrotated text. On screen a text with no box yet is drawn at its natural
// size and gets its box from the measurement; otherwise the font is stretched
// to the box. On output the element's font fields are rewritten from its box.
void DrawTextElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);

// Turned text (any nonzero rotation): the font carries the escapement and the
// origin is moved so the text stays centred on the box.
void DrawRotatedTextElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);

// What the output form of a text draws, piece by piece (nothing for an empty
// text); the element's font fields are set as drawing sets them.
std::vector<TextPiece> OutputTextPieces(LabelElement& e);

}  // namespace kestrix
