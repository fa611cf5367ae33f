#pragma once
// "Printer Settings...": every key of PrinterSettings.ini with what it does to
// the label stream of Direct Send, in the user's words. OK writes the whole
// file (PrinterSettings::SavePrinterSettings) and ends only when it is
// written; values out of range are refused with a message saying which.

#include <QDialog>

#include "document/UiLanguage.h"
#include "output/PrinterSettings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kestrix {

class PrinterSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the settings of the file at `path` (the standard place when empty).
    PrinterSettingsDialog(UiLanguage language, const QString& path, QWidget* parent = nullptr);

    // The values as the dialog shows them.
    PrinterSettings Settings() const;
    QLabel* Problem() const { return problem_; }
    QSpinBox* Speed() const { return speed_; }
    QSpinBox* Density() const { return density_; }
    QComboBox* LabelType() const { return labelType_; }
    QLineEdit* Gap() const { return gap_; }
    QComboBox* SavePaper() const { return savePaper_; }
    QComboBox* Cutting() const { return cutting_; }
    QSpinBox* CutEvery() const { return cutEvery_; }
    QLineEdit* Offset() const { return offset_; }
    QSpinBox* Media() const { return media_; }

    void accept() override;

private:
    void Refuse(const QString& why);

    UiLanguage language_;
    QString path_;
    PrinterSettings loaded_;
    QSpinBox* speed_;
    QSpinBox* density_;
    QComboBox* labelType_;
    QLineEdit* gap_;
    QComboBox* savePaper_;
    QComboBox* cutting_;
    QSpinBox* cutEvery_;
    QLineEdit* offset_;
    QSpinBox* media_;
    QLabel* problem_;
};

}  // namespace kestrix
