#pragma once
// Every modal question, message and file dialog the editor window shows goes
// through this interface, so tests can answer them without a modal loop.

#include <QMessageBox>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "dialogs/DataDialog.h"
#include "dialogs/PrintableLabel.h"
#include "document/LabelElement.h"

class QPrinter;
class QWidget;

namespace kestrix {

// What the barcode and 2D code dialogs show and give back; sizes in millimetres.
struct BarcodeFields {
    int32_t type = 0;
    QString content;
    int widthMm = 0;
    int heightMm = 0;
    bool showText = false;
};
struct Code2DFields {
    int32_t type = 0;
    QString content;
    int sizeMm = 0;
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // A yes/no question; true for Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& text, const QString& caption, QMessageBox::Icon icon) = 0;
    // Yes, No or Cancel (also for a box closed without an answer).
    virtual QMessageBox::StandardButton AskYesNoCancel(QWidget* owner, const QString& text, const QString& caption) = 0;
    // Recover or Discard the label an editor left when it died: true to
    // recover, false to discard, nothing when the box went without an answer.
    virtual std::optional<bool> AskRecover(QWidget* owner, const QString& text, const QString& caption) = 0;
    // A message with an OK button.
    virtual void ShowMessage(QWidget* owner, const QString& text, const QString& caption, QMessageBox::Icon icon) = 0;
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
    // The modal print preview of `label`.
    virtual void ShowPrintPreview(QWidget* owner, PrintableLabel& label) = 0;

    // The element property dialogs; each gives nothing (or false) when cancelled.
    // The text and barcode dialogs get the element for its Serialize button;
    // the text, barcode and 2D code dialogs offer the data file's `columns` as
    // ${NAME} fields to insert.
    virtual std::optional<QString> TextDialog(QWidget* owner, LabelElement& e, const QStringList& columns) = 0;
    virtual std::optional<BarcodeFields> BarcodeDialog(QWidget* owner, LabelElement& e, const BarcodeFields& initial,
                                                       const QStringList& columns) = 0;
    virtual std::optional<Code2DFields> Code2DDialog(QWidget* owner, const Code2DFields& initial,
                                                     const QStringList& columns) = 0;
    // Writes nWidth and nHeight.
    virtual bool ImageSizeDialog(QWidget* owner, LabelElement& e, int dpiX, int dpiY) = 0;
    // Writes nShapeType, nLineWidth and nCornerSize (nEndX -1 for a triangle).
    virtual bool ShapeDialog(QWidget* owner, LabelElement& e) = 0;
    // Text Attributes: the font chooser, starting from and writing back `font`.
    virtual bool FontDialog(QWidget* owner, LogFont& font) = 0;
    // Input File: the data dialog, opening on `current`, for a label whose
    // ${NAME} fields are `fields`; the choice, nothing when cancelled.
    virtual std::optional<DataChoice> DataDialog(QWidget* owner, const DataChoice& current,
                                                 const QStringList& fields) = 0;
    // The printer of the direct print job, starting from the address `current`:
    // the address chosen, nothing when cancelled. Its Printer Settings button
    // edits the settings file at `settingsPath` (the standard place when empty).
    virtual std::optional<QString> ChoosePrinterAddress(QWidget* owner, const QString& current,
                                                        const QString& settingsPath) = 0;
    // The Printer Settings dialog on the file at `path`: true when it wrote the file.
    virtual bool EditPrinterSettings(QWidget* owner, const QString& path) = 0;
    // How many labels Direct Send prints, starting from `initial`; nothing when cancelled.
    virtual std::optional<int> AskCopies(QWidget* owner, int initial) = 0;
};

}  // namespace kestrix
