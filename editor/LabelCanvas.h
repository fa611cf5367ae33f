#pragma once
// The editing surface: one child window of the view that shows the whole label
// at a scale and owns it (document, undo snapshots, clipboard), the printer
// settings, the encoded-code images and the tool mode.

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

#include "dialogs/UiLanguage.h"
#include "document/LabelSession.h"
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
    // Tool modes (m_nToolMode).
    enum ToolMode {
        kSelect = 0, kTextTool = 1, kCode2DTool = 2, kBarcodeTool = 3, kPictureTool = 4,
        kLineTool = 5, kRectangleTool = 6, kLineEndDrag = 20,
    };

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

    UiLanguage Language() const { return language_; }
    LabelSession& Session() { return session_; }
    const LabelSession& Session() const { return session_; }
    std::vector<LabelElement>& Elements() { return session_.Elements(); }
    PrinterSettings& Settings() { return settings_; }
    CodeImageCache& Codes() { return codes_; }
    QStringList& BatchQueue() { return batchQueue_; }
    int LabelWidthMm() const { return session_.Document().widthMm; }
    int LabelHeightMm() const { return session_.Document().heightMm; }
    int m_nDpiX = 203;
    int m_nDpiY = 203;
    int ToolMode() const { return toolMode_; }
    // Changes the tool and shows its cursor (the inert modes keep the cursor).
    void SetToolMode(int mode);
    // Canvas pixels per dot.
    double ScaleX() const;
    double ScaleY() const;

    // Everything the label holds was replaced (Open, Undo, Redo, New): forget
    // code images nobody refers to and repaint.
    void ElementsReplaced();
    void UndoStep();
    void RedoStep();
    void Cut();
    void Copy();
    void Paste();
    // Deletes every selected element; a snapshot follows when any went.
    void DeleteSelected();
    // The delete command, posted to the canvas to run after the current event.
    void PostDelete();
    // Arrow keys nudge the first selected element; Backspace and Delete delete.
    void KeyEdit(int key);
    // Bold (11), Italic (12) and Underline (13) on every selected element.
    void ToggleFontStyle(int index);
    // The tool bar's face and size on every selected element, then a snapshot.
    void ApplyFontChoice(int size, const QString& face);
    // Where the picture tool asks for its file and explains a refused one.
    void SetPrompts(Prompts* prompts) { prompts_ = prompts; }
    // The add commands: an element at the label's top-left corner. Text and
    // barcode take a snapshot first; the picture asks for its file.
    void AddText();
    void AddBarcode();
    void AddCode2D();
    void AddPicture();
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PlaceCanvas(QRect rect);
    void SelectAt(QPoint point, bool add);
    void CreateAt(QPoint point);
    // Appends a new element, selected, deselecting others as its kind does.
    void AppendNew(const LabelElement& e);
    // A picture element for a file the user chooses; false when none is made.
    bool CreatePicture(ElementPoint at);
    void EditDone();
    RenderContext OutputContext(bool monoPictures);

    UiLanguage language_;
    LabelSession session_;
    PrinterSettings settings_;
    CodeImageCache codes_;
    PictureCache pictures_;
    QStringList batchQueue_;
    PrinterTarget printerTarget_;
    Prompts* prompts_ = nullptr;
    int toolMode_ = kSelect;
    // The element a context menu or the Delete key last referred to.
    std::size_t contextIndex_ = 0;
    QPoint m_MouseDownPoint;
    QImage back_;
};

}  // namespace kestrix
