#pragma once
// Helpers shared by the renderer tests: elements, white targets and ink measurements.

#include <QImage>
#include <QPainter>
#include <QRect>

#include "document/LabelElement.h"
#include "render/CodeImageCache.h"
#include "render/ElementPainter.h"
#include "render/RenderContext.h"

namespace kestrix::test {

// An unselected element with the given box.
inline LabelElement Boxed(int type, int x, int y, int w, int h, std::u16string_view content = {}) {
    LabelElement e = CreateElement(type, {x, y}, content);
    e.nWidth = w;
    e.nHeight = h;
    e.bSelected = 0;
    return e;
}

inline QImage WhiteTarget(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

inline void PaintInto(QImage& img, LabelElement& e, const RenderContext& ctx) {
    QPainter painter(&img);
    PaintElement(painter, e, ctx);
}

inline bool IsInk(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 128; }

// The bounding box of every dark pixel (empty when there is none).
inline QRect InkBounds(const QImage& img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (IsInk(img, x, y)) r |= QRect(x, y, 1, 1);
    return r;
}

inline int InkCount(const QImage& img, QRect area) {
    int n = 0;
    area &= img.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += IsInk(img, x, y);
    return n;
}

// Paints one element into a white target the way DrawLabel does.
inline QImage PaintForOutput(LabelElement& e, CodeImageCache& codes, int w, int h,
                             bool mono = false) {
    QImage img = WhiteTarget(w, h);
    RenderContext ctx;
    ctx.forOutput = true;
    ctx.monoPictures = mono;
    ctx.codes = &codes;
    PaintInto(img, e, ctx);
    return img;
}

}  // namespace kestrix::test
