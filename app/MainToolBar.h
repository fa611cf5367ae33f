#pragma once
// The top tool bar: new, open, save, print, preview, rotation, zoom, file
// import and the arrangement commands (130 to 155), drawn by hand.

#include <QPixmap>

#include "app/ToolBarWindow.h"

namespace kestrix {

class MainToolBar : public ToolBarWindow {
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

protected:
    void paintEvent(QPaintEvent* event) override;
    QRect ButtonHoverRect(int index) const override { return HoverRect(index); }
    // A press takes every highlighted button; neither it nor the release looks at the pointer again.
    std::optional<QRect> ButtonPressRect(int) const override { return std::nullopt; }
    int ButtonCommand(int index) const override { return CommandOf(index); }
    QString ButtonTip(int index) const override { return TipText(language_, index); }
    int ContentWidth() const override { return ButtonX(kButtons - 1) + 44; }
    QPixmap ButtonIcon(int index) const override;

private:
    QPixmap sheet_;
};

}  // namespace kestrix
