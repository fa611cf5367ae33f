#include "editor/LabelCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSet>
#include <QSettings>
#include <algorithm>

#include "document/Units.h"
#include "editor/Arrangement.h"
#include "editor/CanvasGeometry.h"
#include "dialogs/Prompts.h"
#include "dialogs/StallDialog.h"
#include "output/DirectPrintJob.h"
#include "output/DrawLabel.h"
#include "print/DriverPrint.h"
#include "output/BatchQueue.h"
#include "render/ElementPainter.h"

namespace kestrix {

namespace {

void Deselect(std::vector<LabelElement>& elements) {
    for (LabelElement& e : elements) e.bSelected = 0;
}

std::u16string DefaultText(UiLanguage language) {
    return UiText(language, "Double click to change text", "【双击输入文本】").toStdU16String();
}

// The cursor image of a creating tool; the hot spot is the centre of its cross.
const char* ToolCursorImage(int mode) {
    switch (mode) {
    case LabelCanvas::kTextTool: return ":/cursors/text.png";
    case LabelCanvas::kCode2DTool: return ":/cursors/code2d.png";
    case LabelCanvas::kBarcodeTool: return ":/cursors/barcode.png";
    case LabelCanvas::kPictureTool: return ":/cursors/picture.png";
    case LabelCanvas::kLineTool: return ":/cursors/line.png";
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
    update();
    emit LayoutChanged();
}

void LabelCanvas::FitCanvasToFrame(int widthMm, int heightMm) {
    LabelDocument& doc = session_.Document();
    doc.widthMm = widthMm;
    doc.heightMm = heightMm;
    const QSize view = parentWidget() ? parentWidget()->size() : QSize(1000, 700);
    const QSize size = FitCanvasSize(view, widthMm, heightMm, m_nDpiX, m_nDpiY);
    PlaceCanvas({CenteredCanvasAxis(size.width(), view.width()),
                 CenteredCanvasAxis(size.height(), view.height()), size.width(), size.height()});
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
    PlaceCanvas({CenteredCanvasAxis(width(), view.width()), CenteredCanvasAxis(height(), view.height()),
                 width(), height()});
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
    if (const char* image = ToolCursorImage(mode)) {
        const QPixmap pixmap(QString::fromLatin1(image));
        setCursor(pixmap.isNull() ? QCursor(Qt::CrossCursor) : QCursor(pixmap, 7, 7));
    } else if (mode == kRectangleTool) {
        setCursor(Qt::CrossCursor);
    } else if (mode == kLineEndDrag) {
        setCursor(Qt::SizeHorCursor);
    } else if (mode == kSelect) {
        setCursor(Qt::ArrowCursor);
    }
}

void LabelCanvas::ElementsReplaced() {
    QSet<uint32_t> alive;
    for (const LabelElement& e : Elements()) alive.insert(e.hCache);
    for (const LabelElement& e : session_.Clipboard().CutBuffer()) alive.insert(e.hCache);
    codes_.Retain([&alive](uint32_t handle) { return alive.contains(handle); });
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
    update();
    emit Changed();
}

void LabelCanvas::Copy() {
    session_.Copy();
    emit Changed();
}

void LabelCanvas::Paste() {
    session_.Paste();
    update();
    emit Changed();
}

void LabelCanvas::DeleteSelected() {
    auto& elements = Elements();
    const auto before = elements.size();
    std::erase_if(elements, [](const LabelElement& e) { return e.bSelected != 0; });
    if (elements.size() != before) session_.TakeSnapshot();
    ElementsReplaced();
}

void LabelCanvas::PostDelete() {
    QMetaObject::invokeMethod(this, &LabelCanvas::DeleteSelected, Qt::QueuedConnection);
}

void LabelCanvas::KeyEdit(int key) {
    auto& elements = Elements();
    auto target = std::find_if(elements.begin(), elements.end(),
                               [](const LabelElement& e) { return e.bSelected != 0; });
    if (target == elements.end()) return;
    LabelElement& e = *target;
    contextIndex_ = static_cast<std::size_t>(target - elements.begin());
    const bool line = e.nType == kLine;
    switch (key) {
    case Qt::Key_Left:
        --e.nPosX;
        if (line) --e.nEndX;
        break;
    case Qt::Key_Right:
        ++e.nPosX;
        if (line) ++e.nEndX;
        break;
    case Qt::Key_Down:
        ++e.nPosY;
        if (line) ++e.nEndY;
        break;
    case Qt::Key_Up:
        // An element may reach -1 at the top edge, not further; lines have no limit.
        if (line) {
            --e.nPosY;
            --e.nEndY;
        } else if (e.nPosY >= 0) {
            --e.nPosY;
        }
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        PostDelete();
        break;
    default:
        return;
    }
    update();
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
        kestrix::DirectPrintLabel(input, batchQueue_, LanguageFlag(language_), show, printerTarget_, &wait);
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
    session_.Document() = std::move(doc);
    if (place)
        PlaceCanvas(*place);
    else
        FitCanvasToFrame(LabelWidthMm(), LabelHeightMm());
    ElementsReplaced();
}

RenderContext LabelCanvas::OutputContext(bool monoPictures) {
    RenderContext ctx;
    ctx.monoPictures = monoPictures;
    ctx.viewScaleX = ScaleX();
    ctx.viewScaleY = ScaleY();
    ctx.codes = &codes_;
    ctx.pictures = &pictures_;
    return ctx;
}

void LabelCanvas::DriverPrint(const QString& printerName, int copies) {
    if (!prompts_) return;
    const int chinese = LanguageFlag(language_);
    const auto show = [this](const PrintMessage& message) {
        prompts_->ShowMessage(this, message.text, message.caption, QMessageBox::Critical);
    };
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName.isEmpty() && installed.contains(printerName)) {
        printer.setPrinterName(printerName);
    } else {
        // An empty print dialog would leave the user guessing.
        if (installed.isEmpty()) return show(NoPrinterInstalledMessage(chinese));
        if (!prompts_->ChoosePrinter(this, printer)) return;
        copies = printer.copyCount();
    }
    const DriverPrintResult result =
        kestrix::DriverPrint(printer, copies, session_.Document(), m_nDpiX, m_nDpiY, OutputContext(false));
    // Serial numbers have advanced.
    update();
    if (result.status != DriverPrintStatus::Printed)
        show(DriverPrintFailedMessage(chinese, printer.printerName(), result.detail));
}

QImage LabelCanvas::OutputImage() {
    QImage image = DrawLabelImage(session_.Document(), m_nDpiX, m_nDpiY, OutputContext(false));
    update();
    return image;
}

void LabelCanvas::RenderLabel(QImage& target, QPoint origin) {
    target.fill(Qt::white);
    QPainter painter(&target);
    painter.translate(-origin);
    RenderContext ctx;
    ctx.scaleX = ScaleX();
    ctx.scaleY = ScaleY();
    ctx.viewScaleX = ctx.scaleX;
    ctx.viewScaleY = ctx.scaleY;
    ctx.codes = &codes_;
    ctx.pictures = &pictures_;
    for (LabelElement& e : Elements()) PaintElement(painter, e, ctx);
}

void LabelCanvas::paintEvent(QPaintEvent* event) {
    // Drawn off screen and copied in one go, so nothing flickers. Only the part
    // on screen is drawn: a zoomed canvas can be far larger than the view.
    const QRect exposed = event->rect();
    if (back_.size() != exposed.size()) back_ = QImage(exposed.size(), QImage::Format_ARGB32_Premultiplied);
    if (back_.isNull()) return;
    RenderLabel(back_, exposed.topLeft());
    QPainter(this).drawImage(exposed.topLeft(), back_);
    emit Painted();
}

void LabelCanvas::SelectAt(QPoint point, bool add) {
    auto& elements = Elements();
    const double sx = ScaleX();
    const double sy = ScaleY();
    auto hit = std::find_if(elements.rbegin(), elements.rend(), [&](const LabelElement& e) {
        return ElementHitBox(e, sx, sy).contains(point);
    });
    if (!add) Deselect(elements);
    if (hit != elements.rend()) hit->bSelected = 1;
}

void LabelCanvas::AppendNew(const LabelElement& e) {
    auto& elements = Elements();
    if (e.nType == kText) {
        if (!elements.empty() && contextIndex_ < elements.size()) elements[contextIndex_].bSelected = 0;
    } else if (e.nType != kPicture) {
        Deselect(elements);
    }
    elements.push_back(e);
    update();
    emit Changed();
}

bool LabelCanvas::CreatePicture(ElementPoint at) {
    if (!prompts_) return false;
    const QString path = prompts_->OpenFileName(
        this, UiText(language_, "All Files(*.*);;Bmp File(*.bmp)", "所有图像文件(*.*);;图像文件(*.bmp)"));
    if (path.isEmpty()) return false;
    const QString caption = UiText(language_, "Kestrix", "Dravel标签编辑器");
    if (path.size() >= kStrUnits) {
        prompts_->ShowMessage(this, UiText(language_, "The path of the picture is too long:\n%1",
                                           "图片文件的路径太长：\n%1").arg(path),
                              caption, QMessageBox::Warning);
        return false;
    }
    const QImage image = PictureCache::ReadPicture(path);
    if (image.isNull() || image.width() <= 0) {
        prompts_->ShowMessage(this, UiText(language_, "The picture file %1 cannot be read.",
                                           "无法读取图片文件 %1。").arg(path),
                              caption, QMessageBox::Warning);
        return false;
    }
    AppendNew(CreatePictureElement(at, path.toStdU16String(), image.width(), image.height()));
    return true;
}

void LabelCanvas::AddText() {
    session_.TakeSnapshot();
    AppendNew(CreateElement(kText, {0, 0}, DefaultText(language_)));
}

void LabelCanvas::AddBarcode() {
    session_.TakeSnapshot();
    AppendNew(CreateElement(kBarcode, {0, 0}, u"0123456789"));
}

void LabelCanvas::AddCode2D() { AppendNew(CreateElement(kCode2D, {0, 0}, u"012345678")); }

void LabelCanvas::AddPicture() { CreatePicture({0, 0}); }

void LabelCanvas::Arrange(int command) {
    // The label as the canvas sees it: the client size in dots.
    const LabelDotSize label{static_cast<int>(width() / ScaleX()), static_cast<int>(height() / ScaleY())};
    const ArrangeOutcome outcome = ArrangeElements(command, Elements(), label, codes_);
    if (outcome == ArrangeOutcome::kNothing) return;
    if (outcome == ArrangeOutcome::kRepaintAndSnapshot) session_.TakeSnapshot();
    update();
    emit Changed();
}

void LabelCanvas::CreateAt(QPoint point) {
    const double sx = ScaleX();
    const double sy = ScaleY();
    const ElementPoint at{static_cast<int>(point.x() / sx), static_cast<int>(point.y() / sy)};
    switch (toolMode_) {
    case kTextTool:
        AppendNew(CreateElement(kText, at, DefaultText(language_)));
        break;
    case kCode2DTool:
        AppendNew(CreateElement(kCode2D, at, u"0123456789"));
        break;
    case kBarcodeTool:
        AppendNew(CreateElement(kBarcode, at, u"0123456789"));
        break;
    case kPictureTool:
        CreatePicture(at);
        SetToolMode(kSelect);
        break;
    case kLineTool:
        AppendNew(CreateElement(kLine, at, {}, {static_cast<int>(at.x * sx), static_cast<int>(at.y * sy)}));
        break;
    case kRectangleTool:
        AppendNew(CreateElement(kShape, at));
        break;
    default:
        break;
    }
}

void LabelCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_MouseDownPoint = event->position().toPoint();
    if (toolMode_ == kSelect) {
        SelectAt(m_MouseDownPoint, event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    } else {
        // Creating tools add their element; inert modes only record the label.
        CreateAt(m_MouseDownPoint);
        session_.TakeSnapshot();
    }
    update();
    emit Changed();
}

void LabelCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint p = event->position().toPoint();
    const double sx = ScaleX();
    const double sy = ScaleY();
    const double dx = (p.x() - m_MouseDownPoint.x()) / sx;
    const double dy = (p.y() - m_MouseDownPoint.y()) / sy;
    bool moved = false;
    for (LabelElement& e : Elements()) {
        if (!e.bSelected) continue;
        if (e.nType == kLine && e.nSize == 1) {
            e.nEndX = p.x();
            e.nEndY = p.y();
        } else if (e.nType == kShape && e.nSize == 7) {
            e.nWidth = static_cast<int>(e.nOrgWidth + dx);
            e.nHeight = static_cast<int>(e.nOrgHeight + dy);
        } else if (e.nSize == -1) {
            e.nPosX = static_cast<int>(dx + e.nOrgPosX);
            e.nPosY = static_cast<int>(dy + e.nOrgPosY);
            if (e.nType == kLine) {
                e.nEndX = e.nOrgEndX - m_MouseDownPoint.x() + p.x();
                e.nEndY = e.nOrgEndY - m_MouseDownPoint.y() + p.y();
            } else {
                moved = true;
            }
        }
    }
    if (moved) session_.TakeSnapshot();
    update();
}

void LabelCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    bool resized = false;
    for (LabelElement& e : Elements()) {
        if (!e.bSelected) continue;
        if (toolMode_ == kRectangleTool && e.nWidth == 0 && e.nHeight == 0) {
            // A click without a drag makes a 100-dot square around the point.
            e.nWidth = 100;
            e.nHeight = 100;
            e.nPosX = std::max(0, static_cast<int>(p.x() / ScaleX()) - 50);
            e.nPosY = std::max(0, static_cast<int>(p.y() / ScaleY()) - 50);
        }
        e.nOrgWidth = e.nWidth;
        e.nOrgHeight = e.nHeight;
        e.nOrgPosX = e.nPosX;
        e.nOrgPosY = e.nPosY;
        e.nOrgEndX = e.nEndX;
        e.nOrgEndY = e.nEndY;
        if (e.nSize != -1) resized = true;
        e.nSize = -1;
    }
    if (resized) session_.TakeSnapshot();
    SetToolMode(kSelect);
    update();
    emit Changed();
}

// A double click is its own message, not a second press: it belongs to the
// element editors, never to the tools or the selection.
void LabelCanvas::mouseDoubleClickEvent(QMouseEvent*) {}

}  // namespace kestrix
