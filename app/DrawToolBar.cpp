#include "app/DrawToolBar.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QPainter>
#include <QSignalBlocker>

namespace kestrix {

namespace {

constexpr TipTexts kTips[DrawToolBar::kButtons] = {
    {"选择", "Selection"},
    {"文本", "Text"},
    {"二维码", "QR Code"},
    {"一维条码", "Barcode"},
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
    {"字体靠左", "Align Text Left"},
    {"字体居中", "Center Text"},
    {"字体靠右", "Align Text Right"},
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
    for (const QString& family : families) AddFace(family);
    faces_->setCurrentIndex(faces_->findData(kSongFace));
    for (int size : FontSizes()) sizes_->addItem(QString::number(size), size);
    sizes_->setCurrentIndex(sizes_->findData(20));
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

void DrawToolBar::AddFace(const QString& face) {
    // The English interface names the Song face as English systems do.
    const bool song = face == kSongFace && language_ == UiLanguage::English;
    faces_->addItem(song ? QStringLiteral("SimSun") : face, face);
}

void DrawToolBar::ShowFont(const QString& face, int size) {
    const QSignalBlocker blockFaces(faces_);
    const QSignalBlocker blockSizes(sizes_);
    if (faces_->findData(face) < 0) AddFace(face);
    faces_->setCurrentIndex(faces_->findData(face));
    if (sizes_->findData(size) < 0) {
        int at = 0;
        while (at < sizes_->count() && sizes_->itemData(at).toInt() < size) ++at;
        sizes_->insertItem(at, QString::number(size), size);
    }
    sizes_->setCurrentIndex(sizes_->findData(size));
}

void DrawToolBar::FontListChanged() {
    if (faces_->currentIndex() < 0 || sizes_->currentIndex() < 0) return;
    emit FontChosen(sizes_->currentData().toInt(), faces_->currentData().toString());
}

QPixmap DrawToolBar::ButtonIcon(int index) const {
    if (IsStyleButton(index)) return styleSheet_.copy(QRect(QPoint((index - 11) * kStyleCell.width(), 0), kStyleCell));
    return drawSheet_.copy(QRect(QPoint(index * kToolCell.width(), 0), kToolCell));
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
        p.setOpacity(IsEnabled(i) ? 1.0 : 0.3);
        if (IsStyleButton(i))
            PaintIconCell(p, styleSheet_, i - 11, kStyleCell, QPoint(x + 1, 5));
        else
            PaintIconCell(p, drawSheet_, i, kToolCell, QPoint(x + 5, 2));
    }
    p.setOpacity(1.0);
    PaintOverflow(p);
}

}  // namespace kestrix
