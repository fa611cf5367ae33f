#include "render/TextDrawing.h"

#include "render/GdiFont.h"
#include "render/RenderGeometry.h"
#include "render/SelectionHandles.h"

namespace kestrix {

namespace {

// Sets the element's size from a measured extent (canvas pixels back to dots).
void TakeMeasuredSize(LabelElement& e, QSize extent, const RenderContext& ctx) {
    e.nWidth = TruncToInt(extent.width() / ctx.ScaleX());
    e.nHeight = TruncToInt(extent.height() / ctx.ScaleY());
    e.nOrgWidth = e.nWidth;
    e.nOrgHeight = e.nHeight;
}

// A text as drawn: its font, where its cell starts and how it is turned.
struct PlacedText {
    GdiFont font;
    QPoint origin;
    int escapement = 0;
};

// The unrotated output form; the element's font fields are rewritten from its box.
PlacedText PlaceOutputText(LabelElement& e, const std::u16string& text16) {
    e.logFont.lfHeight = e.nHeight;
    e.logFont.lfWidth = e.nWidth / CountTextCells(text16);
    const DeviceBox dots = ElementBox(e, 1.0, 1.0);
    return {GdiFont(e.logFont, QString::fromStdU16String(text16), false), {dots.left, dots.top}, 0};
}

// The turned form (screen or output): the font carries the escapement and
// the origin keeps the text centred on the box.
PlacedText PlaceRotatedText(LabelElement& e, const std::u16string& text16, const RenderContext& ctx) {
    const QString text = QString::fromStdU16String(text16);
    const int rotation = NormalizedEscapement(e.nEscapement);
    const double sx = ctx.ScaleX();
    const double sy = ctx.ScaleY();
    const DeviceBox box = ElementBox(e, sx, sy);
    const QPoint origin = RotatedTextOrigin(rotation, box);
    LogFont lf = e.logFont;
    lf.lfHeight = TruncToInt(lf.lfHeight * sy);
    if (box.width == 0 && box.height <= 0) {
        lf.lfEscapement = 0;
        const QSize extent = GdiFont(lf, text, !ctx.forOutput).Extent();
        TakeMeasuredSize(e, extent, ctx);
    } else {
        // This branch spreads the width over plain characters, not cells.
        e.logFont.lfHeight = e.nHeight;
        e.logFont.lfWidth =
            static_cast<int32_t>(static_cast<uint32_t>(e.nWidth) / static_cast<uint32_t>(text16.size()));
        lf.lfHeight = TruncToInt(e.nHeight * sy);
        lf.lfWidth = TruncToInt(e.logFont.lfWidth * sx);
    }
    e.logFont.lfEscapement = rotation;
    lf.lfEscapement = rotation;
    return {GdiFont(lf, text, !ctx.forOutput), origin, rotation};
}

}  // namespace

std::vector<TextPiece> OutputTextPieces(LabelElement& e) {
    const std::u16string text16 = ElementText(e);
    if (text16.empty()) return {};
    RenderContext output;
    output.forOutput = true;
    const PlacedText placed = e.nEscapement != 0 ? PlaceRotatedText(e, text16, output) : PlaceOutputText(e, text16);
    return placed.font.Pieces(placed.origin, placed.escapement);
}

void DrawTextElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const std::u16string text16 = ElementText(e);
    if (text16.empty()) return;
    const QString text = QString::fromStdU16String(text16);
    const bool antialias = !ctx.forOutput;

    if (ctx.forOutput) {
        const PlacedText placed = PlaceOutputText(e, text16);
        placed.font.Draw(painter, placed.origin, 0, true);
        return;
    }

    const DeviceBox box = ElementBox(e, ctx.scaleX, ctx.scaleY);
    LogFont lf = e.logFont;
    lf.lfHeight = TruncToInt(lf.lfHeight * ctx.scaleY);
    lf.lfEscapement = 0;
    e.logFont.lfEscapement = 0;
    if (box.width != 0 || box.height != 0) {
        lf.lfHeight = box.height;
        lf.lfWidth = box.width / CountTextCells(text16);
    }
    const GdiFont font(lf, text, antialias);
    font.Draw(painter, {box.left, box.top}, 0, false);
    const QSize extent = font.Extent();
    if (box.width == 0 && box.height == 0) TakeMeasuredSize(e, extent, ctx);
    if (e.bSelected)
        DrawSelectionHandles(painter, HandleStyle::Text, box.left, box.top, extent.width(), extent.height(), &e);
}

void DrawRotatedTextElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const std::u16string text16 = ElementText(e);
    if (text16.empty()) return;
    const PlacedText placed = PlaceRotatedText(e, text16, ctx);
    placed.font.Draw(painter, placed.origin, placed.escapement, ctx.forOutput);

    if (e.bSelected && !ctx.forOutput) {
        const DeviceBox box = ElementBox(e, ctx.ScaleX(), ctx.ScaleY());
        const int rotation = placed.escapement;
        const bool sideways = rotation == 900 || rotation == 2700;
        const int w = sideways ? box.height : box.width;
        const int h = sideways ? box.width : box.height;
        const int left = sideways ? box.centerX - w / 2 : box.left;
        const int top = sideways ? box.centerY - h / 2 : box.top;
        DrawSelectionHandles(painter, HandleStyle::Text, left, top, w, h, nullptr);
    }
}

}  // namespace kestrix
