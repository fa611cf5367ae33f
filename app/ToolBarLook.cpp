#include "app/ToolBarLook.h"

#include <QLinearGradient>
#include <QPainter>
#include <QToolTip>
#include <QWidget>

namespace kestrix {

void PaintToolBarBackground(QPainter& painter, QRect rect) { painter.fillRect(rect, QColor(239, 239, 230)); }

void PaintButtonHighlight(QPainter& painter, QRect rect, int state) {
    if (state != kHover && state != kPressed) return;
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    if (state == kHover) {
        gradient.setColorAt(0, QColor(255, 254, 220));
        gradient.setColorAt(1, QColor(251, 168, 61));
    } else {
        gradient.setColorAt(0, QColor(254, 130, 64));
        gradient.setColorAt(1, QColor(255, 218, 149));
    }
    painter.fillRect(rect, gradient);
    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void PaintSeparator(QPainter& painter, int slotEnd, int barHeight) {
    painter.setPen(QColor(202, 198, 175));
    painter.drawLine(slotEnd + 8, 4, slotEnd + 8, barHeight - 4);
}

void PaintIconCell(QPainter& painter, const QPixmap& sheet, int cell, QSize cellSize, QPoint at) {
    if (sheet.isNull()) return;
    painter.drawPixmap(at, sheet, QRect(QPoint(cell * cellSize.width(), 0), cellSize));
}

ToolBarTips::ToolBarTips(QWidget* bar) : QObject(bar), bar_(bar) {
    timer_.setSingleShot(true);
    timer_.setInterval(500);
    connect(&timer_, &QTimer::timeout, this, &ToolBarTips::Show);
}

void ToolBarTips::Hover(int button, const QString& text, QPoint pos, QRect buttonRect) {
    pos_ = pos;
    if (button == button_) return;
    button_ = button;
    text_ = text;
    rect_ = buttonRect;
    QToolTip::hideText();
    if (button < 0 || text.isEmpty())
        timer_.stop();
    else
        timer_.start();
}

void ToolBarTips::Leave() {
    button_ = -1;
    timer_.stop();
    QToolTip::hideText();
}

void ToolBarTips::Show() {
    if (button_ < 0 || !bar_->isVisible()) return;
    QToolTip::showText(bar_->mapToGlobal(pos_ + QPoint(0, 20)), text_, bar_, rect_);
}

}  // namespace kestrix
