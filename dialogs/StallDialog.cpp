#include "dialogs/StallDialog.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QThread>
#include <memory>

#include "output/DirectPrintJob.h"

namespace kestrix {

StallDialog::StallDialog(UiLanguage language, QWidget* owner, int reportAfterMs)
    : StallWatch(0, reportAfterMs), box_(owner) {
    const PrintMessage message = PrinterStalledMessage(language);
    box_.setIcon(QMessageBox::Warning);
    box_.setWindowTitle(message.caption);
    box_.setText(message.text);
    box_.setStandardButtons(QMessageBox::Cancel);
    box_.button(QMessageBox::Cancel)->setText(UiText(language, "Cancel", "取消"));
    box_.setWindowModality(Qt::ApplicationModal);
    // Closed by the user (Cancel, Escape, the close button): the job ends.
    QObject::connect(&box_, &QDialog::finished, &box_, [this] {
        if (!closingBox_) Cancel();
    });
    // These come from the sending thread; the box lives on this one.
    // Told again whenever the reported state changes while the stall lasts.
    onStalled = [this, language] {
        const QString text = PrinterStalledMessage(language, StalledState()).text;
        QMetaObject::invokeMethod(
            &box_,
            [this, text] {
                box_.setText(text);
                box_.show();
            },
            Qt::QueuedConnection);
    };
    onResumed = [this] {
        QMetaObject::invokeMethod(
            &box_, [this] { CloseBox(); }, Qt::QueuedConnection);
    };
}

void StallDialog::CloseBox() {
    closingBox_ = true;
    if (box_.isVisible()) box_.done(0);
    closingBox_ = false;
}

void StallDialog::Run(const std::function<void()>& send) {
    bool finished = false;
    const std::unique_ptr<QThread> worker(QThread::create(send));
    QObject::connect(worker.get(), &QThread::finished, &box_, [&finished] { finished = true; });
    worker->start();
    // Painting and timers go on; user input waits, except for the stall message.
    while (!finished)
        QCoreApplication::processEvents(
            QEventLoop::WaitForMoreEvents |
            (box_.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents));
    worker->wait();
    CloseBox();
}

}  // namespace kestrix
