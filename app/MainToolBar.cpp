#include "app/MainToolBar.h"

#include <QPainter>

namespace kestrix {

namespace {

constexpr TipTexts kTips[MainToolBar::kButtons] = {
    {"新建", "New"},
    {"打开", "Open"},
    {"保存", "Save"},
    {"打印", "Print"},
    {"打印预览", "Print Preview"},
    {"左旋转", "Rotate Left"},
    {"右旋转", "Rotate Right"},
    {"放大", "Zoom In"},
    {"缩小", "Zoom Out"},
    {"导入文件", "Input File"},
    {"置顶", "Top"},
    {"靠左", "Left"},
    {"置底", "Bottom"},
    {"靠右", "Right"},
    {"垂直居中", "Vertical Center"},
    {"水平居中", "Horizontal Center"},
    {"左对齐", "Left Align"},
    {"上对齐", "Top Align"},
    {"右对齐", "Right Align"},
    {"下对齐", "Bottom Align"},
    {"移动到最前面", "Bring to Front"},
    {"移动到最后面", "Send to Back"},
    {"前移一层", "Bring Forward"},
    {"后移一层", "Send Backward"},
    {"水平间等间距", "Equal Horizontal Spacing"},
    {"垂直等间距", "Equal Vertical Spacing"},
};

// Separators stand before these buttons: after Save, Print Preview and Zoom Out.
constexpr int kSeparatorsBefore[] = {3, 5, 9};
const QSize kIconCell(35, 42);

}  // namespace

MainToolBar::MainToolBar(UiLanguage language, QWidget* parent)
    : ToolBarWindow(language, kButtons, parent), sheet_(QStringLiteral(":/toolbar/main.png")) {}

int MainToolBar::ButtonX(int index) {
    int x = 43 * index;
    for (int before : kSeparatorsBefore)
        if (index >= before) x += 16;
    return x;
}

QRect MainToolBar::HoverRect(int index) {
    const int x = ButtonX(index);
    return QRect(QPoint(x + 5, 0), QPoint(x + 40 - 1, kToolBarHeight - 1));
}

QString MainToolBar::TipText(UiLanguage language, int index) {
    if (index < 0 || index >= kButtons) return {};
    return UiText(language, kTips[index].english, kTips[index].chinese);
}

QPixmap MainToolBar::ButtonIcon(int index) const {
    return sheet_.copy(QRect(QPoint(index * kIconCell.width(), 0), kIconCell));
}

void MainToolBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int h = height();
    PaintToolBarBackground(p, rect());
    for (int k = 0; k < kButtons; ++k) {
        const int x = ButtonX(k);
        PaintButtonHighlight(p, QRect(QPoint(x + 1, 2), QPoint(x + 44 - 1, h - 2 - 1)), states_[k]);
    }
    for (int before : kSeparatorsBefore) PaintSeparator(p, ButtonX(before - 1) + 43, h);
    for (int k = 0; k < kButtons; ++k) PaintIconCell(p, sheet_, k, kIconCell, QPoint(ButtonX(k) + 5, 0));
    PaintOverflow(p);
}

}  // namespace kestrix
