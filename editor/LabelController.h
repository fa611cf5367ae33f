#pragma once
// The label being edited and its printing, without a window: the session
// (document, undo snapshots, clipboard), the printer settings and the direct
// print job's printer, the code and picture caches, the batch queue, the edits
// every window runs on the label, and the direct, driver and batch printing
// flows with their messages. The canvas shows the label and turns pointer
// events into calls here; the frame, the dialogs and the batch run talk to it.

#include <QMessageBox>
#include <QObject>
#include <QPointF>
#include <QRect>
#include <QStringList>
#include <functional>
#include <optional>

#include "dialogs/PrintableLabel.h"
#include "document/LabelLock.h"
#include "document/LabelSession.h"
#include "document/UiLanguage.h"
#include "editor/ElementCommands.h"
#include "editor/LabelData.h"
#include "editor/MergedView.h"
#include "output/DirectPrintJob.h"
#include "output/PrinterSettings.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"
#include "render/RenderContext.h"

class QPainter;
class QPrinter;
class QWidget;

namespace kestrix {

class Prompts;

class LabelController : public QObject, public PrintableLabel {
    Q_OBJECT
public:
    // `undoFolder` keeps the numbered undo files; `problem` says why there is none.
    explicit LabelController(UiLanguage language, UndoFolder undoFolder = {}, std::optional<UndoProblem> problem = {},
                             QObject* parent = nullptr);

    // Loads the printer settings (from `settingsPath`, or the standard place
    // when empty) and the direct print job's printer chosen last.
    void LoadPrinterSettings(const QString& settingsPath = {});
    // Reads the printer settings file again (after the settings dialog wrote it).
    void ReloadPrinterSettings();
    const QString& SettingsPath() const { return settingsPath_; }

    LabelSession& Session() { return session_; }
    const LabelSession& Session() const { return session_; }
    std::vector<LabelElement>& Elements() { return session_.Elements(); }
    PrinterSettings& Settings() { return settings_; }
    CodeImageCache& Codes() { return codes_; }
    ElementCommands& Commands() { return commands_; }
    UiLanguage Language() const { return language_; }
    QStringList& BatchQueue() { return batchQueue_; }
    int LabelWidthMm() const override { return session_.Document().widthMm; }
    int LabelHeightMm() const override { return session_.Document().heightMm; }
    int m_nDpiX = 203;
    int m_nDpiY = 203;

    // Where questions, messages and dialogs go, and the window they belong to.
    void SetPrompts(Prompts* prompts, QWidget* owner = nullptr);
    Prompts* Dialogs() const { return prompts_; }
    QWidget* DialogOwner() const { return owner_; }

    // Where the canvas shows the label, in pixels of the view. The display
    // scale follows its size, and line end points with it.
    void SetDisplayRect(const QRect& rect);
    QRect DisplayRect() const { return display_; }
    QSize DisplayedSize() const override { return display_.size(); }
    // Canvas pixels per dot.
    double ScaleX() const;
    double ScaleY() const;
    // The caches and the display scale, for drawing the label anywhere.
    RenderContext Context();

    // The data file the label is merged with, and the label painted as the
    // canvas shows it: with the values of the row shown.
    const LabelData& Data() const { return data_; }
    void PaintShown(QPainter& painter, const RenderContext& ctx);
    // Tells (LeftOff) the pictures left off since the last time.
    void TellLeftOff();
    // Input File: the data dialog; the file chosen is taken and remembered for the label file.
    void ChooseData();
    // Shows row `number` of the data file on the canvas (the status bar's row selector).
    void ShowRow(qint64 number);
    // The label is another file's now (opened, new, recovered): its remembered
    // data file is taken, or none. One that cannot be read is said once, here.
    void FollowLabelFile();
    // The label was saved: its file keeps the data file (or none) in the settings.
    void LabelSaved();

    // Everything the label holds was replaced (Open, Undo, Redo, New, Delete, recovery):
    // forget code images nobody refers to and repaint.
    void ElementsReplaced();
    // Elements or their selection changed: repaint and tell the frame.
    void EditDone();
    void UndoStep();
    void RedoStep();
    // Each command below that edits is one undo step when it changed the
    // label, none otherwise.
    void Cut();
    void Copy();
    void Paste();
    // Selects every element (no undo step: the label itself is unchanged).
    void SelectAll();
    // Bold (11), Italic (12) and Underline (13) on every selected element.
    void ToggleFontStyle(int index);
    // The tool bar's face and size on every selected element; a text's box
    // takes that many points at the label's resolution.
    void ApplyFontChoice(int size, const QString& face);
    // A canvas pixel's place on the label in mm.
    QPointF PixelToMm(QPoint p) const;
    // The width and height of the box around the selected elements in mm, if any is selected.
    std::optional<QSizeF> SelectionSizeMm() const;
    // The face and point size of the first selected text, if any.
    std::optional<std::pair<QString, int>> SelectedFont() const;
    // Runs an arrangement command of the second tool bar (135 to 156) on the
    // selected elements.
    void Arrange(int command);

    // The label an editor left when it died, with its undo history, in place
    // of this one; the canvas fits it into the view.
    void Recover(RecoverableLabel found);

    // The direct print job: `copies` labels in one job, each with the next
    // serial numbers; messages for the user go to `show`. Serial numbers that
    // advance make an undo step (the label changed). The printer's state is
    // asked first: one that cannot print (out of paper, head open, ...) prints
    // only when the user says to print anyway (Cancelled otherwise).
    DirectPrintResult DirectPrintLabel(const std::function<void(const PrintMessage&)>& show, int copies = 1);
    // Before a direct print run: asks the printer's state once (3 s at most,
    // the window painting meanwhile); true unless it reports a state that
    // stops a job and the user does not want to print anyway.
    bool PrinterReadyOrAccepted();
    // The number of copies Direct Send asked for last (remembered between runs).
    int DirectCopies() const;
    void RememberDirectCopies(int copies);
    // For the status bar: what went where ("3 labels sent to socket://..."),
    // and whether they wait there (a stopped CUPS queue, a held job).
    QString DirectPrintedText(qint64 labels, bool waiting = false) const;
    // Jobs that went to the printer but do not print now (DirectPrintResult's
    // warnings): a warning message naming the printer, one note a line.
    void TellNotPrintingYet(const QStringList& notes);
    // The direct print job for `doc`, a label other than the one being edited,
    // whose line ends are at `viewScale`. Its serial numbers advance in `doc`.
    // With `rows` (checked) one label per row; more than a few labels show progress with Cancel.
    DirectPrintResult DirectPrintDocument(LabelDocument& doc, QPointF viewScale,
                                          const std::function<void(const PrintMessage&)>& show,
                                          DataSource* rows = nullptr, int copies = 1);
    // Where the direct print job sends the label: the USB search unless a device is given.
    void SetPrinterTarget(const PrinterTarget& target) { printerTarget_ = target; }
    // The direct print job's printer address: the one last chosen (remembered
    // between runs), else Device= of the printer settings.
    const QString& DirectPrinter() const { return printerTarget_.device; }
    void ChooseDirectPrinter(const QString& address);
    // The batch operation: the file list adds its paths to the batch queue;
    // when files wait there (also from an earlier run), QueuedLabelsWaiting.
    void BatchPrint();
    // Driver printing on an installed printer (the print dialog when there is
    // no such printer); serial numbers that advance make an undo step.
    void DriverPrint(const QString& printerName, int copies) override;
    // Print and Ctrl+P: the print dialog with the label's paper and copies,
    // the printer used last selected, then driver printing.
    void PrintAsking();
    // The label as it will print, serial numbers as they stand: a preview
    // never advances them.
    QImage OutputImage() override;

signals:
    // Elements or selection changed: command enabling may differ.
    void Changed();
    // The label looks different: the canvas repaints.
    void Repaint();
    // The label was replaced (Recover): the canvas fits it into the view and
    // says where with SetDisplayRect.
    void PlacementWanted();
    // Label files wait in the batch queue: command 32774 for the main frame.
    void QueuedLabelsWaiting();
    // The data file, or the row shown, changed.
    void DataChanged();
    // A print went out: what went where, for the status bar.
    void Printed(const QString& what);
    // Something was left out of a drawing or a print (a picture that cannot
    // be drawn, a label too large to show), for the status bar.
    void LeftOff(const QString& what);

private:
    // While the label's serial numbers print, no other program may print them:
    // the lock on its file, or nothing and the message when another holds it.
    // A label without serial numbers or without a file needs none.
    std::optional<LabelLock> LockSerials(const LabelDocument& doc,
                                         const std::function<void(const PrintMessage&)>& show) const;
    // One undo step when printing advanced serial numbers of the label.
    void SerialsPrinted(const std::vector<LabelElement>& before);
    // The rows of the data file checked for printing; nullptr without a data
    // file. False when the file cannot print (the user is told) or the user
    // would rather not print values cut short.
    bool RowsToPrint(std::unique_ptr<DataSource>& rows);
    // Takes `path` as the label's data file; false and `error` when it cannot be read.
    bool AttachData(const QString& path, RowRange rows, qint64 shown, qint64 knownRows, QString* error);
    void Tell(const QString& text, QMessageBox::Icon icon);
    void PrintOn(QPrinter& printer, int copies);
    void ShowError(const PrintMessage& message);
    // Qt's printer list waits on a silent CUPS scheduler without a limit: the
    // scheduler is asked first (3 s at most, the window painting meanwhile);
    // false, and the user told, when it does not answer.
    bool SchedulerAnswers();
    // The direct print job's printer, for messages: its address, or the USB label printer.
    QString DirectPrinterName() const;

    UiLanguage language_;
    LabelSession session_;
    PrinterSettings settings_;
    QString settingsPath_;
    CodeImageCache codes_;
    PictureCache pictures_;
    QStringList batchQueue_;
    PrinterTarget printerTarget_;
    Prompts* prompts_ = nullptr;
    QWidget* owner_ = nullptr;
    QRect display_;
    LabelData data_{language_};
    MergedView merged_;
    ElementCommands commands_{*this};
};

}  // namespace kestrix
