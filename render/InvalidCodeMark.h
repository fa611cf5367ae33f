#pragma once
// Where a code cannot be encoded nothing is printed; on screen a thin dashed
// outline and a short note mark the element so it can still be found and edited.

#include <QPainter>
#include <QRect>
#include <QString>

namespace kestrix {

void DrawInvalidCodeMark(QPainter& painter, const QRect& rect, const QString& note);

}  // namespace kestrix
