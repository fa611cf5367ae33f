#pragma once
// The About box.

#include <QDialog>

#include "document/UiLanguage.h"

namespace kestrix {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(UiLanguage language, QWidget* parent = nullptr);
};

}  // namespace kestrix
