#include "render/InvalidCodeMark.h"

#include <algorithm>

namespace kestrix {

void DrawInvalidCodeMark(QPainter& painter, const QRect& rect, const QString& note) {
    painter.save();
    painter.setPen(QPen(Qt::gray, 0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setClipRect(rect, Qt::IntersectClip);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::clamp(rect.height() / 3, 6, 14));
    painter.setFont(font);
    painter.setPen(Qt::darkGray);
    painter.drawText(rect.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignTop, note);
    painter.restore();
}

}  // namespace kestrix
