#pragma once
// The canvas window's size and place: fitting a label into the window, zoom
// steps and the scroll range. Canvas sizes are pixels; labels are mm and dots.

#include <QColor>
#include <QRect>
#include <QSize>

namespace kestrix {

// Around the label the canvas window keeps this margin, and it covers at
// least the whole view: handles and frames past the label's edges are drawn
// and grabbed there. Fit leaves the margin free.
inline constexpr int kCanvasMargin = 25;
// The view's colour, also the canvas window's around the label.
inline const QColor kViewColour(64, 128, 128);

// The canvas size for a label in `area` (the space it is fitted into, less
// the margin on each side): double size when it fits twice, one pixel per dot
// when it fits once, else scaled down keeping its proportions. Never empty.
QSize FitCanvasSize(QSize area, int widthMm, int heightMm, int dpiX, int dpiY);

// One zoom step: Zoom In multiplies the canvas size by it, Zoom Out divides.
inline constexpr double kZoomFactor = 1.25;

// The canvas size after zooming by `factor`; the height keeps the aspect
// ratio. The width stays between 100 pixels and 8 pixels per dot
// (`labelDotsWide`); a canvas already outside that range is not pushed further out.
QSize ZoomCanvasSize(QSize canvas, double factor, double labelDotsWide);

// The label rectangle of `newSize` that keeps the label's point under
// `anchor` (in the view) where it is.
QRect ZoomCanvasRect(QRect canvas, QSize newSize, QPoint anchor);

// The canvas size that shows a label at its true size on a screen of the given dots per inch.
QSize ActualCanvasSize(int widthMm, int heightMm, double screenDpiX, double screenDpiY);

// Where the label lies in the canvas window, and the window in the view.
struct CanvasPlacement {
    QRect label;   // in the view's pixels
    QRect window;  // in the view's pixels: the label with its margin, and at least the view
    // The label's top-left corner in the window.
    QPoint LabelOrigin() const { return label.topLeft() - window.topLeft(); }
    // A point of the window in label pixels (the label's top-left corner is 0, 0).
    QPoint ToLabel(QPoint inWindow) const { return inWindow - LabelOrigin(); }
    // The window in label pixels.
    QRect WindowOnLabel() const { return {-LabelOrigin(), window.size()}; }
};

// The label of `label`'s size in a view of `view` (PlaceCanvasAxis of the
// label with its margin along each axis), and the window around it.
CanvasPlacement PlaceInView(QRect label, QSize view);

// Where a canvas of `canvasLen` starts along one axis of a view of `viewLen`:
// centred when it fits, else kept so that no gap opens at either end.
int PlaceCanvasAxis(int origin, int canvasLen, int viewLen);
// The centred start, never left of or above the view.
inline int CenteredCanvasAxis(int canvasLen, int viewLen) {
    return viewLen > canvasLen ? (viewLen - canvasLen) / 2 : 0;
}

// The scroll bar range along one axis: 0 when the canvas fits.
inline int ScrollMaximum(int canvasLen, int viewLen) { return canvasLen > viewLen ? canvasLen - viewLen : 0; }

}  // namespace kestrix
