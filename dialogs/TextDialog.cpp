#include "dialogs/TextDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"

namespace kestrix {

TextDialog::TextDialog(UiLanguage language, LabelElement& e, const QStringList& columns, QWidget* parent)
    : QDialog(parent), text_(ContentEdit(QString::fromStdU16String(ElementText(e)), 1000)) {
    setWindowTitle(UiText(language, "Text Properties", "输入文字"));
    auto* group = new QGroupBox(UiText(language, "Input Text", "请输入标签文字"));
    SetControlId(group, 1026);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(text_);
    groupLayout->addWidget(FieldInsertList(language, columns, text_));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(SerializeOkCancelButtons(this, language, e, UiText(language, "OK", "确认输入")));
}

QString TextDialog::Text() const { return text_->text(); }

}  // namespace kestrix
