#pragma once
// The editing surface: one child window of the view that shows the whole label
// at a scale, with a margin around it where handles and frames past the
// label's edges are drawn and grabbed. It paints the label, turns pointer
// events into calls on the label's controller (in label pixels: the label's
// top-left corner is 0, 0), zooms and scrolls within the view, and shows the
// cursor of the tool mode; the label itself and its printing are the controller's.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "editor/CanvasGeometry.h"
#include "editor/CanvasMode.h"

namespace kestrix {

class LabelController;

class LabelCanvas : public QWidget {
    Q_OBJECT
public:
    LabelCanvas(LabelController& label, QWidget* view);

    LabelController& Label() const { return label_; }
    // Where the label lies in the view, in its pixels.
    QRect LabelRect() const { return placed_.label; }
    // A point of this window in label pixels.
    QPoint ToLabel(QPoint inWindow) const { return placed_.ToLabel(inWindow); }

    // Sizes the canvas for the label and shows it.
    void CreateCanvas(int widthMm, int heightMm);
    // Stores the label size and fits the canvas into the view, centred.
    void FitCanvasToFrame(int widthMm, int heightMm);
    // An empty label of the given size.
    void ResetCanvas(int widthMm, int heightMm);
    // Grows or shrinks the canvas by `factor`, keeping the label's point under
    // `anchor` (in the view; the view's centre when none) in place.
    void ZoomCanvas(double factor, std::optional<QPoint> anchor = std::nullopt);
    // One label millimetre to one millimetre of the screen.
    void ZoomToActualSize();
    // The zoom in percent: canvas pixels against the label's millimetres on this screen.
    int ZoomPercent() const;
    // Puts the label at `label` in the view, or as near as the view allows.
    void PlaceCanvas(QRect label);
    // Keeps the canvas centred (or scrolled into place) after the view changed size.
    void CentreInView();
    // Moves the canvas so that the view shows it from `value` pixels on.
    void ScrollTo(Qt::Orientation orientation, int value);

    int ToolMode() const { return toolMode_; }
    // Changes the tool (CanvasMode) and shows its cursor (the inert modes keep the cursor).
    void SetToolMode(int mode);
    // Canvas pixels per dot.
    double ScaleX() const;
    double ScaleY() const;

    // Draws the canvas as it shows the label into `target` (the margin in the
    // view's colour, the label white), whose top-left corner is at `origin`
    // in label pixels.
    void RenderLabel(QImage& target, QPoint origin = {});

signals:
    // The canvas moved or changed size inside the view.
    void LayoutChanged();
    void Painted();
    // The pointer moved over the canvas (in label pixels), or left it (none).
    void PointerMoved(std::optional<QPoint> p);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Fits a label the controller put in place of the last one.
    void PlaceLabel();
    // The controller follows the canvas's place and size (the display scale).
    void ScaleChanged();
    void LeftPress(QPoint p, Qt::KeyboardModifiers modifiers);
    // The mode's own cursor; the inert modes keep whatever is shown.
    void ShowModeCursor();

    LabelController& label_;
    int toolMode_ = kSelectMode;
    QPoint m_MouseDownPoint;
    // The press made an element: the release records it at its size.
    bool created_ = false;
    CanvasPlacement placed_;
    // The dotted frame of a drag that began on empty canvas area, in label pixels.
    std::optional<QRect> frame_;
    // A dialog a click asked for, opened once its button is up: a modal
    // dialog opened under a held button would leave the button's release to it.
    std::function<void()> afterRelease_;
    QImage back_;
};

}  // namespace kestrix
