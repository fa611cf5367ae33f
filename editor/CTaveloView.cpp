#include "editor/CTaveloView.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include "editor/CanvasGeometry.h"
#include "editor/LabelCanvas.h"
#include "editor/LabelController.h"

namespace kestrix {

namespace {
constexpr int kBarThickness = 15;
// One wheel notch, as the wheel reports it.
constexpr int kWheelNotch = 120;
}  // namespace

CTaveloView::CTaveloView(LabelController& label, QWidget* parent)
    : QWidget(parent),
      canvas_(new LabelCanvas(label, this)),
      horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->hide();
        bar->setSingleStep(10);
        connect(bar, &QScrollBar::valueChanged, canvas_,
                [this, bar](int value) { canvas_->ScrollTo(bar->orientation(), value); });
    }
    connect(canvas_, &LabelCanvas::LayoutChanged, this, &CTaveloView::UpdateScrollBars);
    canvas_->CreateCanvas(50, 80);
}

void CTaveloView::paintEvent(QPaintEvent* event) { QPainter(this).fillRect(event->rect(), kViewColour); }

void CTaveloView::resizeEvent(QResizeEvent*) {
    if (width() <= 0 || height() <= 0) return;
    if (!fitted_) {
        // The first real size of the view is the one the start-up label is fitted to.
        fitted_ = true;
        canvas_->FitCanvasToFrame(canvas_->Label().LabelWidthMm(), canvas_->Label().LabelHeightMm());
    } else {
        canvas_->CentreInView();
    }
}

void CTaveloView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        // A fine wheel or a touchpad reports parts of a notch: one zoom step per whole notch.
        zoomDelta_ += delta.y();
        // The label's point under the pointer stays under it.
        const QPoint anchor = event->position().toPoint();
        for (; zoomDelta_ >= kWheelNotch; zoomDelta_ -= kWheelNotch) canvas_->ZoomCanvas(kZoomFactor, anchor);
        for (; zoomDelta_ <= -kWheelNotch; zoomDelta_ += kWheelNotch) canvas_->ZoomCanvas(1 / kZoomFactor, anchor);
        update();
        event->accept();
        return;
    }
    QScrollBar* bar = delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier) ? horizontal_ : vertical_;
    const int amount = delta.x() != 0 ? delta.x() : delta.y();
    if (bar->isVisible())
        bar->setValue(bar->value() - amount * QApplication::wheelScrollLines() * bar->singleStep() / kWheelNotch);
    event->accept();
}

void CTaveloView::UpdateScrollBars() {
    const QRect canvas = canvas_->geometry();
    const auto setUp = [](QScrollBar* bar, int canvasStart, int canvasLen, int viewLen, QRect place) {
        const int maximum = ScrollMaximum(canvasLen, viewLen);
        if (maximum == 0) {
            bar->hide();
            return;
        }
        const QSignalBlocker block(bar);
        bar->setRange(0, maximum);
        bar->setPageStep(viewLen);
        bar->setValue(-canvasStart);
        bar->setGeometry(place);
        bar->show();
        bar->raise();
    };
    setUp(horizontal_, canvas.left(), canvas.width(), width(),
          QRect(0, height() - kBarThickness - 1, width() - 1, kBarThickness));
    setUp(vertical_, canvas.top(), canvas.height(), height(),
          QRect(width() - kBarThickness - 1, 0, kBarThickness, height()));
}

}  // namespace kestrix
