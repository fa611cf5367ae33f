#pragma once
// The barcode dialog: symbology, content, size in millimetres and the
// human-readable line of a linear barcode. The caller converts the sizes to
// dots and stores the values.

#include <QDialog>

#include "dialogs/UiLanguage.h"
#include "document/LabelElement.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kestrix {

class BarcodeDialog : public QDialog {
    Q_OBJECT
public:
    struct Fields {
        int32_t type = 0;
        QString content;
        int widthMm = 0;
        int heightMm = 0;
        bool showText = false;
    };

    // Serialize writes into `e` at once.
    BarcodeDialog(UiLanguage language, LabelElement& e, const Fields& initial, QWidget* parent = nullptr);

    // What the controls hold now.
    Fields Values() const;
    // Refuses an EAN-13 content that is not 13 characters long, with a message.
    void accept() override;

private:
    UiLanguage language_;
    QComboBox* type_;
    QLineEdit* content_;
    QLineEdit* width_;
    QLineEdit* height_;
    QCheckBox* showText_;
};

}  // namespace kestrix
