#pragma once
// The text dialog: the text of a text element, and the way to its
// serialization dialog.

#include <QDialog>

#include "document/LabelElement.h"
#include "document/UiLanguage.h"

class QLineEdit;

namespace kestrix {

class TextDialog : public QDialog {
    Q_OBJECT
public:
    // Opens with the element's text; Serialize writes into `e` at once.
    // `columns`: the data file's, offered as fields to insert.
    TextDialog(UiLanguage language, LabelElement& e, const QStringList& columns = {}, QWidget* parent = nullptr);

    QString Text() const;

private:
    QLineEdit* text_;
};

}  // namespace kestrix
