#include "editor/LabelCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSet>
#include <QSettings>
#include <algorithm>

#include "dialogs/Prompts.h"
#include "dialogs/StallDialog.h"
#include "document/Units.h"
#include "editor/Arrangement.h"
#include "editor/CanvasGeometry.h"
#include "editor/CanvasMode.h"
#include "editor/DragStep.h"
#include "editor/HitTest.h"
#include "output/BatchQueue.h"
#include "output/DirectPrintJob.h"
#include "output/DrawLabel.h"
#include "print/DriverPrint.h"
#include "render/ElementPainter.h"

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

constexpr char kDirectPrinterKey[] = "Direct Print/Printer";

QSettings EditorSettings() {
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Kestrix"));
}

}  // namespace

LabelCanvas::LabelCanvas(UiLanguage language, QWidget* view, const QString& undoFolder)
    : QWidget(view), language_(language), session_(undoFolder) {
    // The paint covers every pixel, so the window is never cleared first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Handles are armed by hovering, so the pointer is followed with no button down.
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    hide();
}

void LabelCanvas::CreateCanvas(int widthMm, int heightMm, const QString& settingsPath) {
    setGeometry(0, 0, 500, 800);
    FitCanvasToFrame(widthMm, heightMm);
    show();
    LoadPrinterSettings(settings_, settingsPath);
    printerTarget_.device = EditorSettings().value(kDirectPrinterKey, settings_.Device).toString();
}

void LabelCanvas::ChooseDirectPrinter(const QString& address) {
    printerTarget_.device = address;
    // PrinterSettings.ini is only read: the choice is kept with the editor's own settings.
    EditorSettings().setValue(kDirectPrinterKey, address);
}

double LabelCanvas::ScaleX() const { return width() / LabelDots(LabelWidthMm(), m_nDpiX); }

double LabelCanvas::ScaleY() const { return height() / LabelDots(LabelHeightMm(), m_nDpiY); }

void LabelCanvas::PlaceCanvas(QRect rect) {
    const QSize view = parentWidget() ? parentWidget()->size() : rect.size();
    rect.moveTo(PlaceCanvasAxis(rect.left(), rect.width(), view.width()),
                PlaceCanvasAxis(rect.top(), rect.height(), view.height()));
    setGeometry(rect);
    ScaleChanged();
    update();
    emit LayoutChanged();
}

void LabelCanvas::ScaleChanged() { session_.SetViewScale(ScaleX(), ScaleY()); }

void LabelCanvas::resizeEvent(QResizeEvent*) { ScaleChanged(); }

void LabelCanvas::FitCanvasToFrame(int widthMm, int heightMm) {
    LabelDocument& doc = session_.Document();
    doc.widthMm = widthMm;
    doc.heightMm = heightMm;
    const QSize view = parentWidget() ? parentWidget()->size() : QSize(1000, 700);
    const QSize size = FitCanvasSize(view, widthMm, heightMm, m_nDpiX, m_nDpiY);
    PlaceCanvas({CenteredCanvasAxis(size.width(), view.width()), CenteredCanvasAxis(size.height(), view.height()),
                 size.width(), size.height()});
}

void LabelCanvas::ResetCanvas(int widthMm, int heightMm) {
    Elements().clear();
    FitCanvasToFrame(widthMm, heightMm);
    ElementsReplaced();
}

void LabelCanvas::ZoomCanvas(int step) {
    const QSize view = parentWidget() ? parentWidget()->size() : size();
    const QSize newSize = ZoomCanvasSize(size(), step, LabelDots(LabelWidthMm(), m_nDpiX));
    PlaceCanvas(ZoomCanvasRect(geometry(), newSize, view));
}

void LabelCanvas::CentreInView() {
    const QSize view = parentWidget() ? parentWidget()->size() : size();
    if (view.width() <= 0) return;
    PlaceCanvas(
        {CenteredCanvasAxis(width(), view.width()), CenteredCanvasAxis(height(), view.height()), width(), height()});
}

void LabelCanvas::ScrollTo(Qt::Orientation orientation, int value) {
    QRect r = geometry();
    if (orientation == Qt::Horizontal)
        r.moveLeft(-value);
    else
        r.moveTop(-value);
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

void LabelCanvas::ElementsReplaced() {
    QSet<uint32_t> alive;
    for (const LabelElement& e : Elements()) alive.insert(e.hCache);
    for (const LabelElement& e : session_.Clipboard().CutBuffer()) alive.insert(e.hCache);
    codes_.Retain([&alive](uint32_t handle) { return alive.contains(handle); });
    EditDone();
}

void LabelCanvas::EditDone() {
    update();
    emit Changed();
}

void LabelCanvas::UndoStep() {
    if (session_.UndoStep()) ElementsReplaced();
}

void LabelCanvas::RedoStep() {
    if (session_.RedoStep()) ElementsReplaced();
}

void LabelCanvas::Cut() {
    session_.Cut();
    EditDone();
}

void LabelCanvas::Copy() {
    session_.Copy();
    emit Changed();
}

void LabelCanvas::Paste() {
    session_.Paste();
    session_.MarkEdited();
    EditDone();
}

void LabelCanvas::ToggleFontStyle(int index) {
    for (LabelElement& e : Elements()) {
        if (!e.bSelected) continue;
        LogFont& f = e.logFont;
        if (index == 11)
            f.lfWeight = f.lfWeight < 900 ? 900 : 400;
        else if (index == 12)
            f.lfItalic = !f.lfItalic;
        else if (index == 13)
            f.lfUnderline = !f.lfUnderline;
        session_.MarkEdited();
    }
    update();
}

void LabelCanvas::ApplyFontChoice(int size, const QString& face) {
    for (LabelElement& e : Elements()) {
        if (!e.bSelected) continue;
        SetFaceName(e.logFont, face.toStdU16String());
        e.logFont.lfHeight = size;
        e.logFont.lfWidth = 0;
    }
    update();
    session_.TakeSnapshot();
    emit Changed();
}

DirectPrintResult LabelCanvas::DirectPrintLabel(const std::function<void(const PrintMessage&)>& show) {
    DirectPrintInput input{session_.Document(), settings_, codes_, &pictures_};
    input.dpiX = m_nDpiX;
    input.dpiY = m_nDpiY;
    input.viewScaleX = ScaleX();
    input.viewScaleY = ScaleY();
    StallDialog wait(language_, this);
    const DirectPrintResult result =
        kestrix::DirectPrintLabel(input, batchQueue_, language_, show, printerTarget_, &wait);
    // Serial numbers have advanced.
    update();
    return result;
}

void LabelCanvas::BatchPrint() {
    if (prompts_) batchQueue_ += prompts_->ChoosePrintFiles(window());
    // Served even when the list was cancelled: paths left by an earlier run wait.
    const int ownElements = static_cast<int>(Elements().size());
    const QString served = ServeQueuedLabel(batchQueue_, Elements());
    if (served.isEmpty()) return;
    update();
    emit Changed();
    emit QueuedLabelLoaded(served, ownElements);
}

void LabelCanvas::ReplaceLabel(LabelDocument doc, std::optional<QRect> place) {
    session_.ReplaceDocument(std::move(doc));
    if (place)
        PlaceCanvas(*place);
    else
        FitCanvasToFrame(LabelWidthMm(), LabelHeightMm());
    ElementsReplaced();
}

RenderContext LabelCanvas::Context() {
    RenderContext ctx;
    ctx.viewScaleX = ScaleX();
    ctx.viewScaleY = ScaleY();
    ctx.codes = &codes_;
    ctx.pictures = &pictures_;
    return ctx;
}

void LabelCanvas::DriverPrint(const QString& printerName, int copies) {
    if (!prompts_) return;
    const auto show = [this](const PrintMessage& message) {
        prompts_->ShowMessage(this, message.text, message.caption, QMessageBox::Critical);
    };
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName.isEmpty() && installed.contains(printerName)) {
        printer.setPrinterName(printerName);
    } else {
        // An empty print dialog would leave the user guessing.
        if (installed.isEmpty()) return show(NoPrinterInstalledMessage(language_));
        if (!prompts_->ChoosePrinter(this, printer)) return;
        copies = printer.copyCount();
    }
    const DriverPrintResult result =
        kestrix::DriverPrint(printer, copies, session_.Document(), m_nDpiX, m_nDpiY, Context());
    // Serial numbers have advanced.
    update();
    if (result.status != DriverPrintStatus::Printed)
        show(DriverPrintFailedMessage(language_, printer.printerName(), result.detail));
}

QImage LabelCanvas::OutputImage() {
    QImage image = DrawLabelImage(session_.Document(), m_nDpiX, m_nDpiY, Context());
    update();
    return image;
}

void LabelCanvas::RenderLabel(QImage& target, QPoint origin) {
    target.fill(Qt::white);
    QPainter painter(&target);
    painter.translate(-origin);
    RenderContext ctx = Context();
    ctx.scaleX = ScaleX();
    ctx.scaleY = ScaleY();
    for (LabelElement& e : Elements()) PaintElement(painter, e, ctx);
}

void LabelCanvas::paintEvent(QPaintEvent* event) {
    // Drawn off screen and copied in one go, so nothing flickers. Only the part
    // on screen is drawn: a zoomed canvas can be far larger than the view.
    const QRect exposed = event->rect();
    if (back_.size() != exposed.size()) back_ = QImage(exposed.size(), QImage::Format_ARGB32_Premultiplied);
    if (back_.isNull()) return;
    RenderLabel(back_, exposed.topLeft());
    QPainter painter(this);
    painter.drawImage(exposed.topLeft(), back_);
    if (frame_) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(frame_->normalized());
    }
    emit Painted();
}

void LabelCanvas::Arrange(int command) {
    // The label as the canvas sees it: the client size in dots.
    const LabelDotSize label{static_cast<int>(width() / ScaleX()), static_cast<int>(height() / ScaleY())};
    const ArrangeOutcome outcome = ArrangeElements(command, Elements(), label, codes_);
    if (outcome == ArrangeOutcome::kNothing) return;
    if (outcome == ArrangeOutcome::kRepaintAndSnapshot) session_.TakeSnapshot();
    update();
    emit Changed();
}

void LabelCanvas::LeftPress(QPoint p, Qt::KeyboardModifiers modifiers) {
    m_MouseDownPoint = p;
    afterRelease_ = nullptr;
    auto& elements = Elements();
    StartDrag(elements);
    switch (toolMode_) {
    case kSelectMode: {
        const bool add = modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
        const PressOutcome outcome = SelectionPress(elements, p, add, ScaleX(), ScaleY());
        if (outcome.cursor) setCursor(*outcome.cursor);
        if (!outcome.onElement) frame_ = QRect(p, p);
        if (outcome.repaint) EditDone();
        return;
    }
    case kPictureTool:
        // The file dialog comes with the release; the snapshot follows it.
        afterRelease_ = [this, p] {
            commands_.CreateAt(kPictureTool, p);
            session_.TakeSnapshot();
            EditDone();
        };
        return;
    case kTextTool:
    case kCode2DTool:
    case kBarcodeTool:
    case kLineTool:
    case kRectangleTool:
        commands_.CreateAt(toolMode_, p);
        if (toolMode_ == kRectangleTool) setCursor(Qt::SizeFDiagCursor);
        break;
    case kLineEndDrag:
        // The end point's drag is recorded once, when the button comes up.
        return;
    default: break;
    }
    // Every other mode, the inert ones included, records the label.
    session_.TakeSnapshot();
    EditDone();
}

void LabelCanvas::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) LeftPress(p, event->modifiers());
    if (event->button() == Qt::RightButton) commands_.RightButton(p, event->globalPosition().toPoint());
}

void LabelCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    std::optional<Qt::CursorShape> cursor;
    if (!(event->buttons() & Qt::LeftButton)) {
        cursor = ArmHandles(Elements(), p, toolMode_, ScaleX(), ScaleY());
        if (!cursor) ShowModeCursor();
    } else if (frame_) {
        frame_->setBottomRight(p);
        update();
    } else {
        cursor = DragSelected(Elements(), p, m_MouseDownPoint, ScaleX(), ScaleY());
        update();
    }
    if (cursor) setCursor(*cursor);
}

void LabelCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    if (frame_) {
        // Dragged on empty label area: what the frame holds joins the selection.
        if (frame_->topLeft() != p) SelectInside(Elements(), QRect(frame_->topLeft(), p), ScaleX(), ScaleY());
        frame_.reset();
    }
    // One undo step per drag, and none for a click that changed nothing.
    if (FinishDrag(Elements(), p, toolMode_ == kRectangleTool, ScaleX(), ScaleY())) session_.TakeSnapshot();
    SetToolMode(kSelectMode);
    EditDone();
    if (afterRelease_) std::exchange(afterRelease_, nullptr)();
}

// A double click is its own message, not a second press: it opens the
// dialogs of the selected elements under the pointer.
void LabelCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) afterRelease_ = [this, p] { commands_.DoubleClick(p); };
}

}  // namespace kestrix
