#include "app/ToolBarWindow.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace kestrix {

ToolBarWindow::ToolBarWindow(UiLanguage language, int buttons, QWidget* parent)
    : QWidget(parent), language_(language), states_(buttons, kNormal), tips_(this) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
}

bool ToolBarWindow::event(QEvent* event) {
    // Tips come from our own 500 ms timer, not from the default tool-tip event.
    if (event->type() == QEvent::ToolTip) return true;
    return QWidget::event(event);
}

namespace {

constexpr int kOverflowWidth = 22;

}  // namespace

QRect ToolBarWindow::OverflowRect() const {
    if (width() >= ContentWidth()) return {};
    return {width() - kOverflowWidth, 0, kOverflowWidth, height()};
}

bool ToolBarWindow::ButtonShown(int index) const {
    const QRect overflow = OverflowRect();
    return overflow.isNull() || ButtonHoverRect(index).right() < overflow.left();
}

QList<QAction*> ToolBarWindow::OverflowActions(QObject* owner) {
    QList<QAction*> actions;
    for (int i = 0; i < int(states_.size()); ++i) {
        if (ButtonHoverRect(i).isNull() || ButtonShown(i)) continue;
        auto* action = new QAction(QIcon(ButtonIcon(i)), ButtonTip(i), owner);
        action->setEnabled(ButtonEnabled(i));
        const int command = ButtonCommand(i);
        connect(action, &QAction::triggered, this, [this, command] { emit Command(command); });
        actions << action;
    }
    return actions;
}

void ToolBarWindow::ShowOverflowMenu() {
    QMenu menu(this);
    menu.addActions(OverflowActions(&menu));
    menu.exec(mapToGlobal(OverflowRect().bottomLeft()));
}

void ToolBarWindow::PaintOverflow(QPainter& painter) const {
    const QRect r = OverflowRect();
    if (r.isNull()) return;
    // The buttons that moved into the menu are not drawn in part either.
    int from = r.left();
    for (int i = 0; i < int(states_.size()); ++i)
        if (!ButtonHoverRect(i).isNull() && !ButtonShown(i)) from = std::min(from, ButtonHoverRect(i).left() - 5);
    PaintToolBarBackground(painter, QRect(from, 1, r.right() - from + 1, r.height() - 1));
    PaintSeparator(painter, r.left() - 8, r.height());
    painter.setPen(Qt::black);
    painter.drawText(r, Qt::AlignCenter, QStringLiteral("»"));
}

bool ToolBarWindow::PressCounts(int index, QPoint pos) const {
    const std::optional<QRect> area = ButtonPressRect(index);
    return !area || area->contains(pos);
}

void ToolBarWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    bool changed = false;
    int under = -1;
    for (int i = 0; i < int(states_.size()); ++i) {
        const QRect hover = ButtonHoverRect(i);
        if (hover.isNull() || !ButtonShown(i)) continue;
        const bool inside = hover.contains(pos);
        if (inside) under = i;
        if (!ButtonEnabled(i)) continue;
        if (!inside && states_[i] != kNormal) {
            states_[i] = kNormal;
            changed = true;
        } else if (inside && states_[i] == kNormal) {
            states_[i] = kHover;
            changed = true;
        }
    }
    tips_.Hover(under, under >= 0 ? ButtonTip(under) : QString(), pos, under >= 0 ? ButtonHoverRect(under) : QRect());
    if (changed) update();
}

void ToolBarWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (OverflowRect().contains(pos)) return ShowOverflowMenu();
    bool changed = false;
    for (int i = 0; i < int(states_.size()); ++i) {
        if (states_[i] != kHover || !ButtonEnabled(i) || !PressCounts(i, pos)) continue;
        states_[i] = kPressed;
        changed = true;
    }
    if (changed) update();
}

void ToolBarWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    bool changed = false;
    for (int i = 0; i < int(states_.size()); ++i) {
        if (states_[i] != kPressed || !PressCounts(i, pos)) continue;
        emit Command(ButtonCommand(i));
        states_[i] = kHover;
        changed = true;
    }
    if (changed) update();
}

void ToolBarWindow::leaveEvent(QEvent*) {
    std::fill(states_.begin(), states_.end(), kNormal);
    tips_.Leave();
    update();
}

// The second click of a double click is not a press, so it posts nothing.
void ToolBarWindow::mouseDoubleClickEvent(QMouseEvent*) {}

}  // namespace kestrix
