#pragma once
// The 2D code dialog: symbology, content and edge length in millimetres. The
// caller converts the size to dots and stores the values.

#include <QDialog>

#include "dialogs/UiLanguage.h"

class QComboBox;
class QLineEdit;

namespace kestrix {

class Code2DDialog : public QDialog {
    Q_OBJECT
public:
    struct Fields {
        int32_t type = 0;
        QString content;
        int sizeMm = 0;
    };

    Code2DDialog(UiLanguage language, const Fields& initial, QWidget* parent = nullptr);

    // What the controls hold now.
    Fields Values() const;

private:
    QComboBox* type_;
    QLineEdit* content_;
    QLineEdit* size_;
};

}  // namespace kestrix
