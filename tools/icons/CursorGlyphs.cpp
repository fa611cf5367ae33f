#include "CursorGlyphs.h"

#include "DrawGlyphs.h"
#include "GlyphKit.h"

namespace kestrix::icons {

QImage PaintCursor(ToolCursor tool) {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // White halo first so the cross stays visible on dark and light labels alike.
    const int h = kCursorHotSpot.x(), v = kCursorHotSpot.y();
    Solid(p, QRectF(h - 1, v - 7, 3, 15), kPaper);
    Solid(p, QRectF(h - 7, v - 1, 15, 3), kPaper);
    Solid(p, QRectF(h, v - 6, 1, 13), Qt::black);
    Solid(p, QRectF(h - 6, v, 13, 1), Qt::black);

    // Badge with the tool's glyph.
    p.setPen(Stroke(kSlate, 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(13.5, 13.5, 15, 15));
    p.translate(15, 15);
    switch (tool) {
    case ToolCursor::Text: PaintMiniText(p); break;
    case ToolCursor::Code2D: PaintMiniCode2D(p); break;
    case ToolCursor::Barcode: PaintMiniBarcode(p); break;
    case ToolCursor::Picture: PaintMiniPicture(p); break;
    case ToolCursor::Line: PaintMiniLine(p); break;
    }
    return image;
}

}  // namespace kestrix::icons
