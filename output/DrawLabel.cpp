#include "output/DrawLabel.h"

#include "document/FieldMerge.h"
#include "document/SerialNumber.h"
#include "document/Units.h"
#include "output/ColorToBW.h"
#include "output/CopyRenderer.h"
#include "render/CodeImageCache.h"
#include "render/ElementPainter.h"
#include "render/PictureCache.h"

namespace kestrix {

namespace {

bool IsDrawn(const LabelElement& e) {
    switch (e.nType) {
    case kText: return e.str[0] != u'\0' || e.nEscapement != 0;
    case kPicture:
        // A picture whose file has gone is left out without a word.
        return e.str[0] != u'\0' && PictureFileExists(QString::fromStdU16String(ElementText(e)));
    case kBarcode:
    case kCode2D:
    case kLine:
    case kShape: return true;
    default: return false;
    }
}

}  // namespace

RenderContext OutputContext(const RenderContext& ctx) {
    RenderContext output = ctx;
    output.forOutput = true;
    output.scaleX = output.scaleY = 1.0;
    return output;
}

void DrawOutputElement(QPainter& painter, LabelElement& e, const RenderContext& output) {
    if (IsDrawn(e)) PaintElement(painter, e, output);
}

bool AdvanceOutputSerial(LabelElement& e, CodeImageCache* codes) {
    if (e.nType != kText && e.nType != kBarcode) return false;
    if (!AdvanceSerial(e)) return false;
    // The next draw must encode the new number.
    if (e.nType == kBarcode && codes) codes->Release(e.hCache);
    return true;
}

void DrawLabel(QPainter& painter, std::vector<LabelElement>& elements, const RenderContext& ctx, const DataRow* row) {
    const RenderContext output = OutputContext(ctx);
    for (LabelElement& e : elements) {
        if (row && TakesFields(e)) {
            // The copy's code image is encoded from its own values and lives only as long as the copy.
            LabelElement merged = MergedElement(e, *row);
            DrawOutputElement(painter, merged, output);
            if (output.codes) output.codes->Release(merged.hCache);
        } else {
            DrawOutputElement(painter, e, output);
        }
        AdvanceOutputSerial(e, output.codes);
    }
}

bool IsTargetTooLarge(QSize size) { return qint64(size.width()) * size.height() > kMaxTargetPixels; }

QSize OutputTargetSize(const LabelDocument& doc, int dpiX, int dpiY) {
    return {TargetDots(doc.widthMm, dpiX), TargetDots(doc.heightMm, dpiY)};
}

QString TooLargeText(QSize size, qint64 maxPixels) {
    return QStringLiteral("the label (%1 x %2 dots) is too large to render (at most %3 dots)")
        .arg(size.width())
        .arg(size.height())
        .arg(maxPixels);
}

QImage DrawLabelImage(LabelDocument& doc, int dpiX, int dpiY, const RenderContext& ctx, const DataRow* row) {
    const QSize size = OutputTargetSize(doc, dpiX, dpiY);
    if (qint64(size.width()) * size.height() > kMaxColorPixels) return {};
    CopyRenderer copies(doc, dpiX, dpiY, ctx, size.height());
    return copies.Next(row);
}

MonoImage DrawLabelMono(LabelDocument& doc, int dpiX, int dpiY, const RenderContext& ctx, const DataRow* row) {
    CopyRenderer copies(doc, dpiX, dpiY, ctx);
    MonoImage mono(copies.Size().width(), copies.Size().height());
    const auto reduce = [&mono](const QImage& band, const QRect& part) { ColorToBW(band, part, mono); };
    if (mono.IsNull() || !copies.Next(row, reduce)) return {};
    return mono;
}

}  // namespace kestrix
