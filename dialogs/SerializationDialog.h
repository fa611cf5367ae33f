#pragma once
// The serialization dialog of a text or barcode: whether its number counts up
// or down, and the three numbers kept with it. OK writes all four fields into
// the element at once; the calling dialog's Cancel does not take them back.

#include <QDialog>

#include "document/LabelElement.h"
#include "document/UiLanguage.h"

class QLineEdit;
class QRadioButton;

namespace kestrix {

class SerializationDialog : public QDialog {
    Q_OBJECT
public:
    SerializationDialog(UiLanguage language, LabelElement& e, QWidget* parent = nullptr);

    void accept() override;

private:
    LabelElement& e_;
    QRadioButton* modes_[3];
    QLineEdit* step_;
    QLineEdit* limit_;
    QLineEdit* reset_;
};

}  // namespace kestrix
