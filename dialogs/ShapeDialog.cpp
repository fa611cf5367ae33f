#include "dialogs/ShapeDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "dialogs/DialogNumber.h"

namespace kestrix {

namespace {

constexpr int kRoundedRectangle = 1;
constexpr int kTriangle = 3;

}  // namespace

ShapeDialog::ShapeDialog(UiLanguage language, LabelElement& e, QWidget* parent)
    : QDialog(parent),
      language_(language),
      e_(e),
      type_(new QComboBox),
      lineWidth_(NumberEdit(e.nLineWidth, 1051)),
      cornerSize_(NumberEdit(e.nCornerSize, 1053)) {
    setWindowTitle(UiText(language, "Shape Properties", "形状设置"));
    const char* types[][2] = {{"Rectangle", "矩形"},
                              {"Rounded rectangle", "圆角矩形"},
                              {"Ellipse", "椭圆形"},
                              {"Triangle", "三角形"},
                              {"Diamond", "菱形"}};
    for (const auto& type : types) type_->addItem(UiText(language, type[0], type[1]));
    // The list also takes typed text.
    type_->setEditable(true);
    type_->setInsertPolicy(QComboBox::NoInsert);
    type_->setCurrentIndex(e.nShapeType >= 0 && e.nShapeType < type_->count() ? e.nShapeType : -1);
    SetControlId(type_, 1049);
    connect(type_, &QComboBox::activated, this, [this](int index) {
        // Proposes a corner for a shape that has none; a stored one stays.
        if (index == kRoundedRectangle && cornerSize_->text().trimmed().toInt() == 0)
            cornerSize_->setText(QStringLiteral("30"));
    });

    const QString dot = UiText(language, "Dot", "点");
    auto* grid = new QGridLayout;
    AddFieldRow(grid, ControlLabel(UiText(language, "Type:", "形状类型："), 1022), type_);
    AddFieldRow(grid, ControlLabel(UiText(language, "Line Width:", "线宽："), 1050), lineWidth_, dot, 1056);
    AddFieldRow(grid, ControlLabel(UiText(language, "Corner Size:", "角度尺寸："), 1052), cornerSize_, dot, 1057);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this, UiText(language, "OK", "确定"), UiText(language, "Cancel", "取消")));
}

int ShapeDialog::ShapeType() const { return type_->findText(type_->currentText().trimmed(), Qt::MatchFixedString); }

void ShapeDialog::accept() {
    const int type = ShapeType();
    if (type < 0) {
        QMessageBox::warning(this, windowTitle(),
                             UiText(language_, "Choose a shape type from the list.", "请从列表中选择形状类型。"));
        return;
    }
    e_.nShapeType = type;
    e_.nLineWidth = ReadDialogInt(lineWidth_->text());
    e_.nCornerSize = ReadDialogInt(cornerSize_->text());
    if (type == kTriangle) e_.nEndX = -1;  // apex centred
    QDialog::accept();
}

}  // namespace kestrix
