#include "app/DrawToolBar.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QPainter>

namespace kestrix {

namespace {

constexpr TipTexts kTips[DrawToolBar::kButtons] = {
    {"选择", "Selection"},
    {"文本", "Text"},
    {"二维码", "QR Code"},
    {"一维条码", "BarCode"},
    {"图像", "Picture"},
    {"直线", "Line"},
    {"矩形", "Rectangle"},
    {"撤销", "Undo"},
    {"恢复", "Redo"},
    {"删除", "Delete"},
    {"", ""},
    {"粗体", "Bold"},
    {"斜体", "Italic"},
    {"下划线", "Underline"},
    {"字体靠左", "Left"},
    {"字体居中", "Center"},
    {"字体靠右", "Right"},
};

const QSize kToolCell(35, 42);
const QSize kStyleCell(30, 30);
const QString kSongFace = QStringLiteral("宋体");

bool IsStyleButton(int index) { return index > DrawToolBar::kEmptyPlace; }

}  // namespace

DrawToolBar::DrawToolBar(UiLanguage language, QWidget* parent)
    : ToolBarWindow(language, kButtons, parent),
      drawSheet_(QStringLiteral(":/toolbar/draw.png")),
      styleSheet_(QStringLiteral(":/toolbar/style.png")),
      faces_(new QComboBox(this)),
      sizes_(new QComboBox(this)) {
    QFont listFont(kSongFace);
    listFont.setPixelSize(13);
    listFont.setWeight(QFont::DemiBold);
    faces_->setObjectName(QStringLiteral("101"));
    sizes_->setObjectName(QStringLiteral("102"));
    const int listHeight = std::min(faces_->sizeHint().height(), kToolBarHeight - 14);
    for (QComboBox* list : {faces_, sizes_}) {
        list->setFont(listFont);
        list->setMaxVisibleItems(20);
    }
    faces_->setGeometry(470, 10, 150, listHeight);
    sizes_->setGeometry(625, 10, 150, listHeight);

    QStringList families = QFontDatabase::families();
    // Labels are laid out in the Song face; where it is not installed under that
    // name but stands in for an installed face, it can still be chosen.
    if (!families.contains(kSongFace) && !QFont::substitutes(kSongFace).isEmpty()) families << kSongFace;
    faces_->addItems(families);
    faces_->setCurrentIndex(faces_->findText(kSongFace));
    for (int size : FontSizes()) sizes_->addItem(QString::number(size));
    sizes_->setCurrentIndex(sizes_->findText(QStringLiteral("20")));
    connect(faces_, &QComboBox::currentIndexChanged, this, &DrawToolBar::FontListChanged);
    connect(sizes_, &QComboBox::currentIndexChanged, this, &DrawToolBar::FontListChanged);
}

const QList<int>& DrawToolBar::FontSizes() {
    static const QList<int> sizes{4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

int DrawToolBar::ButtonX(int index) {
    if (IsStyleButton(index)) return 781 + 32 * (index - 11);
    return 43 * index + (index >= 7 ? 16 : 0);
}

QRect DrawToolBar::HoverRect(int index) {
    if (index == kEmptyPlace) return {};
    if (IsStyleButton(index)) return QRect(817 + 32 * (index - 11) - 32, 0, 32, 32);
    const int x = ButtonX(index);
    return QRect(QPoint(x + 1, 0), QPoint(x + 44 - 1, kToolBarHeight - 1));
}

QRect DrawToolBar::PressRect(int index) {
    if (index == kEmptyPlace || IsStyleButton(index)) return HoverRect(index);
    const int x = ButtonX(index);
    return QRect(QPoint(x + 5, 0), QPoint(x + 40 - 1, kToolBarHeight - 1));
}

QString DrawToolBar::TipText(UiLanguage language, int index) {
    if (index < 0 || index >= kButtons) return {};
    return UiText(language, kTips[index].english, kTips[index].chinese);
}

void DrawToolBar::FontListChanged() {
    if (faces_->currentIndex() < 0 || sizes_->currentIndex() < 0) return;
    emit FontChosen(sizes_->currentText().toInt(), faces_->currentText());
}

void DrawToolBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width();
    const int h = height();
    PaintToolBarBackground(p, rect());
    p.setPen(QColor(200, 200, 200));
    p.drawLine(0, 0, w - 1, 0);
    for (int i = 0; i < kButtons; ++i) {
        if (i == kEmptyPlace) continue;
        const int x = ButtonX(i);
        const QRect highlight = IsStyleButton(i) ? QRect(QPoint(x, 2), QPoint(x + 32 - 1, h - 2 - 1))
                                                 : QRect(QPoint(x + 1, 2), QPoint(x + 44 - 1, h - 2 - 1));
        PaintButtonHighlight(p, highlight, states_[i]);
    }
    PaintSeparator(p, ButtonX(6) + 43, h);
    PaintSeparator(p, ButtonX(9) + 43, h);
    for (int i = 0; i < kButtons; ++i) {
        if (i == kEmptyPlace) continue;
        const int x = ButtonX(i);
        if (IsStyleButton(i))
            PaintIconCell(p, styleSheet_, i - 11, kStyleCell, QPoint(x + 1, 5));
        else
            PaintIconCell(p, drawSheet_, i, kToolCell, QPoint(x + 5, 2));
    }
}

}  // namespace kestrix
