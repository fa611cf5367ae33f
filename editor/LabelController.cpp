#include "editor/LabelController.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QSet>
#include <QSettings>
#include <algorithm>

#include "dialogs/Prompts.h"
#include "dialogs/StallDialog.h"
#include "document/Units.h"
#include "editor/Arrangement.h"
#include "output/DrawLabel.h"
#include "print/DriverPrint.h"

namespace kestrix {

namespace {

constexpr char kDirectPrinterKey[] = "Direct Print/Printer";

// Whether printing moved a serial number on: a content differs. (Drawing for
// output also rewrites a text's font fields from its box; that alone is no
// change the user made or sees.)
bool SerialsAdvanced(const std::vector<LabelElement>& before, const std::vector<LabelElement>& after) {
    return !std::equal(before.begin(), before.end(), after.begin(), after.end(),
                       [](const LabelElement& a, const LabelElement& b) { return ElementText(a) == ElementText(b); });
}

QSettings EditorSettings() {
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Kestrix"));
}

}  // namespace

LabelController::LabelController(UiLanguage language, UndoFolder undoFolder, std::optional<UndoProblem> problem,
                                 QObject* parent)
    : QObject(parent), language_(language), session_(std::move(undoFolder), std::move(problem)) {}

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
    EditDone();
}

void LabelController::ToggleFontStyle(int index) {
    const std::vector<LabelElement> before = Elements();
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
    session_.TakeSnapshotIfChanged(before);
    EditDone();
}

void LabelController::ApplyFontChoice(int size, const QString& face) {
    const std::vector<LabelElement> before = Elements();
    for (LabelElement& e : Elements()) {
        if (!e.bSelected) continue;
        SetFaceName(e.logFont, face.toStdU16String());
        e.logFont.lfHeight = size;
        e.logFont.lfWidth = 0;
    }
    session_.TakeSnapshotIfChanged(before);
    EditDone();
}

void LabelController::Arrange(int command) {
    // The label as the canvas sees it: the client size in dots.
    const LabelDotSize label{static_cast<int>(display_.width() / ScaleX()),
                             static_cast<int>(display_.height() / ScaleY())};
    const std::vector<LabelElement> before = Elements();
    if (ArrangeElements(command, Elements(), label, codes_) == ArrangeOutcome::kNothing) return;
    session_.TakeSnapshotIfChanged(before);
    EditDone();
}

void LabelController::Recover(RecoverableLabel found) {
    session_.Recover(std::move(found));
    emit PlacementWanted();
    ElementsReplaced();
}

void LabelController::SerialsPrinted(const std::vector<LabelElement>& before) {
    if (SerialsAdvanced(before, Elements())) session_.TakeSnapshot();
    EditDone();
}

DirectPrintResult LabelController::DirectPrintDocument(LabelDocument& doc, QPointF viewScale,
                                                       const std::function<void(const PrintMessage&)>& show) {
    DirectPrintInput input{doc, settings_, codes_, &pictures_};
    input.dpiX = m_nDpiX;
    input.dpiY = m_nDpiY;
    input.viewScaleX = viewScale.x();
    input.viewScaleY = viewScale.y();
    StallDialog wait(language_, owner_);
    return kestrix::DirectPrintLabel(input, batchQueue_, language_, show, printerTarget_, &wait);
}

DirectPrintResult LabelController::DirectPrintLabel(const std::function<void(const PrintMessage&)>& show) {
    const std::vector<LabelElement> before = Elements();
    const DirectPrintResult result = DirectPrintDocument(session_.Document(), {ScaleX(), ScaleY()}, show);
    SerialsPrinted(before);
    return result;
}

void LabelController::BatchPrint() {
    if (prompts_) batchQueue_ += prompts_->ChoosePrintFiles(owner_);
    // Served even when the list was cancelled: paths left by an earlier run wait.
    if (!batchQueue_.isEmpty()) emit QueuedLabelsWaiting();
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
    const std::vector<LabelElement> before = Elements();
    const DriverPrintResult result =
        kestrix::DriverPrint(printer, copies, session_.Document(), m_nDpiX, m_nDpiY, Context());
    SerialsPrinted(before);
    if (result.status != DriverPrintStatus::Printed)
        show(DriverPrintFailedMessage(language_, printer.printerName(), result.detail));
}

QImage LabelController::OutputImage() {
    LabelDocument copy = session_.Document();
    // The copy's advance must not free the code images the label's own codes still show.
    for (LabelElement& e : copy.elements)
        if (e.nSerialMode != 0) e.hCache = 0;
    return DrawLabelImage(copy, m_nDpiX, m_nDpiY, Context());
}

}  // namespace kestrix
