#pragma once
// The top tool bar: new, open, save, print, preview, rotation, zoom, file
// import and the arrangement commands (130 to 155), drawn by hand.

#include <QPixmap>
#include <QWidget>
#include <array>

#include "app/ToolBarLook.h"
#include "dialogs/UiLanguage.h"

namespace kestrix {

class MainToolBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kButtons = 26;

    MainToolBar(UiLanguage language, QWidget* parent = nullptr);

    // Left edge of button k: 43 pixels a slot, 16 more for each separator before it.
    static int ButtonX(int index);
    // The pointer rectangle of a button.
    static QRect HoverRect(int index);
    static int CommandOf(int index) { return 130 + index; }
    static QString TipText(UiLanguage language, int index);
    int State(int index) const { return states_[index]; }

signals:
    // Posted (queued) to the frame.
    void Command(int id);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    UiLanguage language_;
    std::array<int, kButtons> states_{};
    QPixmap sheet_;
    ToolBarTips tips_;
};

}  // namespace kestrix
