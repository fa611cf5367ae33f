#include "output/PrintJobMaker.h"

#include "output/ColorToBW.h"
#include "output/DrawLabel.h"

namespace kestrix {

namespace {

RenderContext PrintContext(const DirectPrintInput& in) {
    RenderContext ctx;
    ctx.monoPictures = true;
    ctx.viewScaleX = in.viewScaleX;
    ctx.viewScaleY = in.viewScaleY;
    ctx.codes = &in.codes;
    ctx.pictures = in.pictures;
    return ctx;
}

}  // namespace

PrintJobMaker::PrintJobMaker(const DirectPrintInput& in)
    : in_(in), copies_(in.doc, in.dpiX, in.dpiY, PrintContext(in)) {}

const PrintStream& PrintJobMaker::Next(QString* error) {
    PrintStream& stream = streams_[turn_];
    turn_ ^= 1;
    const QImage& raster = copies_.Next();
    if (!raster.isNull() && mono_.IsNull()) mono_ = MonoImage(raster.width(), raster.height());
    if (raster.isNull() || mono_.IsNull()) {
        const QSize size = OutputTargetSize(in_.doc, in_.dpiX, in_.dpiY);
        if (error)
            *error = QStringLiteral("the label (%1 x %2 dots) is too large to render").arg(size.width()).arg(size.height());
        stream = {};
        return stream;
    }
    for (const QRect& area : copies_.Changed()) ColorToBW(raster, area, mono_);
    // The body is built in the buffer this stream held two copies ago.
    body_.bytes.swap(stream.body);
    BuildPrintStreamBody(mono_, in_.settings.SavePaper, body_);
    stream.body.swap(body_.bytes);
    stream.header = BuildPrintStreamHeader(in_.settings, in_.doc.widthMm,
                                           PrintLength(in_.settings, body_.endRow, in_.doc.heightMm));
    return stream;
}

}  // namespace kestrix
