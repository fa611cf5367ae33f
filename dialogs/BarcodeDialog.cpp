#include "dialogs/BarcodeDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "dialogs/DialogNumber.h"
#include "document/FieldMerge.h"

namespace kestrix {

BarcodeDialog::BarcodeDialog(UiLanguage language, LabelElement& e, const BarcodeFields& initial,
                             const QStringList& columns, QWidget* parent)
    : QDialog(parent),
      language_(language),
      type_(SymbologyList(LinearSymbologies(), initial.type, 1015)),
      content_(ContentEdit(initial.content, 1018)),
      width_(NumberEdit(initial.widthMm, 1001)),
      height_(NumberEdit(initial.heightMm, 1003)),
      showText_(new QCheckBox(UiText(language, "Show Text", "显示文字"))) {
    setWindowTitle(UiText(language, "Barcode Properties", "条形码设置"));
    SetControlId(showText_, 1034);
    showText_->setChecked(initial.showText);

    auto* grid = new QGridLayout;
    AddFieldRow(grid, ControlLabel(UiText(language, "Barcode Type:", "条形码类型："), 1022), type_);
    grid->addWidget(UnknownSymbologyNote(language, LinearSymbologies(), initial.type), grid->rowCount(), 1, 1, 2);
    AddFieldRow(grid, ControlLabel(UiText(language, "Content:", "条形码内容："), 1023), content_);
    grid->addWidget(FieldInsertList(language, columns, content_), grid->rowCount(), 1, 1, 2);
    AddFieldRow(grid, ControlLabel(UiText(language, "Width:", "条形码宽度："), 1024), width_, QStringLiteral("mm"));
    AddFieldRow(grid, ControlLabel(UiText(language, "Height:", "条形码高度："), 1025), height_, QStringLiteral("mm"));
    grid->addWidget(showText_, grid->rowCount(), 1, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(SerializeOkCancelButtons(this, language, e, UiText(language, "OK", "确定")));
}

BarcodeFields BarcodeDialog::Values() const {
    return {LinearSymbologies()[type_->currentIndex()].code, content_->text(), ReadDialogInt(width_->text()),
            ReadDialogInt(height_->text()), showText_->isChecked()};
}

void BarcodeDialog::accept() {
    const BarcodeFields values = Values();
    // Only the length is checked, not that the characters are digits; a
    // content with fields is known only when a row fills it.
    if (values.type == kBuiltinEan13 && values.content.size() != 13 && FieldNames(values.content).isEmpty()) {
        QMessageBox box(QMessageBox::Critical, UiText(language_, kProductCaption),
                        UiText(language_, "An EAN-13 barcode needs 13 digits.", "BARCDOE_EAN13 条码需要13个字符"),
                        QMessageBox::Ok);
        box.exec();
        return;
    }
    QDialog::accept();
}

}  // namespace kestrix
