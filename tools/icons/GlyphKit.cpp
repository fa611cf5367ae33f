#include "GlyphKit.h"

#include <QPolygonF>
#include <QtMath>

namespace kestrix::icons {

QPen Stroke(const QColor& colour, qreal width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QPen RoundStroke(const QColor& colour, qreal width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void ArrowHead(QPainter& p, QPointF tip, QPointF direction, qreal length, qreal halfWidth, const QColor& colour) {
    const qreal n = qSqrt(direction.x() * direction.x() + direction.y() * direction.y());
    const QPointF d = direction / n;
    const QPointF side(-d.y(), d.x());
    const QPointF base = tip - d * length;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{tip, base + side * halfWidth, base - side * halfWidth});
    p.restore();
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal width, qreal headLength,
           qreal headHalfWidth) {
    const QPointF d = to - from;
    const qreal n = qSqrt(d.x() * d.x() + d.y() * d.y());
    const QPointF shaftEnd = to - d / n * (headLength - 0.5);
    p.save();
    QPen pen = Stroke(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(from, shaftEnd);
    p.restore();
    ArrowHead(p, to, d, headLength, headHalfWidth, colour);
}

void Page(QPainter& p, const QRectF& r, qreal fold) {
    QPainterPath outline;
    outline.moveTo(r.left(), r.top());
    outline.lineTo(r.right() - fold, r.top());
    outline.lineTo(r.right(), r.top() + fold);
    outline.lineTo(r.right(), r.bottom());
    outline.lineTo(r.left(), r.bottom());
    outline.closeSubpath();
    p.save();
    p.setPen(Stroke(kSlate));
    p.setBrush(kPaper);
    p.drawPath(outline);
    QPainterPath ear;
    ear.moveTo(r.right() - fold, r.top());
    ear.lineTo(r.right() - fold, r.top() + fold);
    ear.lineTo(r.right(), r.top() + fold);
    p.setBrush(Qt::NoBrush);
    p.drawPath(ear);
    p.restore();
}

void Box(QPainter& p, const QRectF& r, const QColor& fill) {
    p.save();
    p.setPen(Stroke(kSlate));
    p.setBrush(fill);
    p.drawRect(r);
    p.restore();
}

void Solid(QPainter& p, const QRectF& r, const QColor& fill) { p.fillRect(r, fill); }

void Magnifier(QPainter& p, QPointF centre, qreal radius, qreal handleLength) {
    p.save();
    const qreal k = radius / qSqrt(2.0);
    QPen handle = RoundStroke(kSlate, 4.0);
    p.setPen(handle);
    p.drawLine(centre + QPointF(k + 1.5, k + 1.5), centre + QPointF(k + handleLength, k + handleLength));
    p.setPen(Stroke(kSlate));
    p.setBrush(kPaper);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

}  // namespace kestrix::icons
