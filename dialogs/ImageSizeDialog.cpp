#include "dialogs/ImageSizeDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "dialogs/DialogControls.h"
#include "dialogs/DialogNumber.h"
#include "document/Units.h"

namespace kestrix {

namespace {

QComboBox* UnitList(UiLanguage language, int id) {
    auto* list = new QComboBox;
    list->addItem(UiText(language, "mm", "毫米"));
    list->addItem(UiText(language, "Pixel", "像素"));
    SetControlId(list, id);
    return list;
}

}  // namespace

ImageSizeDialog::ImageSizeDialog(UiLanguage language, LabelElement& e, int dpiX, int dpiY, QWidget* parent)
    : QDialog(parent),
      e_(e),
      dpiX_(dpiX),
      dpiY_(dpiY),
      width_(NumberEdit(0, 1001)),
      height_(NumberEdit(0, 1003)),
      widthUnit_(UnitList(language, 1002)),
      heightUnit_(UnitList(language, 1004)),
      proportion_(new QCheckBox(UiText(language, "Fixed proportion", "约束宽高比"))) {
    setWindowTitle(UiText(language, "Image Properties", "修改图片尺寸"));
    SetControlId(proportion_, 1005);
    // Without the picture's own size there is no proportion to keep.
    const bool known = e.nSrcWidth > 0 && e.nSrcHeight > 0;
    proportion_->setChecked(known);
    proportion_->setEnabled(known);
    if (!known)
        proportion_->setToolTip(UiText(language, "The picture's own size is not known.", "图片的原始尺寸未知。"));

    auto* group = new QGroupBox(UiText(language, "Image Size", "修改图片尺寸"));
    SetControlId(group, 1032);
    auto* grid = new QGridLayout(group);
    grid->addWidget(ControlLabel(UiText(language, "Width:", "图片宽度："), 1024), 0, 0);
    grid->addWidget(width_, 0, 1);
    grid->addWidget(widthUnit_, 0, 2);
    grid->addWidget(ControlLabel(UiText(language, "Height:", "图片高度："), 1025), 1, 0);
    grid->addWidget(height_, 1, 1);
    grid->addWidget(heightUnit_, 1, 2);
    grid->addWidget(proportion_, 2, 0, 1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(OkCancelButtons(this, UiText(language, "OK", "确认修改"), UiText(language, "Cancel", "取消")));

    connect(width_, &QLineEdit::textChanged, this, &ImageSizeDialog::WidthChanged);
    connect(widthUnit_, &QComboBox::currentIndexChanged, this, &ImageSizeDialog::ShowSize);
    connect(heightUnit_, &QComboBox::currentIndexChanged, this, &ImageSizeDialog::ShowSize);
    ShowSize(kMillimetres);
}

int ImageSizeDialog::ProportionalHeight(int width, int srcWidth, int srcHeight) {
    const int64_t height = int64_t{width} * srcHeight / srcWidth;
    return static_cast<int>(
        std::clamp<int64_t>(height, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void ImageSizeDialog::ShowSize(int unit) {
    // Both lists show the same unit; both numbers come from the element, not
    // from what was typed.
    for (QComboBox* list : {widthUnit_, heightUnit_}) {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(unit);
    }
    const bool mm = unit == kMillimetres;
    width_->setText(QString::number(mm ? DotsToMm(e_.nWidth, dpiX_) : e_.nWidth));
    height_->setText(QString::number(mm ? DotsToMm(e_.nHeight, dpiY_) : e_.nHeight));
}

void ImageSizeDialog::WidthChanged() {
    if (!proportion_->isChecked()) return;
    height_->setText(QString::number(ProportionalHeight(ReadDialogInt(width_->text()), e_.nSrcWidth, e_.nSrcHeight)));
}

void ImageSizeDialog::accept() {
    const int width = ReadDialogInt(width_->text());
    const int height = ReadDialogInt(height_->text());
    // The width's list decides the unit of both numbers.
    const bool mm = widthUnit_->currentIndex() == kMillimetres;
    e_.nWidth = mm ? MmToDots(width, dpiX_) : width;
    e_.nHeight = mm ? MmToDots(height, dpiY_) : height;
    QDialog::accept();
}

}  // namespace kestrix
