#pragma once
// The editing surface: one child window of the view that shows the whole label
// at a scale and owns it (document, undo snapshots, clipboard), the printer
// settings, the encoded-code images and the tool mode.

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

#include "document/LabelSession.h"
#include "document/UiLanguage.h"
#include "editor/CanvasMode.h"
#include "editor/ElementCommands.h"
#include "output/DirectPrintJob.h"
#include "output/PrinterSettings.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"
#include "render/RenderContext.h"

namespace kestrix {

class Prompts;

class LabelCanvas : public QWidget {
    Q_OBJECT
public:
    // `undoFolder` holds the numbered undo files (the temporary folder when empty).
    LabelCanvas(UiLanguage language, QWidget* view, const QString& undoFolder = {});

    // Sizes the canvas for the label, shows it and loads the printer settings
    // (from `settingsPath`, or the standard place when empty).
    void CreateCanvas(int widthMm, int heightMm, const QString& settingsPath = {});
    // Stores the label size and fits the canvas into the view, centred.
    void FitCanvasToFrame(int widthMm, int heightMm);
    // An empty label of the given size.
    void ResetCanvas(int widthMm, int heightMm);
    // Grows (step > 0) or shrinks the canvas by `step` pixels of width about its centre.
    void ZoomCanvas(int step);
    // Keeps the canvas centred (or scrolled into place) after the view changed size.
    void CentreInView();
    // Moves the canvas so that the view shows it from `value` pixels on.
    void ScrollTo(Qt::Orientation orientation, int value);

    LabelSession& Session() { return session_; }
    const LabelSession& Session() const { return session_; }
    std::vector<LabelElement>& Elements() { return session_.Elements(); }
    PrinterSettings& Settings() { return settings_; }
    CodeImageCache& Codes() { return codes_; }
    ElementCommands& Commands() { return commands_; }
    UiLanguage Language() const { return language_; }
    QStringList& BatchQueue() { return batchQueue_; }
    int LabelWidthMm() const { return session_.Document().widthMm; }
    int LabelHeightMm() const { return session_.Document().heightMm; }
    int m_nDpiX = 203;
    int m_nDpiY = 203;
    int ToolMode() const { return toolMode_; }
    // Changes the tool (CanvasMode) and shows its cursor (the inert modes keep the cursor).
    void SetToolMode(int mode);
    // Canvas pixels per dot.
    double ScaleX() const;
    double ScaleY() const;

    // Everything the label holds was replaced (Open, Undo, Redo, New, Delete):
    // forget code images nobody refers to and repaint.
    void ElementsReplaced();
    // Elements or their selection changed: repaint and tell the frame.
    void EditDone();
    void UndoStep();
    void RedoStep();
    void Cut();
    void Copy();
    void Paste();
    // Bold (11), Italic (12) and Underline (13) on every selected element.
    void ToggleFontStyle(int index);
    // The tool bar's face and size on every selected element, then a snapshot.
    void ApplyFontChoice(int size, const QString& face);
    // Where the picture tool asks for its file and the element dialogs open.
    void SetPrompts(Prompts* prompts) { prompts_ = prompts; }
    Prompts* Dialogs() const { return prompts_; }
    // Runs an arrangement command of the second tool bar (135 to 156) on the
    // selected elements; rotation takes a snapshot.
    void Arrange(int command);

    // The direct print job; messages for the user go to `show`.
    DirectPrintResult DirectPrintLabel(const std::function<void(const PrintMessage&)>& show);
    // Where the direct print job sends the label: the USB search unless a device is given.
    void SetPrinterTarget(const PrinterTarget& target) { printerTarget_ = target; }
    // The direct print job's printer address: the one last chosen (remembered
    // between runs), else Device= of the printer settings.
    const QString& DirectPrinter() const { return printerTarget_.device; }
    void ChooseDirectPrinter(const QString& address);
    // The batch operation: the file list adds its paths to the batch queue, then
    // the label file at the front of the queue (if any) leaves it and its
    // elements join the label; a joined file is announced with QueuedLabelLoaded.
    void BatchPrint();
    // Puts `doc` in the canvas in place of the label there: fitted into the view
    // as Open does, or at `place`, the canvas's geometry when it held `doc` before.
    void ReplaceLabel(LabelDocument doc, std::optional<QRect> place = {});
    // Driver printing: `copies` to `printerName` when it names an installed
    // printer, otherwise to the printer and copies chosen in the print dialog.
    // Problems are told through the prompts.
    void DriverPrint(const QString& printerName, int copies);
    // The label drawn for output at its dot size, pictures in colour, as the
    // print preview shows it. Serial numbers advance.
    QImage OutputImage();

    // Draws the label as the canvas shows it into `target` (white first), which
    // holds the part of the canvas window whose top-left corner is `origin`.
    void RenderLabel(QImage& target, QPoint origin = {});

signals:
    // Elements or selection changed: command enabling may differ.
    void Changed();
    // The canvas moved or changed size inside the view.
    void LayoutChanged();
    void Painted();
    // The batch operation joined the label file `path` to the label, after its
    // first `ownElements` elements: command 32774 for the main frame.
    void QueuedLabelLoaded(const QString& path, int ownElements);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PlaceCanvas(QRect rect);
    // Line end points follow the display scale whenever it changes.
    void ScaleChanged();
    void LeftPress(QPoint p, Qt::KeyboardModifiers modifiers);
    // The mode's own cursor; the inert modes keep whatever is shown.
    void ShowModeCursor();
    // The canvas's caches and display scale, for drawing the label anywhere.
    RenderContext Context();

    UiLanguage language_;
    LabelSession session_;
    PrinterSettings settings_;
    CodeImageCache codes_;
    PictureCache pictures_;
    QStringList batchQueue_;
    PrinterTarget printerTarget_;
    Prompts* prompts_ = nullptr;
    ElementCommands commands_{*this};
    int toolMode_ = kSelectMode;
    QPoint m_MouseDownPoint;
    // The dotted frame of a drag that began on empty label area.
    std::optional<QRect> frame_;
    // A dialog a click asked for, opened once its button is up: a modal
    // dialog opened under a held button would leave the button's release to it.
    std::function<void()> afterRelease_;
    QImage back_;
};

}  // namespace kestrix
