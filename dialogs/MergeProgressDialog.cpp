#include "dialogs/MergeProgressDialog.h"

#include <QCoreApplication>
#include <limits>

namespace kestrix {

namespace {

// QProgressDialog counts in int: a longer run is shown in proportion.
int Steps(qint64 count, qint64 total) {
    constexpr qint64 kMax = std::numeric_limits<int>::max();
    return static_cast<int>(total <= kMax ? count : count * kMax / total);
}

}  // namespace

MergeProgressDialog::MergeProgressDialog(UiLanguage language, qint64 labels, QWidget* parent)
    : QProgressDialog(parent), language_(language) {
    setWindowTitle(UiText(language, "Printing", "正在打印"));
    setCancelButtonText(UiText(language, "Cancel", "取消"));
    setWindowModality(Qt::WindowModal);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    setMaximum(Steps(labels, labels));
    Sent(0, labels);
}

void MergeProgressDialog::Sent(qint64 sent, qint64 total) {
    setLabelText(
        UiText(language_, "%1 of %2 labels sent to the printer", "已发送 %1 个标签，共 %2 个").arg(sent).arg(total));
    if (!isVisible()) show();
    setValue(Steps(sent, total));
}

bool MergeProgressDialog::GoOn() {
    // A click on Cancel lands here, between two labels.
    QCoreApplication::processEvents();
    return !wasCanceled();
}

}  // namespace kestrix
