#pragma once
// Pieces every property dialog is made of. Each control the dialog templates
// number carries its number as object name, so tests find it by that number.

#include <QString>
#include <QStringList>
#include <span>

#include "document/LabelElement.h"
#include "document/Symbologies.h"
#include "document/UiLanguage.h"

class QBoxLayout;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kestrix {

void SetControlId(QWidget* control, int id);
QLabel* ControlLabel(const QString& text, int id);
// A number edit showing `value` with "%d".
QLineEdit* NumberEdit(int value, int id);
// A content edit, limited to what an element's str holds.
QLineEdit* ContentEdit(const QString& text, int id);
// The symbology labels in list order, the entry of `code` selected, or the
// first one when the list has no such code.
QComboBox* SymbologyList(std::span<const Symbology> list, int32_t code, int id);
// Shown only when the list has no entry for `code`: says which one was selected instead.
QLabel* UnknownSymbologyNote(UiLanguage language, std::span<const Symbology> list, int32_t code);

// The data file's `columns` as a list whose choice inserts ${NAME} into
// `content` where its cursor is; hidden when there are none.
QComboBox* FieldInsertList(UiLanguage language, const QStringList& columns, QLineEdit* content);

// A row of `grid`: the label, the field and, when given, its unit after it
// (numbered when `unitId` is not 0).
void AddFieldRow(QGridLayout* grid, QLabel* label, QWidget* field, const QString& unit = {}, int unitId = 0);

// Buttons 1 (accept, the default) and 2 (reject) of `dialog`.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, const QString& ok, const QString& cancel);
// Button 3 "Serialize" at the left, opening the serialization dialog for `e`,
// then OK (`ok`) and Cancel as above.
QBoxLayout* SerializeOkCancelButtons(QDialog* dialog, UiLanguage language, LabelElement& e, const QString& ok);

}  // namespace kestrix
