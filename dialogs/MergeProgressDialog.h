#pragma once
// The progress of a merged print run: how many labels of how many have gone
// to the printer, with a Cancel that stops the run before the next label (a
// label being sent is never cut off).

#include <QProgressDialog>

#include "document/UiLanguage.h"

namespace kestrix {

class MergeProgressDialog : public QProgressDialog {
    Q_OBJECT
public:
    MergeProgressDialog(UiLanguage language, qint64 labels, QWidget* parent = nullptr);

    // `sent` labels of `total` have gone.
    void Sent(qint64 sent, qint64 total);
    // Whether the run goes on: false once the user has cancelled.
    bool GoOn();

private:
    UiLanguage language_;
};

}  // namespace kestrix
