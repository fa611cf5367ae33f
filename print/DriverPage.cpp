#include "print/DriverPage.h"

#include <QPainter>
#include <algorithm>
#include <list>

#include "document/FieldMerge.h"
#include "output/ColorToBW.h"
#include "output/DrawLabel.h"
#include "render/BandImage.h"
#include "render/CodeImageCache.h"
#include "render/PaintedArea.h"

namespace kestrix {

namespace {

// Rows [top, top + count) of an image, without copying them.
QImage RowsOf(const QImage& image, int top, int count) {
    return QImage(image.constScanLine(top), image.width(), count, image.bytesPerLine(), image.format());
}

// A 1-bit raster as grey pixels: black 0, white 255.
QImage GreyOf(const MonoImage& mono) {
    QImage grey(mono.Width(), mono.Height(), QImage::Format_Grayscale8);
    for (int y = 0; y < mono.Height(); ++y) {
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < mono.Width(); ++x) out[x] = mono.IsBlack(x, y) ? 0 : 255;
    }
    return grey;
}

}  // namespace

void AddDriverPage(LabelPdf& pdf, std::vector<LabelElement>& elements, const DriverPageSetup& setup, QSize dots,
                   const RenderContext& ctx, const DataRow* row, int bandRows) {
    RenderContext output = OutputContext(ctx);
    output.monoPictures = setup.OneDotPerPixel();
    // The fields are filled in once for the page: its copies, with their code
    // images, serve every band and go with the page.
    std::list<LabelElement> merged;
    std::vector<LabelElement*> drawn;
    for (LabelElement& e : elements) {
        if (row && TakesFields(e))
            drawn.push_back(&merged.emplace_back(MergedElement(e, *row)));
        else
            drawn.push_back(&e);
    }
    // A text without a size measures itself when first drawn, and is drawn
    // from its measure after: that is done here, so every band shows it alike.
    {
        PaintedArea area(dots);
        QPainter painter(&area);
        painter.scale(setup.scaleX, setup.scaleY);
        for (LabelElement* e : drawn) DrawOutputElement(painter, *e, output);
    }
    BandImage band(dots, bandRows);
    const int rows = band.BandRows();
    const bool banded = rows < dots.height();
    // Band `top` drawn as the whole page would show it; its rows.
    const auto draw = [&](int top) {
        band.SetTop(top);
        const QRect part = band.Rows();
        QPainter painter(&band);
        if (banded) painter.setClipRect(part);
        painter.fillRect(part, Qt::white);
        painter.scale(setup.scaleX, setup.scaleY);
        for (LabelElement* e : drawn) DrawOutputElement(painter, *e, output);
        return part;
    };
    // Only a picture brings colour: the rest is drawn in black, white and
    // grey (text without smoothing, codes in black and white).
    const bool picture =
        std::any_of(drawn.begin(), drawn.end(), [](const LabelElement* e) { return e->nType == kPicture; });
    bool grey = true;
    if (!setup.OneDotPerPixel() && picture) {
        for (int top = 0; grey && top < dots.height(); top += rows) {
            const QRect part = draw(top);
            grey = RowsOf(band, part.top(), part.height()).allGray();
        }
    }
    pdf.BeginPage(dots, grey);
    for (int top = 0; top < dots.height(); top += rows) {
        // A page of one band may have been drawn whole by the first pass.
        const QRect part = banded || setup.OneDotPerPixel() || !picture ? draw(top) : band.Rows();
        if (setup.OneDotPerPixel())
            pdf.AddRows(GreyOf(ColorToBW(RowsOf(band, part.top(), part.height()))), 0, part.height());
        else
            pdf.AddRows(band, part.top(), part.height());
    }
    pdf.EndPage();
    for (LabelElement& copy : merged)
        if (output.codes) output.codes->Release(copy.hCache);
}

}  // namespace kestrix
