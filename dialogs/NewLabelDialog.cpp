#include "dialogs/NewLabelDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogNumber.h"
#include "document/LabelDocument.h"

namespace kestrix {

NewLabelDialog::NewLabelDialog(UiLanguage language, QWidget* parent)
    : QDialog(parent), language_(language), width_(new QLineEdit(QStringLiteral("50"))),
      height_(new QLineEdit(QStringLiteral("70"))) {
    setWindowTitle(UiText(language, "New Label", "新建标签"));
    width_->setObjectName(QStringLiteral("1006"));
    height_->setObjectName(QStringLiteral("1007"));

    auto* group = new QGroupBox(UiText(language, "New Label", "新标签"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(UiText(language, "Width:", "标签宽度：")), 0, 0);
    grid->addWidget(width_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm")), 0, 2);
    grid->addWidget(new QLabel(UiText(language, "Height:", "标签高度：")), 1, 0);
    grid->addWidget(height_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm")), 1, 2);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(UiText(language, "Ok", "确认"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(UiText(language, "Cancel", "取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &NewLabelDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NewLabelDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    complain_ = [this](const QString& text) {
        QMessageBox::warning(this, windowTitle(), text);
    };
}

QSize NewLabelDialog::LabelSize() const {
    return {ReadDialogInt(width_->text()), ReadDialogInt(height_->text())};
}

void NewLabelDialog::accept() {
    const QSize size = LabelSize();
    if (!IsValidLabelSize(size.width(), size.height())) {
        // The canvas layout divides by the size, so nonsense never reaches it.
        complain_(UiText(language_,
                         "Width and height must be whole millimetres from 1 to 2000.",
                         "标签宽度和高度必须是 1 到 2000 之间的整毫米数。"));
        return;
    }
    QDialog::accept();
}

}  // namespace kestrix
