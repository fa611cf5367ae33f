#pragma once
// The pointer handling both tool bars share: each button is normal, under the
// pointer or pressed; a release on a pressed button posts its command to the
// frame; the button under the pointer shows its tip after 500 ms. A bar too
// narrow for its buttons ends in an overflow button whose menu holds the rest.

#include <QAction>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/ToolBarLook.h"
#include "document/UiLanguage.h"

namespace kestrix {

class ToolBarWindow : public QWidget {
    Q_OBJECT
public:
    int State(int index) const { return states_[index]; }
    // The overflow button at the right end; empty while every button fits.
    QRect OverflowRect() const;
    // Whether a button lies on the bar before the overflow button.
    bool ButtonShown(int index) const;
    // The buttons beyond the right end as menu entries (icon, tip, command).
    QList<QAction*> OverflowActions(QObject* owner);

signals:
    // Posted (queued) to the frame.
    void Command(int id);

protected:
    ToolBarWindow(UiLanguage language, int buttons, QWidget* parent);

    // Where button `index` reacts to the pointer; empty where there is no button.
    virtual QRect ButtonHoverRect(int index) const = 0;
    // Where a press and its release must be to count; none: anywhere.
    virtual std::optional<QRect> ButtonPressRect(int index) const = 0;
    virtual int ButtonCommand(int index) const = 0;
    virtual QString ButtonTip(int index) const = 0;
    // A disabled button is drawn faded, shows its tip and posts nothing.
    virtual bool ButtonEnabled(int) const { return true; }
    // Where the last button ends.
    virtual int ContentWidth() const = 0;
    virtual QPixmap ButtonIcon(int index) const = 0;
    // Drawn last by a bar's paint: the overflow button over whatever lies beneath it.
    void PaintOverflow(QPainter& painter) const;

    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

    UiLanguage language_;
    std::vector<int> states_;

private:
    bool PressCounts(int index, QPoint pos) const;
    void ShowOverflowMenu();

    ToolBarTips tips_;
};

}  // namespace kestrix
