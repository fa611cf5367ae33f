// Writes the editor's tool-bar sheets, tool cursors and application icons as PNG files.
// Usage: kestrix-icons <resources folder>

#include "AppIcon.h"
#include "CursorGlyphs.h"
#include "DrawGlyphs.h"
#include "MainGlyphs.h"
#include "StyleGlyphs.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>

using namespace kestrix::icons;

namespace {

// Cells are cut at x = cell * cellWidth, y = 0; `glyphOrigin` places the drawing box inside a cell.
QImage PaintSheet(QSize size, int cellWidth, int cells, QPoint glyphOrigin,
                  const std::function<void(QPainter&, int)>& paintGlyph) {
    QImage sheet(size, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    for (int cell = 0; cell < cells; ++cell) {
        p.save();
        p.setClipRect(cell * cellWidth, 0, cellWidth, size.height());
        p.translate(cell * cellWidth + glyphOrigin.x(), glyphOrigin.y());
        paintGlyph(p, cell);
        p.restore();
    }
    return sheet;
}

bool Save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrix-icons <resources folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool ok = true;

    // Main bar: icon drawn at y 0 in a 42 px bar; 28 px glyph centred on row 21.
    ok &= Save(PaintSheet({910, 45}, 35, kMainGlyphCount, {4, 7}, PaintMainGlyph), out + "/toolbar/main.png");
    // Drawing bar: icon drawn 2 px lower, so the glyph sits 2 px higher in its cell.
    ok &= Save(PaintSheet({350, 40}, 35, kDrawGlyphCount, {4, 5}, PaintDrawGlyph), out + "/toolbar/draw.png");
    ok &= Save(PaintSheet({180, 30}, 30, kStyleGlyphCount, {0, 0}, PaintStyleGlyph), out + "/toolbar/style.png");

    ok &= Save(PaintCursor(ToolCursor::Text), out + "/cursors/text.png");
    ok &= Save(PaintCursor(ToolCursor::Code2D), out + "/cursors/code2d.png");
    ok &= Save(PaintCursor(ToolCursor::Barcode), out + "/cursors/barcode.png");
    ok &= Save(PaintCursor(ToolCursor::Picture), out + "/cursors/picture.png");
    ok &= Save(PaintCursor(ToolCursor::Line), out + "/cursors/line.png");

    ok &= Save(PaintAppIcon(256), out + "/icons/kestrix.png");
    ok &= Save(PaintAppIcon(48), out + "/icons/kestrix-48.png");
    for (int size : {16, 32, 48, 64, 128, 256})
        ok &= Save(PaintAppIcon(size), out + QStringLiteral("/icons/hicolor/%1x%1/apps/kestrix.png").arg(size));
    return ok ? 0 : 1;
}
