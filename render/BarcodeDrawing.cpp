#include "render/BarcodeDrawing.h"

#include <optional>

#include "document/Symbologies.h"
#include "render/CodeImageCache.h"
#include "render/Ean13Drawing.h"
#include "render/GdiFont.h"
#include "render/ImageBlit.h"
#include "render/InvalidCodeMark.h"
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

// The library refused the data or the symbology: on screen the box is marked
// and keeps its handles.
void MarkRefusedCode(QPainter& painter, LabelElement& e, const RenderContext& ctx, const QRect& box) {
    if (ctx.forOutput) return;
    const char* label = SymbologyLabel(e.nBarcodeType);
    DrawInvalidCodeMark(painter, box,
                        QStringLiteral("invalid %1").arg(label ? QString::fromLatin1(label) : QStringLiteral("code")));
    if (e.bSelected) DrawSelectionHandles(painter, HandleStyle::Code, box.x(), box.y(), box.width(), box.height(), &e);
}

}  // namespace

CodeImage CodeImageFor(LabelElement& e, const RenderContext& ctx, int rotateAngle, bool linear) {
    if (ctx.codes) {
        if (const CodeImage* cached = ctx.codes->Find(e.hCache)) return *cached;
    }
    CodeImage image = ZintEncoder::EncodeModules(e.nBarcodeType, ElementText(e), e.nWidth, rotateAngle, linear);
    if (ctx.codes) e.hCache = ctx.codes->Store(image);
    return image;
}

namespace {

// Where an unrotated library barcode goes: the bars' source and destination,
// and its caption's font and place when it has one.
struct BarcodePlace {
    QRect source;
    QRect dest;
    int boxHeight = 0;
    std::optional<GdiFont> caption;
    QPoint captionAt;
};

BarcodePlace PlaceBarcode(const LabelElement& e, const CodeImage& image, const RenderContext& ctx) {
    const double sy = ctx.ScaleY();
    const DeviceBox box = ElementBox(e, ctx.ScaleX(), sy);
    const int textH = e.bShowText ? TruncToInt(e.logFont.lfHeight * sy) : 0;
    const int barH = box.height - textH - 2;
    // Stretched across, used at its own scale down and repeated when short.
    BarcodePlace place{QRect(0, 0, image.FullSize().width(), barH),
                       QRect(box.left, box.top, box.width, barH),
                       box.height,
                       std::nullopt,
                       {}};
    if (e.bShowText) {
        place.caption.emplace(CaptionFont(e, sy, 0), QString::fromStdU16String(ElementText(e)), !ctx.forOutput);
        place.captionAt = {box.left + (box.width - place.caption->Extent().width()) / 2, box.top + barH};
    }
    return place;
}

}  // namespace

void DrawBarcodeElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const CodeImage image = CodeImageFor(e, ctx, 0, true);
    if (image.IsNull()) {
        const DeviceBox box = ElementBox(e, ctx.ScaleX(), ctx.ScaleY());
        return MarkRefusedCode(painter, e, ctx, QRect(box.left, box.top, box.width, box.height));
    }
    const BarcodePlace place = PlaceBarcode(e, image, ctx);
    DrawCodeImage(painter, image, place.source, place.dest, WrapMode::Tile);
    int handleH = place.boxHeight;
    if (place.caption) {
        place.caption->Draw(painter, place.captionAt, 0, ctx.forOutput);
        handleH = place.dest.height() + place.caption->Extent().height();
    }
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Code, place.dest.x(), place.dest.y(), place.dest.width(), handleH,
                             &e);
}

std::optional<BarcodeLook> OutputBarcodeLook(LabelElement& e, const RenderContext& ctx) {
    if (e.nType != kBarcode || e.nEscapement != 0 || e.nBarcodeType == kBuiltinEan13) return std::nullopt;
    BarcodeLook look;
    look.image = CodeImageFor(e, ctx, 0, true);
    if (look.image.IsNull()) return look;
    const BarcodePlace place = PlaceBarcode(e, look.image, ctx);
    look.source = place.source;
    look.dest = place.dest;
    if (place.caption) look.caption = place.caption->Pieces(place.captionAt, 0);
    return look;
}

QList<QRect> LookDifferences(const BarcodeLook& before, const BarcodeLook& now, const QRect& device) {
    QList<QRect> areas;
    if (before.image.IsNull() != now.image.IsNull() || before.dest != now.dest || before.source != now.source) {
        areas << before.dest << now.dest;
    } else if (!now.image.IsNull()) {
        areas << CodeImageDifferences(before.image, now.image, now.source, now.dest, device, WrapMode::Tile);
    }
    areas << PieceDifferences(before.caption, now.caption);
    return areas;
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
    const double sy = ctx.ScaleY();
    const DeviceBox b = RotatedBox(e, ctx.ScaleX(), sy, rotation);
    if (image.IsNull()) return MarkRefusedCode(painter, e, ctx, QRect(b.left, b.top, b.width, b.height));
    const QSize full = image.FullSize();
    const LogFont lf = CaptionFont(e, sy, rotation);
    e.logFont.lfEscapement = rotation;
    const GdiFont font(lf, QString::fromStdU16String(ElementText(e)), !ctx.forOutput);
    const int cx = font.Extent().width();
    const int cy = font.Extent().height();
    const int textH = e.bShowText ? cy : 0;

    const QRect source = rotation == 900 ? QRect(0, 0, b.width, full.height()) : QRect(QPoint(), full);
    DrawCodeImage(painter, image, source, QRect(b.left, b.top, b.width, b.height - textH), WrapMode::TileFlip);

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
        DrawSelectionHandles(painter, HandleStyle::Code, handles.x(), handles.y(), handles.width(), handles.height(),
                             &e);
}

void DrawCode2DElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const int angle = NormalizedEscapement(e.nEscapement) / 10;
    const CodeImage image = CodeImageFor(e, ctx, angle, false);
    const DeviceBox box = ElementBox(e, ctx.ScaleX(), ctx.ScaleY());
    const int height = e.nBarcodeType == kPdf417 ? box.height : box.width;
    if (image.IsNull()) return MarkRefusedCode(painter, e, ctx, QRect(box.left, box.top, box.width, height));
    DrawCodeImage(painter, image, QRect(QPoint(), image.FullSize()), QRect(box.left, box.top, box.width, height),
                  WrapMode::TileFlip);
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Code, box.left, box.top, box.width, height, &e);
}

}  // namespace kestrix
