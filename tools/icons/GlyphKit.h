#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>

namespace kestrix::icons {

// One palette for every sheet so the bars read as one set.
inline const QColor kSlate{0x2F, 0x3E, 0x4E};
inline const QColor kSlateSoft{0x8A, 0x99, 0xA8};
inline const QColor kTeal{0x1C, 0x8C, 0x8C};
inline const QColor kTealLight{0xB9, 0xE0, 0xDE};
inline const QColor kPaper{0xFF, 0xFF, 0xFF};
inline const QColor kMist{0xDD, 0xE4, 0xEA};

// Square-ended pen: with an even width on integer coordinates the edges fall on pixel borders.
QPen Stroke(const QColor& colour, qreal width = 2.0);
// Round-ended pen for arcs and free lines.
QPen RoundStroke(const QColor& colour, qreal width = 2.0);

// Filled triangle whose tip is at `tip`, pointing along the direction (dx, dy).
void ArrowHead(QPainter& p, QPointF tip, QPointF direction, qreal length, qreal halfWidth, const QColor& colour);
// Straight arrow from `from` to `to` with a filled head.
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal width = 2.0, qreal headLength = 5.0,
           qreal headHalfWidth = 4.0);

// A sheet of paper with a dog-ear at the top right; `fold` is the ear size.
void Page(QPainter& p, const QRectF& r, qreal fold);
// Rectangle filled with `fill` and outlined with a 2 px slate stroke.
void Box(QPainter& p, const QRectF& r, const QColor& fill);
// Solid rectangle without outline.
void Solid(QPainter& p, const QRectF& r, const QColor& fill);
// Magnifying glass: lens centred at `centre`, handle towards the lower right.
void Magnifier(QPainter& p, QPointF centre, qreal radius, qreal handleLength);

}  // namespace kestrix::icons
