#include "dialogs/DialogPrompts.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>

#include "dialogs/AboutDialog.h"
#include "dialogs/BarcodeDialog.h"
#include "dialogs/Code2DDialog.h"
#include "dialogs/FileListDialog.h"
#include "dialogs/FontChoice.h"
#include "dialogs/ImageSizeDialog.h"
#include "dialogs/NewLabelDialog.h"
#include "dialogs/PrintPreviewDialog.h"
#include "dialogs/PrinterDialog.h"
#include "dialogs/PrinterSettingsDialog.h"
#include "dialogs/ShapeDialog.h"
#include "dialogs/TextDialog.h"
#include "output/PrinterLocation.h"

namespace kestrix {

namespace {

// More labels than a roll holds; the spin box needs a bound.
constexpr int kMaxDirectCopies = 99999;

}  // namespace

bool DialogPrompts::AskYesNo(QWidget* owner, const QString& text, const QString& caption, QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.button(QMessageBox::Yes)->setText(UiText(language_, "&Yes", "是(&Y)"));
    box.button(QMessageBox::No)->setText(UiText(language_, "&No", "否(&N)"));
    return box.exec() == QMessageBox::Yes;
}

void DialogPrompts::ShowMessage(QWidget* owner, const QString& text, const QString& caption, QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    box.button(QMessageBox::Ok)->setText(UiText(language_, "OK", "确定"));
    // A message may name a command to run or a file: its text can be selected and copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

QMessageBox::StandardButton DialogPrompts::AskYesNoCancel(QWidget* owner, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    owner);
    box.button(QMessageBox::Yes)->setText(UiText(language_, "&Yes", "是(&Y)"));
    box.button(QMessageBox::No)->setText(UiText(language_, "&No", "否(&N)"));
    box.button(QMessageBox::Cancel)->setText(UiText(language_, "Cancel", "取消"));
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    return answer == QMessageBox::Yes || answer == QMessageBox::No ? QMessageBox::StandardButton(answer)
                                                                   : QMessageBox::Cancel;
}

std::optional<bool> DialogPrompts::AskRecover(QWidget* owner, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, owner);
    QAbstractButton* recover = box.addButton(UiText(language_, "&Recover", "恢复(&R)"), QMessageBox::AcceptRole);
    QAbstractButton* discard = box.addButton(UiText(language_, "&Discard", "放弃(&D)"), QMessageBox::DestructiveRole);
    box.setDefaultButton(static_cast<QPushButton*>(recover));
    // No escape button: a reflex Escape does not throw the work away.
    box.exec();
    if (box.clickedButton() == recover) return true;
    if (box.clickedButton() == discard) return false;
    return std::nullopt;
}

namespace {

// The files chosen in a file dialog of `mode`, opened wide enough to show
// its columns whole (Qt's own size cuts the dates short).
QStringList ChooseFiles(QWidget* owner, const QString& title, const QString& filter, QFileDialog::FileMode mode,
                        QFileDialog::AcceptMode accept = QFileDialog::AcceptOpen) {
    QFileDialog dialog(owner, title, {}, filter);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(accept);
    // The overwrite question is the editor's own, asked after ".lab" is added.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.resize(dialog.sizeHint().expandedTo(QSize(880, 520)));
    // Qt's own dialog (not a desktop's): size, type and date as wide as they
    // need, the name taking the rest.
    if (auto* columns = dialog.findChild<QHeaderView*>()) {
        columns->setSectionResizeMode(QHeaderView::ResizeToContents);
        columns->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

}  // namespace

QString DialogPrompts::OpenFileName(QWidget* owner, const QString& filter) {
    return ChooseFiles(owner, UiText(language_, "Open", "打开"), filter, QFileDialog::ExistingFile).value(0);
}

QString DialogPrompts::SaveFileName(QWidget* owner, const QString& filter) {
    return ChooseFiles(owner, UiText(language_, "Save As", "另存为"), filter, QFileDialog::AnyFile,
                       QFileDialog::AcceptSave)
        .value(0);
}

QStringList DialogPrompts::OpenFileNames(QWidget* owner, const QString& filter) {
    return ChooseFiles(owner, UiText(language_, "Open", "打开"), filter, QFileDialog::ExistingFiles);
}

QStringList DialogPrompts::ChoosePrintFiles(QWidget* owner) {
    FileListDialog dialog(language_, *this, owner);
    return dialog.exec() == QDialog::Accepted ? dialog.Paths() : QStringList();
}

std::optional<QSize> DialogPrompts::NewLabelSize(QWidget* owner) {
    NewLabelDialog dialog(language_, owner);
    dialog.SetComplaint([this, &dialog](const QString& text) {
        ShowMessage(&dialog, text, UiText(language_, "New Label", "新建标签"), QMessageBox::Warning);
    });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.LabelSize();
}

void DialogPrompts::ShowAbout(QWidget* owner) {
    AboutDialog dialog(language_, owner);
    dialog.exec();
}

bool DialogPrompts::ChoosePrinter(QWidget* owner, QPrinter& printer) {
    QPrintDialog dialog(&printer, owner);
    // One label, printed whole: a printer and its copies are all there is to choose.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

void DialogPrompts::ShowPrintPreview(QWidget* owner, PrintableLabel& label) {
    PrintPreviewDialog dialog(language_, label, owner);
    dialog.exec();
}

std::optional<QString> DialogPrompts::ChoosePrinterAddress(QWidget* owner, const QString& current,
                                                           const QString& settingsPath) {
    PrinterDialog dialog(language_, FindPrinterDevicePaths(), QPrinterInfo::availablePrinterNames(), current, owner);
    QObject::connect(&dialog, &PrinterDialog::SettingsWanted, &dialog,
                     [&] { EditPrinterSettings(&dialog, settingsPath); });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Address();
}

bool DialogPrompts::EditPrinterSettings(QWidget* owner, const QString& path) {
    return PrinterSettingsDialog(language_, path, owner).exec() == QDialog::Accepted;
}

std::optional<int> DialogPrompts::AskCopies(QWidget* owner, int initial) {
    QInputDialog dialog(owner);
    dialog.setWindowTitle(UiText(language_, "Direct Send", "直接发数据给打印机"));
    dialog.setLabelText(UiText(language_, "Number of labels to print:", "打印张数："));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, kMaxDirectCopies);
    dialog.setIntValue(initial);
    dialog.setOkButtonText(UiText(language_, "Print", "打印"));
    dialog.setCancelButtonText(UiText(language_, "Cancel", "取消"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.intValue();
}

// Inside these members the dialog class names are hidden by the members' own.
std::optional<DataChoice> DialogPrompts::DataDialog(QWidget* owner, const DataChoice& current,
                                                    const QStringList& fields) {
    kestrix::DataDialog dialog(language_, current, fields, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

std::optional<QString> DialogPrompts::TextDialog(QWidget* owner, LabelElement& e, const QStringList& columns) {
    kestrix::TextDialog dialog(language_, e, columns, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Text();
}

std::optional<BarcodeFields> DialogPrompts::BarcodeDialog(QWidget* owner, LabelElement& e, const BarcodeFields& initial,
                                                          const QStringList& columns) {
    kestrix::BarcodeDialog dialog(language_, e, initial, columns, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Values();
}

std::optional<Code2DFields> DialogPrompts::Code2DDialog(QWidget* owner, const Code2DFields& initial,
                                                        const QStringList& columns) {
    kestrix::Code2DDialog dialog(language_, initial, columns, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Values();
}

bool DialogPrompts::ImageSizeDialog(QWidget* owner, LabelElement& e, int dpiX, int dpiY) {
    return kestrix::ImageSizeDialog(language_, e, dpiX, dpiY, owner).exec() == QDialog::Accepted;
}

bool DialogPrompts::ShapeDialog(QWidget* owner, LabelElement& e) {
    return kestrix::ShapeDialog(language_, e, owner).exec() == QDialog::Accepted;
}

bool DialogPrompts::FontDialog(QWidget* owner, LogFont& font) {
    const int dpi = owner ? owner->logicalDpiY() : kScreenDpi;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, DialogFont(font, dpi), owner, UiText(language_, "Font", "字体"));
    if (!ok) return false;
    TakeDialogFont(font, chosen, dpi);
    return true;
}

}  // namespace kestrix
