#pragma once
// The print preview (dialog 152): the label fitted into a frame, the installed
// printers with the default one selected, the printer's properties, a copies
// field and Print. Every repaint of the label draws it for output, so serial
// numbers advance as they would on paper.

#include <QDialog>
#include <QRect>

#include "document/UiLanguage.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPageSetupDialog;

namespace kestrix {

class PrintableLabel;

// Where the label lands in the preview frame: the longer side of the label as
// the canvas shows it spans the frame less 20 pixels, centred, 3 pixels low.
QRect FitPreviewLabel(const QRect& frame, const QSize& displayed);

// Makes Qt's page setup `dialog` show a paper of the label's size.
void ShowLabelPaper(QPageSetupDialog& dialog, int widthMm, int heightMm);

class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    PrintPreviewDialog(UiLanguage language, PrintableLabel& label, QWidget* parent = nullptr);

    QComboBox* PrinterList() const { return printers_; }
    QLineEdit* CopiesEdit() const { return copies_; }
    QGroupBox* PreviewFrame() const { return frame_; }
    // Where the label is drawn in dialog coordinates, inside the frame's border.
    QRect LabelRect() const;

    // The Print button: the selected printer and the copies in the field.
    void PrintLabel();
    // The Properties button: the selected printer's page settings for the
    // label, shown for reference.
    void ShowProperties();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PrintableLabel& label_;
    QComboBox* printers_;
    QLineEdit* copies_;
    QGroupBox* frame_;
};

}  // namespace kestrix
