#include "dialogs/SerializationDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "dialogs/DialogNumber.h"

namespace kestrix {

SerializationDialog::SerializationDialog(UiLanguage language, LabelElement& e, QWidget* parent)
    : QDialog(parent), e_(e), step_(NumberEdit(1, 1042)), limit_(NumberEdit(99999, 1044)), reset_(NumberEdit(1, 1045)) {
    setWindowTitle(UiText(language, "Serialization", "序列化设置"));
    auto* layout = new QVBoxLayout(this);
    const char* modeTexts[3][2] = {{"Don't Serialize", "不序列化"}, {"Increment", "递增"}, {"Decrement", "递减"}};
    for (int mode = 0; mode < 3; ++mode) {
        modes_[mode] = new QRadioButton(UiText(language, modeTexts[mode][0], modeTexts[mode][1]));
        SetControlId(modes_[mode], 1035 + mode);
        // A mode outside the three leaves every button clear.
        modes_[mode]->setChecked(e.nSerialMode == mode);
        layout->addWidget(modes_[mode]);
    }

    auto* stepGrid = new QGridLayout;
    AddFieldRow(stepGrid, ControlLabel(UiText(language, "Increment by:", "递增值："), 1041), step_);
    layout->addLayout(stepGrid);

    auto* group = new QGroupBox(UiText(language, "Reset", "重置"));
    SetControlId(group, 1043);
    auto* resetGrid = new QGridLayout(group);
    resetGrid->addWidget(ControlLabel(UiText(language, "Specified value is reached", "达到指定值："), 1047), 0, 0, 1,
                         3);
    AddFieldRow(resetGrid, ControlLabel(UiText(language, "Value:", "值："), 1048), limit_);
    AddFieldRow(resetGrid, ControlLabel(UiText(language, "Reset to", "重置为："), 1046), reset_);
    layout->addWidget(group);
    layout->addWidget(OkCancelButtons(this, UiText(language, "OK", "确定"), UiText(language, "Cancel", "取消")));
}

void SerializationDialog::accept() {
    // The last checked button in the order 1035, 1036, 1037 wins.
    for (int mode = 0; mode < 3; ++mode)
        if (modes_[mode]->isChecked()) e_.nSerialMode = mode;
    e_.nSerialStep = ReadDialogInt(step_->text());
    e_.nSerialLimit = ReadDialogInt(limit_->text());
    e_.nSerialReset = ReadDialogInt(reset_->text());
    QDialog::accept();
}

}  // namespace kestrix
