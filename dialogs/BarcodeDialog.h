#pragma once
// The barcode dialog: symbology, content, size in millimetres and the
// human-readable line of a linear barcode. The caller converts the sizes to
// dots and stores the values.

#include <QDialog>

#include "dialogs/Prompts.h"
#include "document/LabelElement.h"
#include "document/UiLanguage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kestrix {

class BarcodeDialog : public QDialog {
    Q_OBJECT
public:
    // Serialize writes into `e` at once; `columns`: the data file's, offered as fields to insert.
    BarcodeDialog(UiLanguage language, LabelElement& e, const BarcodeFields& initial, const QStringList& columns = {},
                  QWidget* parent = nullptr);

    // What the controls hold now.
    BarcodeFields Values() const;
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
