#include "render/PictureDrawing.h"

#include "render/ImageBlit.h"
#include "render/MonoPicture.h"
#include "render/PictureCache.h"
#include "render/RenderGeometry.h"
#include "render/SelectionHandles.h"

namespace kestrix {

namespace {

// The element's picture turned clockwise by `degrees` and reduced to black
// and white when asked (a turned picture is reduced after turning).
QImage ElementPicture(const LabelElement& e, const RenderContext& ctx, int degrees, bool mono) {
    const QString path = QString::fromStdU16String(ElementText(e));
    if (ctx.pictures) return ctx.pictures->Load(path, degrees, mono);
    const QImage image = PictureCache::ReadPicture(path);
    if (image.isNull()) return {};
    return mono ? ReduceToMono(image, degrees) : TurnedPicture(image, degrees);
}

void DrawInto(QPainter& painter, const QImage& image, const QRect& dest) {
    if (image.isNull() || image.width() <= 0) return;
    DrawImageNearest(painter, image, image.rect(), dest, WrapMode::TileFlip);
}

}  // namespace

void DrawPictureElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    if (!PictureFileExists(QString::fromStdU16String(ElementText(e)))) return;
    if (ctx.forOutput) {
        const DeviceBox dots = ElementBox(e, 1.0, 1.0);
        DrawInto(painter, ElementPicture(e, ctx, 0, ctx.monoPictures),
                 QRect(dots.left, dots.top, dots.width, dots.height));
        return;
    }
    const DeviceBox box = ElementBox(e, ctx.scaleX, ctx.scaleY);
    DrawInto(painter, ElementPicture(e, ctx, 0, false), QRect(box.left, box.top, box.width, box.height));
    if (e.bSelected) DrawSelectionHandles(painter, HandleStyle::Box, box.left, box.top, box.width, box.height, &e);
}

void DrawRotatedPictureElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    if (!PictureFileExists(QString::fromStdU16String(ElementText(e)))) return;
    const int rotation = NormalizedEscapement(e.nEscapement);
    const double sx = ctx.ScaleX();
    const double sy = ctx.ScaleY();
    const DeviceBox b = RotatedBox(e, sx, sy, rotation);
    // Only output reduces pictures; the canvas shows them as they are.
    DrawInto(painter, ElementPicture(e, ctx, ClockwiseDegrees(rotation), ctx.forOutput && ctx.monoPictures),
             QRect(b.left, b.top, b.width, b.height));
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Box, b.left, b.top, b.width, b.height, &e);
}

}  // namespace kestrix
