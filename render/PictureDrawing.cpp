#include "render/PictureDrawing.h"

#include <QTransform>

#include "render/ImageBlit.h"
#include "render/MonoPicture.h"
#include "render/PictureCache.h"
#include "render/RenderGeometry.h"
#include "render/SelectionHandles.h"

namespace kestrix {

namespace {

QImage LoadElementPicture(const LabelElement& e, const RenderContext& ctx) {
    const QString path = QString::fromStdU16String(ElementText(e));
    return ctx.pictures ? ctx.pictures->Load(path) : PictureCache::ReadPicture(path);
}

// Draws the picture (reduced first when asked) into `dest`.
void DrawInto(QPainter& painter, const QImage& image, const QRect& dest, bool mono) {
    if (image.isNull()) return;
    const QImage shown = mono ? ReduceToMono(image) : image;
    if (shown.width() <= 0) return;
    DrawImageNearest(painter, shown, shown.rect(), dest, WrapMode::TileFlip);
}

// The element turns counter-clockwise; the image is turned clockwise by the
// complement.
int ClockwiseDegrees(int rotation) {
    switch (rotation) {
    case 900:
        return 270;
    case 1800:
        return 180;
    case 2700:
        return 90;
    default:
        return 0;
    }
}

}  // namespace

void DrawPictureElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    if (!PictureFileExists(QString::fromStdU16String(ElementText(e)))) return;
    const QImage image = LoadElementPicture(e, ctx);
    if (ctx.forOutput) {
        const DeviceBox dots = ElementBox(e, 1.0, 1.0);
        DrawInto(painter, image, QRect(dots.left, dots.top, dots.width, dots.height),
                 ctx.monoPictures);
        return;
    }
    const DeviceBox box = ElementBox(e, ctx.scaleX, ctx.scaleY);
    DrawInto(painter, image, QRect(box.left, box.top, box.width, box.height), false);
    if (e.bSelected)
        DrawSelectionHandles(painter, HandleStyle::Box, box.left, box.top, box.width, box.height,
                             &e);
}

void DrawRotatedPictureElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    if (!PictureFileExists(QString::fromStdU16String(ElementText(e)))) return;
    const int rotation = NormalizedEscapement(e.nEscapement);
    QImage image = LoadElementPicture(e, ctx);
    if (const int degrees = ClockwiseDegrees(rotation); degrees != 0 && !image.isNull())
        image = image.transformed(QTransform().rotate(degrees));
    const double sx = ctx.forOutput ? 1.0 : ctx.scaleX;
    const double sy = ctx.forOutput ? 1.0 : ctx.scaleY;
    const DeviceBox b = RotatedBox(e, sx, sy, rotation);
    // Only output reduces pictures; the canvas shows them as they are.
    DrawInto(painter, image, QRect(b.left, b.top, b.width, b.height),
             ctx.forOutput && ctx.monoPictures);
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Box, b.left, b.top, b.width, b.height, &e);
}

}  // namespace kestrix
