#include "dialogs/Code2DDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "dialogs/DialogNumber.h"

namespace kestrix {

Code2DDialog::Code2DDialog(UiLanguage language, const Code2DFields& initial, const QStringList& columns,
                           QWidget* parent)
    : QDialog(parent),
      type_(SymbologyList(Code2DSymbologies(), initial.type, 1015)),
      content_(ContentEdit(initial.content, 1017)),
      size_(NumberEdit(initial.sizeMm, 1016)) {
    setWindowTitle(UiText(language, "2D Properties", "二维码属性"));
    auto* grid = new QGridLayout;
    AddFieldRow(grid, ControlLabel(UiText(language, "2D Type:", "二维码类型："), 1022), type_);
    grid->addWidget(UnknownSymbologyNote(language, Code2DSymbologies(), initial.type), grid->rowCount(), 1, 1, 2);
    AddFieldRow(grid, ControlLabel(UiText(language, "Content:", "二维码内容："), 1023), content_);
    grid->addWidget(FieldInsertList(language, columns, content_), grid->rowCount(), 1, 1, 2);
    AddFieldRow(grid, ControlLabel(UiText(language, "Size:", "二维码尺寸："), 1032), size_, QStringLiteral("mm"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this, UiText(language, "OK", "确认"), UiText(language, "Cancel", "取消")));
}

Code2DFields Code2DDialog::Values() const {
    return {Code2DSymbologies()[type_->currentIndex()].code, content_->text(), ReadDialogInt(size_->text())};
}

}  // namespace kestrix
