#include "MainGlyphs.h"

#include "GlyphKit.h"

#include <QPolygonF>
#include <QtMath>

namespace kestrix::icons {
namespace {

void PaintNew(QPainter& p) {
    Page(p, QRectF(5, 2, 17, 23), 6);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(21, 21), 7.5, 7.5);
    p.setBrush(kTeal);
    p.drawEllipse(QPointF(21, 21), 6, 6);
    Solid(p, QRectF(20, 17, 2, 8), kPaper);
    Solid(p, QRectF(17, 20, 8, 2), kPaper);
}

void PaintOpen(QPainter& p) {
    QPainterPath back;
    back.moveTo(3, 24);
    back.lineTo(3, 5);
    back.lineTo(11, 5);
    back.lineTo(14, 8);
    back.lineTo(22, 8);
    back.lineTo(22, 12);
    p.setPen(Stroke(kSlate));
    p.setBrush(kPaper);
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(3, 24);
    front.lineTo(8, 13);
    front.lineTo(27, 13);
    front.lineTo(22, 24);
    front.closeSubpath();
    p.setBrush(kTeal);
    p.drawPath(front);
}

void PaintSave(QPainter& p) {
    QPainterPath body;
    body.moveTo(3, 3);
    body.lineTo(21, 3);
    body.lineTo(25, 7);
    body.lineTo(25, 25);
    body.lineTo(3, 25);
    body.closeSubpath();
    p.setPen(Stroke(kSlate));
    p.setBrush(kPaper);
    p.drawPath(body);
    Solid(p, QRectF(8, 3, 12, 7), kSlate);
    Solid(p, QRectF(15, 5, 3, 3), kPaper);
    Box(p, QRectF(8, 15, 12, 10), kTeal);
    Solid(p, QRectF(10, 18, 8, 1), kPaper);
    Solid(p, QRectF(10, 21, 6, 1), kPaper);
}

void PaintPrinter(QPainter& p) {
    Box(p, QRectF(8, 3, 12, 7), kPaper);
    p.setPen(Stroke(kSlate));
    p.setBrush(kMist);
    p.drawRoundedRect(QRectF(3, 10, 22, 11), 2, 2);
    Solid(p, QRectF(19, 13, 3, 2), kTeal);
    Box(p, QRectF(8, 17, 12, 8), kPaper);
    Solid(p, QRectF(10, 20, 8, 1), kTeal);
    Solid(p, QRectF(10, 22, 6, 1), kSlateSoft);
}

void PaintPreview(QPainter& p) {
    Page(p, QRectF(4, 2, 15, 21), 5);
    Solid(p, QRectF(7, 9, 7, 1), kSlateSoft);
    Solid(p, QRectF(7, 12, 5, 1), kSlateSoft);
    Magnifier(p, QPointF(17.5, 16.5), 5.5, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(kTealLight);
    p.drawEllipse(QPointF(17.5, 16.5), 4, 4);
}

// Quarter-turn arrow around a small element; ccw for Left Hand Rotation.
void PaintRotation(QPainter& p, bool ccw) {
    if (!ccw) {
        p.translate(28, 0);
        p.scale(-1, 1);
    }
    Solid(p, QRectF(11, 11, 6, 8), kTeal);
    // Arc travelling counter-clockwise from the lower left round to the upper left,
    // ending in a head that points along the direction of travel.
    const QPointF c(14, 15);
    const qreal radius = 11;
    const qreal fromDeg = -150, toDeg = 115;
    p.setPen(RoundStroke(kSlate, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), qRound(fromDeg * 16),
              qRound((toDeg - fromDeg) * 16));
    // The head spans the chord from the arc's end to a point further round, so it sits on the ring.
    auto onRing = [&](qreal deg) {
        const qreal t = qDegreesToRadians(deg);
        return c + QPointF(radius * qCos(t), -radius * qSin(t));
    };
    const QPointF base = onRing(toDeg - 4), tip = onRing(toDeg + 34);
    const QPointF chord = tip - base;
    ArrowHead(p, tip, chord, qSqrt(QPointF::dotProduct(chord, chord)), 4.5, kSlate);
}

void PaintZoom(QPainter& p, bool in) {
    Magnifier(p, QPointF(12, 12), 8.5, 8);
    Solid(p, QRectF(8, 11, 8, 2), kTeal);
    if (in) Solid(p, QRectF(11, 8, 2, 8), kTeal);
}

void PaintImport(QPainter& p) {
    Page(p, QRectF(9, 2, 16, 23), 6);
    Solid(p, QRectF(16, 16, 6, 1), kSlateSoft);
    Solid(p, QRectF(16, 19, 6, 1), kSlateSoft);
    Solid(p, QRectF(13, 22, 9, 1), kSlateSoft);
    Arrow(p, QPointF(1, 12), QPointF(18, 12), kTeal, 3.0, 7, 5);
}

// Label outline used by the "place at edge / centre" buttons.
void LabelFrame(QPainter& p) {
    p.setPen(Stroke(kSlate, 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 2.5, 23, 23));
}

enum class Edge { Top, Left, Bottom, Right };

void PaintPlaceAtEdge(QPainter& p, Edge edge) {
    LabelFrame(p);
    switch (edge) {
    case Edge::Top:
        Solid(p, QRectF(8, 4, 12, 6), kTeal);
        Arrow(p, QPointF(14, 23), QPointF(14, 12), kSlate, 2, 5, 4);
        break;
    case Edge::Bottom:
        Solid(p, QRectF(8, 18, 12, 6), kTeal);
        Arrow(p, QPointF(14, 5), QPointF(14, 16), kSlate, 2, 5, 4);
        break;
    case Edge::Left:
        Solid(p, QRectF(4, 8, 6, 12), kTeal);
        Arrow(p, QPointF(23, 14), QPointF(12, 14), kSlate, 2, 5, 4);
        break;
    case Edge::Right:
        Solid(p, QRectF(18, 8, 6, 12), kTeal);
        Arrow(p, QPointF(5, 14), QPointF(16, 14), kSlate, 2, 5, 4);
        break;
    }
}

void PaintPlaceCentre(QPainter& p, bool vertical) {
    LabelFrame(p);
    if (vertical) {
        Solid(p, QRectF(7, 11, 14, 6), kTeal);
        Arrow(p, QPointF(14, 4), QPointF(14, 10), kSlate, 2, 4, 3.5);
        Arrow(p, QPointF(14, 24), QPointF(14, 18), kSlate, 2, 4, 3.5);
    } else {
        Solid(p, QRectF(11, 7, 6, 14), kTeal);
        Arrow(p, QPointF(4, 14), QPointF(10, 14), kSlate, 2, 4, 3.5);
        Arrow(p, QPointF(24, 14), QPointF(18, 14), kSlate, 2, 4, 3.5);
    }
}

// Two objects flush against a guide line; drawn for "left" and turned for the others.
void PaintAlign(QPainter& p, int quarterTurns) {
    p.translate(14, 14);
    p.rotate(90.0 * quarterTurns);
    p.translate(-14, -14);
    Solid(p, QRectF(3, 2, 2, 24), kSlate);
    Box(p, QRectF(7, 6, 17, 6), kTeal);
    Box(p, QRectF(7, 16, 11, 6), kPaper);
}

// Stacking buttons: the teal object is the one being moved.
void PaintStack(QPainter& p, bool toEnd, bool front) {
    if (toEnd) {
        const QRectF back1(2, 2, 13, 13), back2(13, 13, 13, 13), moved(7, 7, 14, 14);
        if (!front) Box(p, moved, kTeal);
        Box(p, back1, kPaper);
        Box(p, back2, kPaper);
        if (front) Box(p, moved, kTeal);
    } else {
        const QRectF other(3, 3, 15, 15), moved(10, 10, 15, 15);
        if (!front) Box(p, moved, kTeal);
        Box(p, other, kPaper);
        if (front) Box(p, moved, kTeal);
    }
}

// Three objects with evenly spaced edges and the equal gaps marked below them.
void PaintSpacing(QPainter& p, bool horizontal) {
    if (!horizontal) {
        p.translate(14, 14);
        p.rotate(90);
        p.scale(1, -1);
        p.translate(-14, -14);
    }
    Box(p, QRectF(3, 6, 5, 10), kPaper);
    Box(p, QRectF(12, 2, 5, 18), kTeal);
    Box(p, QRectF(21, 5, 5, 12), kPaper);
    // Dimension line with a tick under each object: the steps are equal.
    Solid(p, QRectF(5, 24, 19, 1), kSlate);
    Solid(p, QRectF(5, 22, 1, 5), kSlate);
    Solid(p, QRectF(14, 22, 1, 5), kSlate);
    Solid(p, QRectF(23, 22, 1, 5), kSlate);
}

}  // namespace

void PaintMainGlyph(QPainter& p, int index) {
    p.save();
    switch (index) {
    case 0: PaintNew(p); break;
    case 1: PaintOpen(p); break;
    case 2: PaintSave(p); break;
    case 3: PaintPrinter(p); break;
    case 4: PaintPreview(p); break;
    case 5: PaintRotation(p, true); break;
    case 6: PaintRotation(p, false); break;
    case 7: PaintZoom(p, true); break;
    case 8: PaintZoom(p, false); break;
    case 9: PaintImport(p); break;
    case 10: PaintPlaceAtEdge(p, Edge::Top); break;
    case 11: PaintPlaceAtEdge(p, Edge::Left); break;
    case 12: PaintPlaceAtEdge(p, Edge::Bottom); break;
    case 13: PaintPlaceAtEdge(p, Edge::Right); break;
    case 14: PaintPlaceCentre(p, true); break;
    case 15: PaintPlaceCentre(p, false); break;
    case 16: PaintAlign(p, 0); break;
    case 17: PaintAlign(p, 1); break;
    case 18: PaintAlign(p, 2); break;
    case 19: PaintAlign(p, 3); break;
    case 20: PaintStack(p, true, true); break;
    case 21: PaintStack(p, true, false); break;
    case 22: PaintStack(p, false, true); break;
    case 23: PaintStack(p, false, false); break;
    case 24: PaintSpacing(p, true); break;
    case 25: PaintSpacing(p, false); break;
    default: break;
    }
    p.restore();
}

}  // namespace kestrix::icons
