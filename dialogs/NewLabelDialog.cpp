#include "dialogs/NewLabelDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "dialogs/DialogNumber.h"
#include "document/LabelDocument.h"

namespace kestrix {

NewLabelDialog::NewLabelDialog(UiLanguage language, QWidget* parent)
    : QDialog(parent), language_(language), width_(NumberEdit(50, 1006)), height_(NumberEdit(70, 1007)) {
    setWindowTitle(UiText(language, "New Label", "新建标签"));
    auto* group = new QGroupBox(UiText(language, "New Label", "新标签"));
    SetControlId(group, 1027);
    auto* grid = new QGridLayout(group);
    AddFieldRow(grid, ControlLabel(UiText(language, "Width:", "标签宽度："), 1024), width_, QStringLiteral("mm"));
    AddFieldRow(grid, ControlLabel(UiText(language, "Height:", "标签高度："), 1025), height_, QStringLiteral("mm"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(OkCancelButtons(this, UiText(language, "OK", "确认"), UiText(language, "Cancel", "取消")));
    complain_ = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
}

QSize NewLabelDialog::LabelSize() const { return {ReadDialogInt(width_->text()), ReadDialogInt(height_->text())}; }

void NewLabelDialog::accept() {
    const QSize size = LabelSize();
    if (!IsValidLabelSize(size.width(), size.height())) {
        // The canvas layout divides by the size, so nonsense never reaches it.
        complain_(UiText(language_, "Width and height must be whole millimetres from 1 to 2000.",
                         "标签宽度和高度必须是 1 到 2000 之间的整毫米数。"));
        return;
    }
    QDialog::accept();
}

}  // namespace kestrix
