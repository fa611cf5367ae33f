#pragma once
// The editor's way of waiting for the printer: the job's bytes go out on a
// worker thread while the window goes on painting (clicks and keys wait until
// the job is done). When the printer has taken nothing for a while, a small
// modal message says so, naming the state the printer reports and following
// it while the stall lasts, and offers Cancel; it goes away by itself as soon
// as the printer takes data again.

#include <QMessageBox>

#include "document/UiLanguage.h"
#include "output/StallWatch.h"

namespace kestrix {

class StallDialog : public StallWatch {
public:
    StallDialog(UiLanguage language, QWidget* owner, int reportAfterMs = kReportAfterMs);

    void Run(const std::function<void()>& send) override;

    // The stall message; shown only while the printer takes nothing.
    QMessageBox& Box() { return box_; }

private:
    void CloseBox();

    QMessageBox box_;
    bool closingBox_ = false;
};

}  // namespace kestrix
