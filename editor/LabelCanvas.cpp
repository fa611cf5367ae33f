#include "editor/LabelCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "document/Units.h"
#include "editor/CanvasGeometry.h"
#include "editor/DragStep.h"
#include "editor/HitTest.h"
#include "editor/LabelController.h"

namespace kestrix {

namespace {

// The cursor image of a creating tool; the hot spot is the centre of its cross.
const char* ToolCursorImage(int mode) {
    switch (mode) {
    case kTextTool: return ":/cursors/text.png";
    case kCode2DTool: return ":/cursors/code2d.png";
    case kBarcodeTool: return ":/cursors/barcode.png";
    case kPictureTool: return ":/cursors/picture.png";
    case kLineTool: return ":/cursors/line.png";
    default: return nullptr;
    }
}

}  // namespace

LabelCanvas::LabelCanvas(LabelController& label, QWidget* view) : QWidget(view), label_(label) {
    // The paint covers every pixel, so the window is never cleared first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Handles are armed by hovering, so the pointer is followed with no button down.
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    connect(&label_, &LabelController::Repaint, this, qOverload<>(&QWidget::update));
    connect(&label_, &LabelController::PlacementWanted, this, &LabelCanvas::PlaceLabel);
    hide();
}

void LabelCanvas::CreateCanvas(int widthMm, int heightMm) {
    setGeometry(0, 0, 500, 800);
    FitCanvasToFrame(widthMm, heightMm);
    show();
}

double LabelCanvas::ScaleX() const { return placed_.label.width() / LabelDots(label_.LabelWidthMm(), label_.m_nDpiX); }

double LabelCanvas::ScaleY() const {
    return placed_.label.height() / LabelDots(label_.LabelHeightMm(), label_.m_nDpiY);
}

void LabelCanvas::PlaceCanvas(QRect label) {
    const QSize view = parentWidget() ? parentWidget()->size() : label.size();
    placed_ = PlaceInView(label, view);
    setGeometry(placed_.window);
    ScaleChanged();
    update();
    emit LayoutChanged();
}

void LabelCanvas::PlaceLabel() { FitCanvasToFrame(label_.LabelWidthMm(), label_.LabelHeightMm()); }

void LabelCanvas::ScaleChanged() { label_.SetDisplayRect(placed_.label); }

void LabelCanvas::resizeEvent(QResizeEvent*) { ScaleChanged(); }

void LabelCanvas::FitCanvasToFrame(int widthMm, int heightMm) {
    LabelDocument& doc = label_.Session().Document();
    doc.widthMm = widthMm;
    doc.heightMm = heightMm;
    const QSize view = parentWidget() ? parentWidget()->size() : QSize(1000, 700);
    const QSize size = FitCanvasSize(view, widthMm, heightMm, label_.m_nDpiX, label_.m_nDpiY);
    PlaceCanvas({CenteredCanvasAxis(size.width(), view.width()), CenteredCanvasAxis(size.height(), view.height()),
                 size.width(), size.height()});
}

void LabelCanvas::ResetCanvas(int widthMm, int heightMm) {
    label_.Elements().clear();
    FitCanvasToFrame(widthMm, heightMm);
    label_.ElementsReplaced();
}

void LabelCanvas::ZoomCanvas(double factor, std::optional<QPoint> anchor) {
    const QSize view = parentWidget() ? parentWidget()->size() : size();
    const QSize newSize =
        ZoomCanvasSize(placed_.label.size(), factor, LabelDots(label_.LabelWidthMm(), label_.m_nDpiX));
    PlaceCanvas(ZoomCanvasRect(placed_.label, newSize, anchor.value_or(QRect(QPoint(), view).center())));
}

void LabelCanvas::ZoomToActualSize() {
    const QSize view = parentWidget() ? parentWidget()->size() : size();
    const QSize actual =
        ActualCanvasSize(label_.LabelWidthMm(), label_.LabelHeightMm(), physicalDpiX(), physicalDpiY());
    PlaceCanvas(ZoomCanvasRect(placed_.label, actual, QRect(QPoint(), view).center()));
}

int LabelCanvas::ZoomPercent() const {
    const QSize actual =
        ActualCanvasSize(label_.LabelWidthMm(), label_.LabelHeightMm(), physicalDpiX(), physicalDpiY());
    return static_cast<int>(std::lround(100.0 * placed_.label.width() / actual.width()));
}

void LabelCanvas::CentreInView() {
    const QSize view = parentWidget() ? parentWidget()->size() : size();
    if (view.width() <= 0) return;
    const QSize label = placed_.label.size();
    PlaceCanvas({CenteredCanvasAxis(label.width(), view.width()), CenteredCanvasAxis(label.height(), view.height()),
                 label.width(), label.height()});
}

void LabelCanvas::ScrollTo(Qt::Orientation orientation, int value) {
    // The scroll bars run over the window: its start moves to -value, the label with it.
    const QPoint origin = placed_.LabelOrigin();
    QRect r = placed_.label;
    if (orientation == Qt::Horizontal)
        r.moveLeft(origin.x() - value);
    else
        r.moveTop(origin.y() - value);
    PlaceCanvas(r);
}

void LabelCanvas::SetToolMode(int mode) {
    toolMode_ = mode;
    ShowModeCursor();
}

void LabelCanvas::ShowModeCursor() {
    if (const char* image = ToolCursorImage(toolMode_)) {
        const QPixmap pixmap(QString::fromLatin1(image));
        setCursor(pixmap.isNull() ? QCursor(Qt::CrossCursor) : QCursor(pixmap, 7, 7));
    } else if (toolMode_ == kRectangleTool) {
        setCursor(Qt::CrossCursor);
    } else if (toolMode_ == kLineEndDrag) {
        setCursor(Qt::SizeHorCursor);
    } else if (toolMode_ == kSelectMode) {
        setCursor(Qt::ArrowCursor);
    }
}

void LabelCanvas::RenderLabel(QImage& target, QPoint origin) {
    // The label in the target: white, and the margin around it the view's colour.
    const QRect label = QRect(-origin, placed_.label.size());
    target.fill(label.contains(target.rect()) ? QColor(Qt::white) : kViewColour);
    QPainter painter(&target);
    if (!label.contains(target.rect())) painter.fillRect(label, Qt::white);
    painter.translate(-origin);
    // The label at the canvas's own size, its line ends at that scale.
    RenderContext ctx = label_.Context();
    ctx.viewScaleX = ctx.scaleX = ScaleX();
    ctx.viewScaleY = ctx.scaleY = ScaleY();
    label_.PaintShown(painter, ctx);
}

void LabelCanvas::paintEvent(QPaintEvent* event) {
    // Drawn off screen and copied in one go, so nothing flickers. Only the part
    // on screen is drawn: a zoomed canvas can be far larger than the view.
    const QRect exposed = event->rect();
    if (back_.size() != exposed.size()) back_ = QImage(exposed.size(), QImage::Format_ARGB32_Premultiplied);
    if (back_.isNull()) return;
    RenderLabel(back_, ToLabel(exposed.topLeft()));
    QPainter painter(this);
    painter.drawImage(exposed.topLeft(), back_);
    if (frame_) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(frame_->normalized().translated(placed_.LabelOrigin()));
    }
    emit Painted();
}

void LabelCanvas::LeftPress(QPoint p, Qt::KeyboardModifiers modifiers) {
    m_MouseDownPoint = p;
    afterRelease_ = nullptr;
    auto& elements = label_.Elements();
    StartDrag(elements);
    switch (toolMode_) {
    case kSelectMode: {
        const bool add = modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
        const PressOutcome outcome = SelectionPress(elements, p, add, ScaleX(), ScaleY());
        if (outcome.cursor) setCursor(*outcome.cursor);
        if (!outcome.onElement) frame_ = QRect(p, p);
        if (outcome.repaint) label_.EditDone();
        return;
    }
    case kPictureTool:
        // The file dialog comes with the release; the undo step follows it.
        afterRelease_ = [this, p] {
            if (!label_.Commands().CreateAt(kPictureTool, p)) return;
            label_.Session().TakeSnapshot();
            label_.EditDone();
        };
        return;
    case kTextTool:
    case kCode2DTool:
    case kBarcodeTool:
    case kLineTool:
    case kRectangleTool:
        // The undo step comes with the release, when the element has its size.
        created_ = label_.Commands().CreateAt(toolMode_, p);
        if (toolMode_ == kRectangleTool) setCursor(Qt::SizeFDiagCursor);
        break;
    default:
        // The end of a line is dragged and recorded like any drag; the inert
        // modes do nothing.
        break;
    }
    label_.EditDone();
}

void LabelCanvas::mousePressEvent(QMouseEvent* event) {
    const QPoint p = ToLabel(event->position().toPoint());
    if (event->button() == Qt::LeftButton) LeftPress(p, event->modifiers());
    if (event->button() == Qt::RightButton) label_.Commands().RightButton(p, event->globalPosition().toPoint());
}

void LabelCanvas::leaveEvent(QEvent*) { emit PointerMoved(std::nullopt); }

void LabelCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = ToLabel(event->position().toPoint());
    emit PointerMoved(p);
    std::optional<Qt::CursorShape> cursor;
    if (!(event->buttons() & Qt::LeftButton)) {
        cursor = ArmHandles(label_.Elements(), p, toolMode_, ScaleX(), ScaleY());
        if (!cursor) ShowModeCursor();
    } else if (frame_) {
        frame_->setBottomRight(p);
        update();
    } else {
        const bool snap = event->modifiers() & Qt::ShiftModifier;
        cursor = DragSelected(label_.Elements(), p, m_MouseDownPoint, ScaleX(), ScaleY(), snap);
        update();
    }
    if (cursor) setCursor(*cursor);
}

void LabelCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = ToLabel(event->position().toPoint());
    if (frame_) {
        // Dragged on empty canvas area: what the frame holds joins the selection.
        if (frame_->topLeft() != p)
            SelectInside(label_.Elements(), QRect(frame_->topLeft(), p), placed_.WindowOnLabel(), ScaleX(), ScaleY());
        frame_.reset();
    }
    // One undo step per drag or creation, and none for a click that changed nothing.
    const bool dragged = FinishDrag(label_.Elements(), p, toolMode_ == kRectangleTool, ScaleX(), ScaleY());
    if (std::exchange(created_, false) || dragged) label_.Session().TakeSnapshot();
    SetToolMode(kSelectMode);
    label_.EditDone();
    if (afterRelease_) std::exchange(afterRelease_, nullptr)();
}

// A double click is its own message, not a second press: it opens the
// dialogs of the selected elements under the pointer.
void LabelCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = ToLabel(event->position().toPoint());
    if (event->button() == Qt::LeftButton) afterRelease_ = [this, p] { label_.Commands().DoubleClick(p); };
}

}  // namespace kestrix
