#pragma once
// Helpers shared by the renderer tests: elements, painting into white targets
// and ink measurements.

#include <QImage>
#include <QPainter>
#include <QRect>
#include <string>
#include <tuple>

#include "document/LabelElement.h"
#include "render/CodeImageCache.h"
#include "render/ElementPainter.h"
#include "render/RenderContext.h"

namespace kestrix::test {

// An unselected element with the given box.
inline LabelElement Boxed(int type, int x, int y, int w, int h, std::u16string_view content = {}) {
    LabelElement e = CreateElement(type, {x, y}, content);
    std::tie(e.nWidth, e.nHeight, e.bSelected) = std::tuple{w, h, 0};
    return e;
}

// Paints `e` into `img`, or into a new white w x h target when it is null; a
// context without a code cache gets a fresh one.
inline QImage Paint(LabelElement& e, int w, int h, RenderContext ctx = {}, QImage img = {}) {
    if (img.isNull()) (img = QImage(w, h, QImage::Format_RGB32)).fill(Qt::white);
    CodeImageCache codes;
    if (!ctx.codes) ctx.codes = &codes;
    QPainter painter(&img);
    PaintElement(painter, e, ctx);
    return img;
}

// As DrawLabel paints one element.
inline QImage PaintForOutput(LabelElement& e, int w, int h, bool mono = false) {
    return Paint(e, w, h, {.forOutput = true, .monoPictures = mono});
}

inline bool IsInk(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 128; }

// The bounding box of every dark pixel in `area` (the whole image when null); empty when there is none.
inline QRect InkBounds(const QImage& img, QRect area = {}) {
    QRect r;
    area = area.isNull() ? img.rect() : area & img.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsInk(img, x, y)) r |= QRect(x, y, 1, 1);
    return r;
}

// The ink of one pixel row as '1' and '0'.
inline std::string InkRow(const QImage& img, int y) {
    std::string row(img.width(), '0');
    for (int x = 0; x < img.width(); ++x) row[x] = IsInk(img, x, y) ? '1' : '0';
    return row;
}

}  // namespace kestrix::test
