#pragma once
// The real dialogs behind Prompts.

#include "dialogs/Prompts.h"
#include "document/UiLanguage.h"

namespace kestrix {

class DialogPrompts : public Prompts {
public:
    explicit DialogPrompts(UiLanguage language) : language_(language) {}

    bool AskYesNo(QWidget* owner, const QString& text, const QString& caption, QMessageBox::Icon icon) override;
    void ShowMessage(QWidget* owner, const QString& text, const QString& caption, QMessageBox::Icon icon) override;
    QString OpenFileName(QWidget* owner, const QString& filter) override;
    QString SaveFileName(QWidget* owner, const QString& filter) override;
    QStringList OpenFileNames(QWidget* owner, const QString& filter) override;
    QStringList ChoosePrintFiles(QWidget* owner) override;
    std::optional<QSize> NewLabelSize(QWidget* owner) override;
    QMessageBox::StandardButton AskYesNoCancel(QWidget* owner, const QString& text, const QString& caption) override;
    std::optional<bool> AskRecover(QWidget* owner, const QString& text, const QString& caption) override;
    void ShowAbout(QWidget* owner) override;
    bool ChoosePrinter(QWidget* owner, QPrinter& printer) override;
    void ShowPrintPreview(QWidget* owner, PrintableLabel& label) override;
    std::optional<QString> TextDialog(QWidget* owner, LabelElement& e, const QStringList& columns) override;
    std::optional<BarcodeFields> BarcodeDialog(QWidget* owner, LabelElement& e, const BarcodeFields& initial,
                                               const QStringList& columns) override;
    std::optional<Code2DFields> Code2DDialog(QWidget* owner, const Code2DFields& initial,
                                             const QStringList& columns) override;
    bool ImageSizeDialog(QWidget* owner, LabelElement& e, int dpiX, int dpiY) override;
    bool ShapeDialog(QWidget* owner, LabelElement& e) override;
    bool FontDialog(QWidget* owner, LogFont& font) override;
    std::optional<DataChoice> DataDialog(QWidget* owner, const DataChoice& current, const QStringList& fields) override;
    std::optional<QString> ChoosePrinterAddress(QWidget* owner, const QString& current,
                                                const QString& settingsPath) override;
    bool EditPrinterSettings(QWidget* owner, const QString& path) override;
    std::optional<int> AskCopies(QWidget* owner, int initial) override;

private:
    UiLanguage language_;
};

}  // namespace kestrix
