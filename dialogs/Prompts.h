#pragma once
// Every modal question, message and file dialog the editor window shows goes
// through this interface, so tests can answer them without a modal loop.

#include <QMessageBox>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace kestrix {

class LabelCanvas;

class Prompts {
public:
    virtual ~Prompts() = default;

    // A yes/no question; true for Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& text, const QString& caption,
                          QMessageBox::Icon icon) = 0;
    // A message with an OK button.
    virtual void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                             QMessageBox::Icon icon) = 0;
    // The chosen file, or an empty string when cancelled.
    virtual QString OpenFileName(QWidget* owner, const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* owner, const QString& filter) = 0;
    // The files chosen in a multi-selection open dialog; none when cancelled.
    virtual QStringList OpenFileNames(QWidget* owner, const QString& filter) = 0;
    // The batch-printing file list: its paths in list order when it ends with
    // Print, none when cancelled.
    virtual QStringList ChoosePrintFiles(QWidget* owner) = 0;
    // The new-label dialog: width and height in mm, nothing when cancelled.
    virtual std::optional<QSize> NewLabelSize(QWidget* owner) = 0;
    virtual void ShowAbout(QWidget* owner) = 0;
    // The print dialog: sets `printer` to the chosen printer and copies; false when cancelled.
    virtual bool ChoosePrinter(QWidget* owner, QPrinter& printer) = 0;
    // The modal print preview of the label in `canvas`.
    virtual void ShowPrintPreview(QWidget* owner, LabelCanvas& canvas) = 0;
    // The printer of the direct print job, starting from the address `current`:
    // the address chosen, nothing when cancelled.
    virtual std::optional<QString> ChoosePrinterAddress(QWidget* owner, const QString& current) = 0;
};

}  // namespace kestrix
