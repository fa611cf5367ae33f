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

}  // namespace

void DrawTextElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const std::u16string text16 = ElementText(e);
    if (text16.empty()) return;
    const QString text = QString::fromStdU16String(text16);
    const bool antialias = !ctx.forOutput;

    if (ctx.forOutput) {
        e.logFont.lfHeight = e.nHeight;
        e.logFont.lfWidth = e.nWidth / CountTextCells(text16);
        const DeviceBox dots = ElementBox(e, 1.0, 1.0);
        GdiFont(e.logFont, text, antialias).Draw(painter, {dots.left, dots.top}, 0, true);
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
        DrawSelectionHandles(painter, HandleStyle::Text, box.left, box.top, extent.width(),
                             extent.height(), &e);
}

void DrawRotatedTextElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const std::u16string text16 = ElementText(e);
    if (text16.empty()) return;
    const QString text = QString::fromStdU16String(text16);
    const int rotation = NormalizedEscapement(e.nEscapement);
    const double sx = ctx.ScaleX();
    const double sy = ctx.ScaleY();

    DeviceBox box = ElementBox(e, sx, sy);
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
        e.logFont.lfWidth = static_cast<int32_t>(static_cast<uint32_t>(e.nWidth) /
                                                 static_cast<uint32_t>(text16.size()));
        lf.lfHeight = TruncToInt(e.nHeight * sy);
        lf.lfWidth = TruncToInt(e.logFont.lfWidth * sx);
    }
    e.logFont.lfEscapement = rotation;
    lf.lfEscapement = rotation;
    GdiFont(lf, text, !ctx.forOutput).Draw(painter, origin, rotation, ctx.forOutput);

    if (e.bSelected && !ctx.forOutput) {
        box = ElementBox(e, sx, sy);
        const bool sideways = rotation == 900 || rotation == 2700;
        const int w = sideways ? box.height : box.width;
        const int h = sideways ? box.width : box.height;
        const int left = sideways ? box.centerX - w / 2 : box.left;
        const int top = sideways ? box.centerY - h / 2 : box.top;
        DrawSelectionHandles(painter, HandleStyle::Text, left, top, w, h, nullptr);
    }
}

}  // namespace kestrix
