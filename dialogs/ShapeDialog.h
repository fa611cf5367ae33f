#pragma once
// The shape dialog: the kind of a shape, its line width and corner size. OK
// writes them into the element; a triangle gets its apex centred.

#include <QDialog>

#include "document/LabelElement.h"
#include "document/UiLanguage.h"

class QComboBox;
class QLineEdit;

namespace kestrix {

class ShapeDialog : public QDialog {
    Q_OBJECT
public:
    ShapeDialog(UiLanguage language, LabelElement& e, QWidget* parent = nullptr);

    // The position of the chosen or typed type, -1 when it names none.
    int ShapeType() const;
    // Refuses a typed type that matches no entry, with a message.
    void accept() override;

private:
    UiLanguage language_;
    LabelElement& e_;
    QComboBox* type_;
    QLineEdit* lineWidth_;
    QLineEdit* cornerSize_;
};

}  // namespace kestrix
