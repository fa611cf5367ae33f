#pragma once
// The L-shaped ruler window: millimetre scales along the top and the left of
// the editing area, following the canvas's place, size and zoom.

#include <QWidget>

namespace kestrix {

class RulerBar : public QWidget {
    Q_OBJECT
public:
    explicit RulerBar(QWidget* parent = nullptr);

    // Places the ruler below the tool bars for a frame client area of w x h and
    // cuts the window down to its two bands.
    void Place(int w, int h);
    // The canvas layout: its top-left in the view, its size in pixels and the label in mm.
    void SetCanvasLayout(QPoint origin, QSize view, int labelWidthMm, int labelHeightMm);

    int m_nOriginX = 0;
    int m_nOriginY = 0;
    int m_nViewWidth = 0;
    int m_nViewHeight = 0;
    int m_nLabelWidth = 50;
    int m_nLabelHeight = 80;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kestrix
