#include "DrawGlyphs.h"

#include "GlyphKit.h"

#include <QPolygonF>

#include <array>

namespace kestrix::icons {
namespace {

void PaintSelection(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(8, 3);
    arrow.lineTo(8, 22);
    arrow.lineTo(12.5, 17.5);
    arrow.lineTo(16, 25);
    arrow.lineTo(19, 23.5);
    arrow.lineTo(15.5, 16.5);
    arrow.lineTo(21.5, 16.5);
    arrow.closeSubpath();
    QPen pen = Stroke(kSlate, 2.0);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(kPaper);
    p.drawPath(arrow);
}

void PaintText(QPainter& p) {
    Solid(p, QRectF(4, 4, 16, 4), kSlate);
    Solid(p, QRectF(4, 4, 2, 6), kSlate);
    Solid(p, QRectF(18, 4, 2, 6), kSlate);
    Solid(p, QRectF(10, 4, 4, 19), kSlate);
    Solid(p, QRectF(7, 22, 10, 2), kSlate);
    // Text caret beside the letter.
    Solid(p, QRectF(23, 10, 2, 16), kTeal);
    Solid(p, QRectF(21, 9, 6, 2), kTeal);
    Solid(p, QRectF(21, 25, 6, 2), kTeal);
}

void FinderPattern(QPainter& p, qreal x, qreal y) {
    p.setPen(Stroke(kSlate));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(x + 1, y + 1, 7, 7));
    Solid(p, QRectF(x + 3, y + 3, 3, 3), kTeal);
}

void PaintCode2D(QPainter& p) {
    FinderPattern(p, 2, 2);
    FinderPattern(p, 17, 2);
    FinderPattern(p, 2, 17);
    // Data modules on a 3 px grid, lower right quarter and the gaps between the finders.
    static constexpr std::array<std::array<int, 2>, 17> kModules{{
        {13, 3},
        {13, 9},
        {3, 13},
        {9, 13},
        {13, 13},
        {16, 13},
        {22, 13},
        {25, 16},
        {13, 19},
        {19, 16},
        {19, 19},
        {22, 22},
        {16, 22},
        {13, 25},
        {25, 25},
        {19, 25},
        {10, 13},
    }};
    for (const auto& m : kModules) Solid(p, QRectF(m[0], m[1], 3, 3), kSlate);
}

void PaintBarcode(QPainter& p) {
    // Bar widths alternate bar / space, in pixels.
    static constexpr std::array<int, 17> kPattern{2, 1, 1, 2, 3, 1, 1, 1, 2, 2, 1, 1, 3, 1, 1, 2, 2};
    int x = 3;
    for (size_t i = 0; i < kPattern.size(); ++i) {
        if (i % 2 == 0) Solid(p, QRectF(x, 4, kPattern[i], 16), kSlate);
        x += kPattern[i];
    }
    Solid(p, QRectF(3, 22, 5, 2), kTeal);
    Solid(p, QRectF(10, 22, 6, 2), kTeal);
    Solid(p, QRectF(18, 22, 7, 2), kTeal);
}

void PaintPicture(QPainter& p) {
    Box(p, QRectF(3, 5, 22, 18), kPaper);
    QPainterPath hills;
    hills.moveTo(4, 22);
    hills.lineTo(11, 13);
    hills.lineTo(16, 18);
    hills.lineTo(19, 15);
    hills.lineTo(24, 20);
    hills.lineTo(24, 22);
    hills.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kTeal);
    p.drawPath(hills);
    p.setBrush(kSlateSoft);
    p.drawEllipse(QPointF(19, 10), 2.5, 2.5);
}

void PaintLine(QPainter& p) {
    p.setPen(RoundStroke(kSlate, 2.5));
    p.drawLine(QPointF(6, 22), QPointF(22, 6));
    Box(p, QRectF(3, 20, 5, 5), kTeal);
    Box(p, QRectF(20, 3, 5, 5), kTeal);
}

void PaintRectangle(QPainter& p) {
    p.setPen(Stroke(kSlate));
    p.setBrush(kPaper);
    p.drawRect(QRectF(5, 7, 18, 14));
    Box(p, QRectF(3, 5, 4, 4), kTeal);
    Box(p, QRectF(21, 19, 4, 4), kTeal);
}

// Curved arrow turning back to the left (undo) or, mirrored, to the right (redo).
void PaintHistory(QPainter& p, bool undo) {
    if (!undo) {
        p.translate(28, 0);
        p.scale(-1, 1);
    }
    // 3 px stroke on half-pixel rows so the straight runs stay sharp.
    QPainterPath hook;
    hook.moveTo(9, 10.5);
    hook.lineTo(16, 10.5);
    hook.cubicTo(21.5, 10.5, 24.5, 13.5, 24.5, 17.5);
    hook.cubicTo(24.5, 21.5, 21.5, 24.5, 16, 24.5);
    hook.lineTo(10, 24.5);
    QPen pen = RoundStroke(kSlate, 3.0);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    ArrowHead(p, QPointF(2, 10.5), QPointF(-1, 0), 8, 5.5, kTeal);
}

void PaintDelete(QPainter& p) {
    Solid(p, QRectF(11, 2, 6, 2), kSlate);
    Solid(p, QRectF(4, 5, 20, 3), kSlate);
    QPainterPath can;
    can.moveTo(6, 9);
    can.lineTo(7.5, 26);
    can.lineTo(20.5, 26);
    can.lineTo(22, 9);
    p.setPen(Stroke(kSlate));
    p.setBrush(kPaper);
    p.drawPath(can);
    Solid(p, QRectF(10, 12, 2, 11), kTeal);
    Solid(p, QRectF(13, 12, 2, 11), kTeal);
    Solid(p, QRectF(16, 12, 2, 11), kTeal);
}

}  // namespace

void PaintDrawGlyph(QPainter& p, int index) {
    p.save();
    switch (index) {
    case 0: PaintSelection(p); break;
    case 1: PaintText(p); break;
    case 2: PaintCode2D(p); break;
    case 3: PaintBarcode(p); break;
    case 4: PaintPicture(p); break;
    case 5: PaintLine(p); break;
    case 6: PaintRectangle(p); break;
    case 7: PaintHistory(p, true); break;
    case 8: PaintHistory(p, false); break;
    case 9: PaintDelete(p); break;
    default: break;
    }
    p.restore();
}

void PaintMiniText(QPainter& p) {
    Solid(p, QRectF(1, 1, 10, 2), kSlate);
    Solid(p, QRectF(1, 1, 1, 3), kSlate);
    Solid(p, QRectF(10, 1, 1, 3), kSlate);
    Solid(p, QRectF(5, 1, 2, 10), kSlate);
    Solid(p, QRectF(3, 10, 6, 1), kSlate);
}

void PaintMiniCode2D(QPainter& p) {
    auto finder = [&p](qreal x, qreal y) {
        Solid(p, QRectF(x, y, 4, 4), kSlate);
        Solid(p, QRectF(x + 1, y + 1, 2, 2), kPaper);
    };
    Solid(p, QRectF(0, 0, 12, 12), kPaper);
    finder(0, 0);
    finder(8, 0);
    finder(0, 8);
    Solid(p, QRectF(5, 5, 2, 2), kTeal);
    Solid(p, QRectF(8, 8, 2, 2), kSlate);
    Solid(p, QRectF(10, 10, 2, 2), kSlate);
    Solid(p, QRectF(5, 9, 2, 2), kSlate);
    Solid(p, QRectF(9, 5, 2, 2), kSlate);
}

void PaintMiniBarcode(QPainter& p) {
    // (x, width) of each bar.
    static constexpr std::array<std::array<int, 2>, 5> kBars{{
        {0, 1},
        {2, 2},
        {5, 1},
        {7, 2},
        {10, 1},
    }};
    for (const auto& bar : kBars) Solid(p, QRectF(bar[0], 1, bar[1], 10), kSlate);
}

void PaintMiniPicture(QPainter& p) {
    Solid(p, QRectF(0, 1, 12, 10), kSlate);
    Solid(p, QRectF(1, 2, 10, 8), kPaper);
    QPainterPath hill;
    hill.moveTo(1, 10);
    hill.lineTo(5, 5);
    hill.lineTo(8, 8);
    hill.lineTo(9, 7);
    hill.lineTo(11, 9);
    hill.lineTo(11, 10);
    hill.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kTeal);
    p.drawPath(hill);
}

void PaintMiniLine(QPainter& p) {
    p.setPen(RoundStroke(kSlate, 2.0));
    p.drawLine(QPointF(2, 10), QPointF(10, 2));
    Solid(p, QRectF(0, 9, 3, 3), kTeal);
    Solid(p, QRectF(9, 0, 3, 3), kTeal);
}

}  // namespace kestrix::icons
