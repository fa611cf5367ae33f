#pragma once
// The new-label dialog: width and height of the new label in millimetres.

#include <QDialog>
#include <QSize>
#include <functional>

#include "document/UiLanguage.h"

class QLineEdit;

namespace kestrix {

class NewLabelDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewLabelDialog(UiLanguage language, QWidget* parent = nullptr);

    // Where a refused size is explained; a message box unless replaced.
    void SetComplaint(std::function<void(const QString&)> complain) { complain_ = std::move(complain); }
    QSize LabelSize() const;
    QLineEdit* WidthEdit() const { return width_; }
    QLineEdit* HeightEdit() const { return height_; }

    void accept() override;

private:
    UiLanguage language_;
    QLineEdit* width_;
    QLineEdit* height_;
    std::function<void(const QString&)> complain_;
};

}  // namespace kestrix
