#include "dialogs/BatchProgressDialog.h"

#include <QFileInfo>

namespace kestrix {

BatchProgressDialog::BatchProgressDialog(UiLanguage language, QWidget* parent)
    : QProgressDialog(parent), language_(language) {
    setWindowTitle(UiText(language, "Batch Print", "批量打印"));
    setCancelButtonText(UiText(language, "Cancel", "取消"));
    setWindowModality(Qt::WindowModal);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumWidth(fontMetrics().averageCharWidth() * 50);
}

bool BatchProgressDialog::Step(int number, int count, const QString& path) {
    setMaximum(count);
    setLabelText(UiText(language_, "Printing label %1 of %2:\n%3", "正在打印第 %1 个标签，共 %2 个：\n%3")
                     .arg(number)
                     .arg(count)
                     .arg(QFileInfo(path).fileName()));
    // Shown now, not by the dialog's own timer: a message of the print job
    // must come up above it, not be covered by it a moment later.
    if (!isVisible()) show();
    // A modal progress dialog lets events through here, so a Cancel click lands.
    setValue(number - 1);
    return !wasCanceled();
}

}  // namespace kestrix
