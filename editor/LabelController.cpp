#include "editor/LabelController.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QSet>
#include <QSettings>

#include "dialogs/Prompts.h"
#include "dialogs/StallDialog.h"
#include "document/Units.h"
#include "editor/Arrangement.h"
#include "output/BatchQueue.h"
#include "output/DrawLabel.h"
#include "print/DriverPrint.h"

namespace kestrix {

namespace {

constexpr char kDirectPrinterKey[] = "Direct Print/Printer";

QSettings EditorSettings() {
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Kestrix"));
}

}  // namespace

LabelController::LabelController(UiLanguage language, const QString& undoFolder, QObject* parent)
    : QObject(parent), language_(language), session_(undoFolder) {}

void LabelController::LoadPrinterSettings(const QString& settingsPath) {
    kestrix::LoadPrinterSettings(settings_, settingsPath);
    printerTarget_.device = EditorSettings().value(kDirectPrinterKey, settings_.Device).toString();
}

void LabelController::ChooseDirectPrinter(const QString& address) {
    printerTarget_.device = address;
    // PrinterSettings.ini is only read: the choice is kept with the editor's own settings.
    EditorSettings().setValue(kDirectPrinterKey, address);
}

void LabelController::SetPrompts(Prompts* prompts, QWidget* owner) {
    prompts_ = prompts;
    owner_ = owner;
}

void LabelController::SetDisplayRect(const QRect& rect) {
    display_ = rect;
    session_.SetViewScale(ScaleX(), ScaleY());
}

double LabelController::ScaleX() const { return display_.width() / LabelDots(LabelWidthMm(), m_nDpiX); }

double LabelController::ScaleY() const { return display_.height() / LabelDots(LabelHeightMm(), m_nDpiY); }

RenderContext LabelController::Context() {
    RenderContext ctx;
    ctx.viewScaleX = ScaleX();
    ctx.viewScaleY = ScaleY();
    ctx.codes = &codes_;
    ctx.pictures = &pictures_;
    return ctx;
}

void LabelController::ElementsReplaced() {
    QSet<uint32_t> alive;
    for (const LabelElement& e : Elements()) alive.insert(e.hCache);
    for (const LabelElement& e : session_.Clipboard().CutBuffer()) alive.insert(e.hCache);
    codes_.Retain([&alive](uint32_t handle) { return alive.contains(handle); });
    EditDone();
}

void LabelController::EditDone() {
    emit Repaint();
    emit Changed();
}

void LabelController::UndoStep() {
    if (session_.UndoStep()) ElementsReplaced();
}

void LabelController::RedoStep() {
    if (session_.RedoStep()) ElementsReplaced();
}

void LabelController::Cut() {
    session_.Cut();
    EditDone();
}

void LabelController::Copy() {
    session_.Copy();
    emit Changed();
}

void LabelController::Paste() {
    session_.Paste();
    session_.MarkEdited();
    EditDone();
}

void LabelController::ToggleFontStyle(int index) {
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
    emit Repaint();
}

void LabelController::ApplyFontChoice(int size, const QString& face) {
    for (LabelElement& e : Elements()) {
        if (!e.bSelected) continue;
        SetFaceName(e.logFont, face.toStdU16String());
        e.logFont.lfHeight = size;
        e.logFont.lfWidth = 0;
    }
    emit Repaint();
    session_.TakeSnapshot();
    emit Changed();
}

void LabelController::Arrange(int command) {
    // The label as the canvas sees it: the client size in dots.
    const LabelDotSize label{static_cast<int>(display_.width() / ScaleX()),
                             static_cast<int>(display_.height() / ScaleY())};
    const ArrangeOutcome outcome = ArrangeElements(command, Elements(), label, codes_);
    if (outcome == ArrangeOutcome::kNothing) return;
    if (outcome == ArrangeOutcome::kRepaintAndSnapshot) session_.TakeSnapshot();
    emit Repaint();
    emit Changed();
}

DirectPrintResult LabelController::DirectPrintLabel(const std::function<void(const PrintMessage&)>& show) {
    DirectPrintInput input{session_.Document(), settings_, codes_, &pictures_};
    input.dpiX = m_nDpiX;
    input.dpiY = m_nDpiY;
    input.viewScaleX = ScaleX();
    input.viewScaleY = ScaleY();
    StallDialog wait(language_, owner_);
    const DirectPrintResult result =
        kestrix::DirectPrintLabel(input, batchQueue_, language_, show, printerTarget_, &wait);
    // Serial numbers have advanced.
    emit Repaint();
    return result;
}

void LabelController::BatchPrint() {
    if (prompts_) batchQueue_ += prompts_->ChoosePrintFiles(owner_);
    // Served even when the list was cancelled: paths left by an earlier run wait.
    const int ownElements = static_cast<int>(Elements().size());
    const QString served = ServeQueuedLabel(batchQueue_, Elements());
    if (served.isEmpty()) return;
    emit Repaint();
    emit Changed();
    emit QueuedLabelLoaded(served, ownElements);
}

void LabelController::ReplaceLabel(LabelDocument doc, std::optional<QRect> place) {
    session_.ReplaceDocument(std::move(doc));
    emit PlacementWanted(place);
    ElementsReplaced();
}

void LabelController::DriverPrint(const QString& printerName, int copies) {
    if (!prompts_) return;
    const auto show = [this](const PrintMessage& message) {
        prompts_->ShowMessage(owner_, message.text, message.caption, QMessageBox::Critical);
    };
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName.isEmpty() && installed.contains(printerName)) {
        printer.setPrinterName(printerName);
    } else {
        // An empty print dialog would leave the user guessing.
        if (installed.isEmpty()) return show(NoPrinterInstalledMessage(language_));
        if (!prompts_->ChoosePrinter(owner_, printer)) return;
        copies = printer.copyCount();
    }
    const DriverPrintResult result =
        kestrix::DriverPrint(printer, copies, session_.Document(), m_nDpiX, m_nDpiY, Context());
    // Serial numbers have advanced.
    emit Repaint();
    if (result.status != DriverPrintStatus::Printed)
        show(DriverPrintFailedMessage(language_, printer.printerName(), result.detail));
}

QImage LabelController::OutputImage() {
    QImage image = DrawLabelImage(session_.Document(), m_nDpiX, m_nDpiY, Context());
    emit Repaint();
    return image;
}

}  // namespace kestrix
