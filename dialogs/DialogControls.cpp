#include "dialogs/DialogControls.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/SerializationDialog.h"

namespace kestrix {

void SetControlId(QWidget* control, int id) { control->setObjectName(QString::number(id)); }

QLabel* ControlLabel(const QString& text, int id) {
    auto* label = new QLabel(text);
    SetControlId(label, id);
    return label;
}

QLineEdit* NumberEdit(int value, int id) {
    auto* edit = new QLineEdit(QString::number(value));
    SetControlId(edit, id);
    // Room for seven digits, whatever the font.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    return edit;
}

QLineEdit* ContentEdit(const QString& text, int id) {
    auto* edit = new QLineEdit;
    edit->setMaxLength(kStrUnits - 1);
    edit->setText(text);
    edit->setCursorPosition(0);  // a long content shows its beginning
    SetControlId(edit, id);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 40);
    return edit;
}

QComboBox* SymbologyList(std::span<const Symbology> list, int32_t code, int id) {
    auto* combo = new QComboBox;
    for (const Symbology& s : list) combo->addItem(QString::fromLatin1(s.label));
    // An unknown code opens on the first entry, and the note says so.
    combo->setCurrentIndex(std::max(0, SymbologyIndex(list, code)));
    combo->setMaxVisibleItems(static_cast<int>(list.size()));
    SetControlId(combo, id);
    return combo;
}

QLabel* UnknownSymbologyNote(UiLanguage language, std::span<const Symbology> list, int32_t code) {
    auto* note = new QLabel(UiText(language, "The stored type %1 is not in the list; %2 is selected.",
                                   "保存的类型 %1 不在列表中，已选择 %2。")
                                .arg(code)
                                .arg(QString::fromLatin1(list.front().label)));
    note->setObjectName(QStringLiteral("unknownType"));
    note->setWordWrap(true);
    if (SymbologyIndex(list, code) >= 0) note->hide();
    return note;
}

QComboBox* FieldInsertList(UiLanguage language, const QStringList& columns, QLineEdit* content) {
    auto* list = new QComboBox;
    list->setObjectName(QStringLiteral("insertField"));
    list->addItem(UiText(language, "Insert a field of the data file...", "插入数据文件的字段..."));
    // A name with a closing brace cannot be written as a field.
    for (const QString& column : columns)
        if (!column.contains(u'}')) list->addItem(QStringLiteral("${%1}").arg(column));
    list->setVisible(!columns.isEmpty());
    QObject::connect(list, &QComboBox::activated, content, [list, content](int index) {
        if (index <= 0) return;
        content->insert(list->itemText(index));
        content->setFocus();
        list->setCurrentIndex(0);
    });
    return list;
}

void AddFieldRow(QGridLayout* grid, QLabel* label, QWidget* field, const QString& unit, int unitId) {
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    if (unit.isEmpty()) {
        grid->addWidget(field, row, 1, 1, 2);
        return;
    }
    grid->addWidget(field, row, 1);
    auto* unitLabel = new QLabel(unit);
    if (unitId != 0) SetControlId(unitLabel, unitId);
    grid->addWidget(unitLabel, row, 2);
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog, const QString& ok, const QString& cancel) {
    auto* buttons = new QDialogButtonBox;
    QPushButton* okButton = buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    okButton->setDefault(true);
    SetControlId(okButton, 1);
    SetControlId(buttons->addButton(cancel, QDialogButtonBox::RejectRole), 2);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QBoxLayout* SerializeOkCancelButtons(QDialog* dialog, UiLanguage language, LabelElement& e, const QString& ok) {
    auto* serialize = new QPushButton(UiText(language, "Serialize", "序列化"));
    SetControlId(serialize, 3);
    serialize->setAutoDefault(false);
    QObject::connect(serialize, &QPushButton::clicked, dialog,
                     [dialog, language, &e] { SerializationDialog(language, e, dialog).exec(); });
    auto* row = new QHBoxLayout;
    row->addWidget(serialize);
    row->addWidget(OkCancelButtons(dialog, ok, UiText(language, "Cancel", "取消")));
    return row;
}

}  // namespace kestrix
