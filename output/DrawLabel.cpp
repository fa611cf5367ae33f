#include "output/DrawLabel.h"

#include "document/SerialNumber.h"
#include "document/Units.h"
#include "render/CodeImageCache.h"
#include "render/ElementPainter.h"
#include "render/PictureCache.h"

namespace kestrix {

namespace {

// 2 GiB of 32-bit pixels: more than the largest label at 203 dpi needs; a
// larger target is refused rather than allowed to exhaust memory.
constexpr qint64 kMaxTargetPixels = qint64(1) << 29;

bool IsDrawn(const LabelElement& e) {
    switch (e.nType) {
    case kText:
        return e.str[0] != u'\0' || e.nEscapement != 0;
    case kPicture:
        // A picture whose file has gone is left out without a word.
        return e.str[0] != u'\0' && PictureFileExists(QString::fromStdU16String(ElementText(e)));
    case kBarcode:
    case kCode2D:
    case kLine:
    case kShape:
        return true;
    default:
        return false;
    }
}

}  // namespace

void DrawLabel(QPainter& painter, std::vector<LabelElement>& elements, const RenderContext& ctx) {
    RenderContext output = ctx;
    output.forOutput = true;
    output.scaleX = output.scaleY = 1.0;
    for (LabelElement& e : elements) {
        if (IsDrawn(e)) PaintElement(painter, e, output);
        if (e.nType != kText && e.nType != kBarcode) continue;
        // The next draw must encode the new number.
        if (AdvanceSerial(e) && e.nType == kBarcode && output.codes) output.codes->Release(e.hCache);
    }
}

QSize OutputTargetSize(const LabelDocument& doc, int dpiX, int dpiY) {
    return {TargetDots(doc.widthMm, dpiX), TargetDots(doc.heightMm, dpiY)};
}

QImage DrawLabelImage(LabelDocument& doc, int dpiX, int dpiY, const RenderContext& ctx) {
    const QSize size = OutputTargetSize(doc, dpiX, dpiY);
    if (qint64(size.width()) * size.height() > kMaxTargetPixels) return {};
    QImage target(size, QImage::Format_RGB32);
    if (target.isNull()) return target;
    target.fill(Qt::white);
    QPainter painter(&target);
    DrawLabel(painter, doc.elements, ctx);
    painter.end();
    return target;
}

}  // namespace kestrix
