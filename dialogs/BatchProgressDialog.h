#pragma once
// The progress of a batch print run: which label of how many goes to the
// printer now and from which file, with a Cancel that stops the run before the
// next label (a label being sent is never cut off).

#include <QProgressDialog>

#include "document/UiLanguage.h"

namespace kestrix {

class BatchProgressDialog : public QProgressDialog {
    Q_OBJECT
public:
    explicit BatchProgressDialog(UiLanguage language, QWidget* parent = nullptr);

    // Shows that label `number` (from 1) of `count`, from the file `path`, is
    // printed next; false once the user has cancelled.
    bool Step(int number, int count, const QString& path);

private:
    UiLanguage language_;
};

}  // namespace kestrix
