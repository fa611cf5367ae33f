#pragma once
// The 2D code dialog: symbology, content and edge length in millimetres. The
// caller converts the size to dots and stores the values.

#include <QDialog>

#include "dialogs/Prompts.h"
#include "document/UiLanguage.h"

class QComboBox;
class QLineEdit;

namespace kestrix {

class Code2DDialog : public QDialog {
    Q_OBJECT
public:
    // `columns`: the data file's, offered as fields to insert.
    Code2DDialog(UiLanguage language, const Code2DFields& initial, const QStringList& columns = {},
                 QWidget* parent = nullptr);

    // What the controls hold now.
    Code2DFields Values() const;

private:
    QComboBox* type_;
    QLineEdit* content_;
    QLineEdit* size_;
};

}  // namespace kestrix
