#include "render/BarcodeDrawing.h"

#include "render/CodeImageCache.h"
#include "render/Ean13Drawing.h"
#include "render/GdiFont.h"
#include "render/ImageBlit.h"
#include "render/RenderGeometry.h"
#include "render/SelectionHandles.h"
#include "render/ZintEncoder.h"

namespace kestrix {

namespace {

// The caption font: the element's logFont at the display scale.
LogFont CaptionFont(const LabelElement& e, double scaleY, int escapement) {
    LogFont lf = e.logFont;
    lf.lfHeight = TruncToInt(lf.lfHeight * scaleY);
    lf.lfEscapement = escapement;
    return lf;
}

}  // namespace

CodeImage CodeImageFor(LabelElement& e, const RenderContext& ctx, int rotateAngle, bool linear) {
    if (ctx.codes) {
        if (const CodeImage* cached = ctx.codes->Find(e.hCache)) return *cached;
    }
    CodeImage image =
        ZintEncoder::EncodeModules(e.nBarcodeType, ElementText(e), e.nWidth, rotateAngle, linear);
    if (ctx.codes) e.hCache = ctx.codes->Store(image);
    return image;
}

void DrawBarcodeElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const CodeImage image = CodeImageFor(e, ctx, 0, true);
    if (image.IsNull()) return;
    const QSize full = image.FullSize();
    const double sy = ctx.ScaleY();
    const DeviceBox box = ElementBox(e, ctx.ScaleX(), sy);
    const int textH = e.bShowText ? TruncToInt(e.logFont.lfHeight * sy) : 0;
    const int barH = box.height - textH - 2;
    // Stretched across, used at its own scale down and repeated when short.
    DrawCodeImage(painter, image, QRect(0, 0, full.width(), barH), QRect(box.left, box.top, box.width, barH),
                  WrapMode::Tile);
    int handleH = box.height;
    if (e.bShowText) {
        const GdiFont font(CaptionFont(e, sy, 0), QString::fromStdU16String(ElementText(e)),
                           !ctx.forOutput);
        const QSize extent = font.Extent();
        font.Draw(painter, {box.left + (box.width - extent.width()) / 2, box.top + barH}, 0,
                  ctx.forOutput);
        handleH = barH + extent.height();
    }
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Code, box.left, box.top, box.width, handleH, &e);
}

void DrawRotatedBarcodeElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    if (e.nBarcodeType == kBuiltinEan13) {
        DrawRotatedEan13Element(painter, e, ctx);
        return;
    }
    const int rotation = NormalizedEscapement(e.nEscapement);
    const int angle = ClockwiseDegrees(rotation);
    if (angle == 0) return;  // the library only turns by right angles
    const CodeImage image = CodeImageFor(e, ctx, angle, true);
    if (image.IsNull()) return;
    const QSize full = image.FullSize();

    const double sy = ctx.ScaleY();
    const DeviceBox b = RotatedBox(e, ctx.ScaleX(), sy, rotation);
    const LogFont lf = CaptionFont(e, sy, rotation);
    e.logFont.lfEscapement = rotation;
    const GdiFont font(lf, QString::fromStdU16String(ElementText(e)), !ctx.forOutput);
    const int cx = font.Extent().width();
    const int cy = font.Extent().height();
    const int textH = e.bShowText ? cy : 0;

    const QRect source = rotation == 900 ? QRect(0, 0, b.width, full.height()) : QRect(QPoint(), full);
    DrawCodeImage(painter, image, source, QRect(b.left, b.top, b.width, b.height - textH),
                     WrapMode::TileFlip);

    QRect handles(b.left, b.top, b.width, b.height);
    if (e.bShowText) {
        QPoint at;
        if (rotation == 900) {
            at = {b.left + b.width, b.top + b.height - (b.height - cx) / 2};
            handles.setWidth(b.width + cy);
        } else if (rotation == 1800) {
            at = {b.left + (b.width - cx) / 2 + cx, b.top};
            handles.setTop(b.top - cy);
        } else {
            at = {b.left, b.top + (b.height - cx) / 2};
            handles.setLeft(b.left - cy);
        }
        font.Draw(painter, at, rotation, ctx.forOutput);
    }
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Code, handles.x(), handles.y(), handles.width(),
                             handles.height(), &e);
}

void DrawCode2DElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const int angle = NormalizedEscapement(e.nEscapement) / 10;
    const CodeImage image = CodeImageFor(e, ctx, angle, false);
    if (image.IsNull()) return;
    const DeviceBox box = ElementBox(e, ctx.ScaleX(), ctx.ScaleY());
    const int height = e.nBarcodeType == kPdf417 ? box.height : box.width;
    DrawCodeImage(painter, image, QRect(QPoint(), image.FullSize()), QRect(box.left, box.top, box.width, height),
                  WrapMode::TileFlip);
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Code, box.left, box.top, box.width, height, &e);
}

}  // namespace kestrix
