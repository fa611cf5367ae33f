#pragma once
// The view: the dark area that holds the label canvas, centres it and carries
// the two scroll bars for a canvas larger than itself.

#include <QWidget>

class QScrollBar;

namespace kestrix {

class LabelCanvas;
class LabelController;

class CTaveloView : public QWidget {
    Q_OBJECT
public:
    // Creates the canvas of `label`, 50 x 80 mm; it is fitted to the view
    // when the view first gets its size.
    explicit CTaveloView(LabelController& label, QWidget* parent = nullptr);

    LabelCanvas* Canvas() const { return canvas_; }
    QScrollBar* HorizontalBar() const { return horizontal_; }
    QScrollBar* VerticalBar() const { return vertical_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The wheel scrolls (sideways with Shift); with Control it zooms.
    void wheelEvent(QWheelEvent* event) override;

private:
    // Shows a bar for each direction in which the canvas is larger than the view.
    void UpdateScrollBars();

    LabelCanvas* canvas_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    bool fitted_ = false;
    int zoomDelta_ = 0;  // wheel turned with Control, not yet a whole notch
};

}  // namespace kestrix
