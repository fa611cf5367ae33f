#include "StyleGlyphs.h"

#include "GlyphKit.h"

#include <QFont>

namespace kestrix::icons {
namespace {

// A letter taken from a font outline, centred on x = 15 with its baseline at `baseline`.
void Letter(QPainter& p, QChar letter, const QString& family, bool bold, bool italic, qreal baseline) {
    QFont font(family);
    font.setPixelSize(22);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    QPainterPath path;
    path.addText(0, 0, font, QString(letter));
    const QRectF bounds = path.boundingRect();
    const qreal x = qRound(15 - bounds.width() / 2 - bounds.left());
    p.setPen(Qt::NoPen);
    p.setBrush(kSlate);
    p.drawPath(path.translated(x, baseline));
}

// Four text lines; `align` is 0 left, 1 centre, 2 right.
void PaintParagraph(QPainter& p, int align) {
    static constexpr int kLengths[4] = {20, 14, 20, 10};
    for (int row = 0; row < 4; ++row) {
        const int length = kLengths[row];
        const int x = align == 0 ? 5 : align == 1 ? 15 - length / 2 : 25 - length;
        Solid(p, QRectF(x, 7 + row * 5, length, 2), row % 2 == 0 ? kSlate : kTeal);
    }
}

}  // namespace

void PaintStyleGlyph(QPainter& p, int index) {
    p.save();
    switch (index) {
    case 0: Letter(p, 'B', QStringLiteral("DejaVu Sans"), true, false, 23); break;
    case 1: Letter(p, 'I', QStringLiteral("DejaVu Serif"), true, true, 23); break;
    case 2:
        Letter(p, 'U', QStringLiteral("DejaVu Sans"), true, false, 21);
        Solid(p, QRectF(7, 23, 16, 2), kTeal);
        break;
    case 3: PaintParagraph(p, 0); break;
    case 4: PaintParagraph(p, 1); break;
    case 5: PaintParagraph(p, 2); break;
    default: break;
    }
    p.restore();
}

}  // namespace kestrix::icons
