#include "editor/LabelController.h"

#include <QEventLoop>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSet>
#include <QThread>
#include <algorithm>

#include "dialogs/MergeProgressDialog.h"
#include "dialogs/Prompts.h"
#include "dialogs/StallDialog.h"
#include "document/ElementMove.h"
#include "document/FieldMerge.h"
#include "document/Units.h"
#include "editor/Arrangement.h"
#include "editor/EditorSettings.h"
#include "editor/MergeTexts.h"
#include "editor/TextBoxRule.h"
#include "output/CupsJobState.h"
#include "output/DrawLabel.h"
#include "output/PrinterAddress.h"
#include "output/SentLabels.h"
#include "print/DriverPrint.h"

namespace kestrix {

namespace {

constexpr char kDirectPrinterKey[] = "Direct Print/Printer";
// Labels of a merged run from which on its progress is shown.
constexpr qint64 kFewLabels = 5;
constexpr char kDirectCopiesKey[] = "Direct Print/Copies";

// Whether printing moved a serial number on: a content differs. (Drawing for
// output also rewrites a text's font fields from its box; that alone is no
// change the user made or sees.)
bool SerialsAdvanced(const std::vector<LabelElement>& before, const std::vector<LabelElement>& after) {
    return !std::equal(before.begin(), before.end(), after.begin(), after.end(),
                       [](const LabelElement& a, const LabelElement& b) { return ElementText(a) == ElementText(b); });
}

// Asks on a worker thread: the window goes on painting for the seconds a
// silent printer or scheduler may take, while clicks and keys wait.
template <typename Answer>
Answer AskAside(const std::function<Answer()>& ask) {
    Answer answer;
    const std::unique_ptr<QThread> worker(QThread::create([&] { answer = ask(); }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    return answer;
}

}  // namespace

LabelController::LabelController(UiLanguage language, UndoFolder undoFolder, std::optional<UndoProblem> problem,
                                 QObject* parent)
    : QObject(parent), language_(language), session_(std::move(undoFolder), std::move(problem)) {}

void LabelController::LoadPrinterSettings(const QString& settingsPath) {
    settingsPath_ = settingsPath;
    kestrix::LoadPrinterSettings(settings_, settingsPath);
    printerTarget_.device = EditorSettings().value(kDirectPrinterKey, settings_.Device).toString();
}

void LabelController::ReloadPrinterSettings() {
    const QString device = settings_.Device;
    kestrix::LoadPrinterSettings(settings_, settingsPath_);
    settings_.Device = device;  // the printer in use stays the one chosen
}

int LabelController::DirectCopies() const { return std::max(1, EditorSettings().value(kDirectCopiesKey, 1).toInt()); }

void LabelController::RememberDirectCopies(int copies) { EditorSettings().setValue(kDirectCopiesKey, copies); }

QString LabelController::DirectPrinterName() const {
    const std::optional<PrinterAddress> address = ParsePrinterAddress(printerTarget_.device);
    return !address || address->kind == PrinterAddress::Kind::Usb
               ? UiText(language_, "the USB label printer", "USB 标签打印机")
               : address->Text();
}

QString LabelController::DirectPrintedText(qint64 labels, bool waiting) const {
    const QString sent =
        labels == 1
            ? UiText(language_, "1 label sent to %1", "已将 1 张标签发送到 %1").arg(DirectPrinterName())
            : UiText(language_, "%1 labels sent to %2", "已将 %1 张标签发送到 %2").arg(labels).arg(DirectPrinterName());
    // A job that waits in the printer's queue must not read as printed.
    return waiting ? sent + UiText(language_, ", not printing yet", "，但现在不会打印") : sent;
}

void LabelController::TellNotPrintingYet(const QStringList& notes) {
    if (notes.isEmpty() || !prompts_) return;
    const PrintMessage message = NotPrintingYetMessage(language_, DirectPrinterName(), notes);
    prompts_->ShowMessage(owner_, message.text, message.caption, QMessageBox::Warning);
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

void LabelController::PaintShown(QPainter& painter, const RenderContext& ctx) {
    merged_.Paint(painter, Elements(), ctx, data_.ShownRow());
    TellLeftOff();
}

void LabelController::TellLeftOff() {
    const QStringList lines = pictures_.TakeLeftOff(language_);
    if (!lines.isEmpty()) emit LeftOff(lines.join(QStringLiteral("; ")));
}

void LabelController::Tell(const QString& text, QMessageBox::Icon icon) {
    if (prompts_) prompts_->ShowMessage(owner_, text, UiText(language_, merge_text::kCaption), icon);
}

bool LabelController::AttachData(const QString& path, RowRange rows, qint64 shown, qint64 knownRows, QString* error) {
    if (path.isEmpty()) {
        data_.Detach();
    } else if (!data_.Attach(path, rows, shown, error, knownRows)) {
        return false;
    }
    merged_.Clear();
    emit DataChanged();
    emit Repaint();
    return true;
}

void LabelController::ChooseData() {
    if (!prompts_) return;
    const DataChoice current{data_.Path(), data_.Rows(), std::max<qint64>(data_.ShownNumber(), 1), data_.KnownRows()};
    const std::optional<DataChoice> chosen = prompts_->DataDialog(owner_, current, LabelFieldNames(Elements()));
    if (!chosen) return;
    QString error;
    if (!AttachData(chosen->path, chosen->rows, chosen->shownRow, chosen->knownRows, &error))
        return Tell(UiText(language_, merge_text::kNotTaken).arg(error), QMessageBox::Warning);
    LabelData::Remember(session_.Document().labelPath, chosen->path);
}

void LabelController::ShowRow(qint64 number) {
    QString error;
    const qint64 known = data_.KnownRows();
    if (!data_.Show(number, &error)) {
        // Past the last row is no fault: the selector stops there.
        if (data_.KnownRows() > 0 && number > data_.KnownRows()) {
            if (known != data_.KnownRows()) emit DataChanged();
            return;
        }
        return Tell(UiText(language_, merge_text::kRowUnreadable).arg(number).arg(error), QMessageBox::Warning);
    }
    emit DataChanged();
    emit Repaint();
}

void LabelController::FollowLabelFile() {
    QString error;
    if (AttachData(LabelData::Remembered(session_.Document().labelPath), {}, 1, 0, &error)) return;
    AttachData({}, {}, 1, 0, &error);
    Tell(UiText(language_, merge_text::kMissing).arg(error), QMessageBox::Warning);
}

void LabelController::LabelSaved() { LabelData::Remember(session_.Document().labelPath, data_.Path()); }

bool LabelController::RowsToPrint(std::unique_ptr<DataSource>& rows) {
    rows.reset();
    if (!data_.Attached()) return true;
    DataCheck check;
    QString error;
    rows = data_.OpenForPrinting(Elements(), check, &error);
    if (!rows) {
        Tell(UiText(language_, merge_text::kUnusable).arg(error), QMessageBox::Warning);
        return false;
    }
    if (check.cuts == 0 || !prompts_) return true;
    return prompts_->AskYesNo(owner_,
                              UiText(language_, merge_text::kCut).arg(check.cuts).arg(check.cutNotes.join(u'\n')),
                              UiText(language_, merge_text::kCaption), QMessageBox::Warning);
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

void LabelController::SelectAll() {
    for (LabelElement& e : Elements()) e.bSelected = 1;
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
        // A text shows the size: its box is that many points high, its letters keep their shape.
        if (e.nType != kText) continue;
        const QSize box = TextBoxForPointSize({e.nWidth, e.nHeight}, size, m_nDpiY, TextUnits(e, ElementText(e)));
        std::tie(e.nWidth, e.nHeight) = std::pair(box.width(), box.height());
    }
    session_.TakeSnapshotIfChanged(before);
    EditDone();
}

QPointF LabelController::PixelToMm(QPoint p) const {
    return {p.x() / ScaleX() * 25.4 / m_nDpiX, p.y() / ScaleY() * 25.4 / m_nDpiY};
}

std::optional<QSizeF> LabelController::SelectionSizeMm() const {
    std::optional<DotBox> all;
    for (const LabelElement& e : session_.Document().elements) {
        if (!e.bSelected) continue;
        const DotBox b = ElementDotBox(e, {ScaleX(), ScaleY()});
        if (!all) {
            all = b;
            continue;
        }
        const int64_t right = std::max(all->Right(), b.Right()), bottom = std::max(all->Bottom(), b.Bottom());
        all->left = std::min(all->left, b.left);
        all->top = std::min(all->top, b.top);
        all->width = right - all->left;
        all->height = bottom - all->top;
    }
    if (!all) return std::nullopt;
    return QSizeF(all->width * 25.4 / m_nDpiX, all->height * 25.4 / m_nDpiY);
}

std::optional<std::pair<QString, int>> LabelController::SelectedFont() const {
    for (const LabelElement& e : session_.Document().elements)
        if (e.bSelected && e.nType == kText)
            return std::pair(QString::fromStdU16String(FaceName(e.logFont)), TextPointSize(e.nHeight, m_nDpiY));
    return std::nullopt;
}

void LabelController::Arrange(int command) {
    // The label as the canvas sees it: the client size in dots.
    const LabelDotSize label{static_cast<int>(display_.width() / ScaleX()),
                             static_cast<int>(display_.height() / ScaleY())};
    const std::vector<LabelElement> before = Elements();
    if (ArrangeElements(command, Elements(), label, {ScaleX(), ScaleY()}, codes_) == ArrangeOutcome::kNothing) return;
    session_.TakeSnapshotIfChanged(before);
    EditDone();
}

void LabelController::Recover(RecoverableLabel found) {
    session_.Recover(std::move(found));
    FollowLabelFile();
    emit PlacementWanted();
    ElementsReplaced();
}

void LabelController::SerialsPrinted(const std::vector<LabelElement>& before) {
    if (SerialsAdvanced(before, Elements())) session_.TakeSnapshot();
    EditDone();
}

std::optional<LabelLock> LabelController::LockSerials(const LabelDocument& doc,
                                                      const std::function<void(const PrintMessage&)>& show) const {
    LabelLock lock;
    if (doc.labelPath.isEmpty() || NextSerialNumber(doc.elements).isEmpty()) return lock;
    // A file that cannot be read is no other program's either.
    if (lock.TryLock(doc.labelPath) != LabelLock::Result::Busy) return lock;
    if (show) show(LabelBusyMessage(language_));
    return std::nullopt;
}

DirectPrintResult LabelController::DirectPrintDocument(LabelDocument& doc, QPointF viewScale,
                                                       const std::function<void(const PrintMessage&)>& show,
                                                       DataSource* rows, int copies) {
    const std::optional<LabelLock> lock = LockSerials(doc, show);
    if (!lock) return {DirectPrintStatus::LabelBusy, LabelBusyMessage(UiLanguage::English).text};
    DirectPrintInput input{doc, settings_, codes_, &pictures_};
    input.copies = copies;
    input.dpiX = m_nDpiX;
    input.dpiY = m_nDpiY;
    input.viewScaleX = viewScale.x();
    input.viewScaleY = viewScale.y();
    input.rows = rows;
    const qint64 labels = (rows ? rows->Count() : 1) * std::max(input.copies, 1);
    std::unique_ptr<MergeProgressDialog> progress;
    if (labels > kFewLabels) {
        progress = std::make_unique<MergeProgressDialog>(language_, labels, owner_);
        input.progress = std::bind_front(&MergeProgressDialog::Sent, progress.get());
        input.goOn = std::bind_front(&MergeProgressDialog::GoOn, progress.get());
    }
    StallDialog wait(language_, owner_);
    // The message after a failure also says how far the label's numbers came.
    std::optional<PrintMessage> failed;
    const DirectPrintResult result = kestrix::DirectPrintLabel(
        input, batchQueue_, language_, [&failed](const PrintMessage& m) { failed = m; }, printerTarget_, &wait);
    if (progress) progress->close();
    TellLeftOff();
    const QString next = NextSerialNumber(doc.elements);
    if (failed && result.jobs > 0 && !next.isEmpty())
        failed->text += QStringLiteral("\n\n") + PrintedSoFarText(language_, result.printed, result.jobs, next);
    if (failed && show) show(*failed);
    if (result.stopped)
        Tell(UiText(language_, merge_text::kStopped).arg(result.printed).arg(labels), QMessageBox::Information);
    // A data file that can no longer be read (written to meanwhile) stops the run between two labels.
    if (rows && result.status == DirectPrintStatus::RenderFailed)
        Tell(UiText(language_, merge_text::kRowsFailed).arg(result.printed).arg(labels).arg(result.detail),
             QMessageBox::Warning);
    return result;
}

bool LabelController::PrinterReadyOrAccepted() {
    const PrinterStatus status = AskAside<PrinterStatus>([this] { return AskPrinterStatus(printerTarget_); });
    if (!status.StopsJob() || !prompts_) return true;
    const PrintMessage question = PrinterNotReadyMessage(language_, status.state);
    return prompts_->AskYesNo(owner_, question.text, question.caption, QMessageBox::Warning);
}

DirectPrintResult LabelController::DirectPrintLabel(const std::function<void(const PrintMessage&)>& show, int copies) {
    std::unique_ptr<DataSource> rows;
    if (!RowsToPrint(rows)) return {DirectPrintStatus::RenderFailed, QStringLiteral("the data file cannot print")};
    if (!PrinterReadyOrAccepted()) return {DirectPrintStatus::Cancelled, QStringLiteral("the printer is not ready")};
    const std::vector<LabelElement> before = Elements();
    const DirectPrintResult result =
        DirectPrintDocument(session_.Document(), {ScaleX(), ScaleY()}, show, rows.get(), copies);
    SerialsPrinted(before);
    if (result.status != DirectPrintStatus::Printed) {
        // Labels that may be missing are said where the failure leaves the user.
        if (!result.warning.isEmpty()) emit Printed(result.warning);
        return result;
    }
    emit Printed(DirectPrintedText(result.printed, !result.warning.isEmpty()));
    if (!result.warning.isEmpty()) TellNotPrintingYet({result.warning});
    return result;
}

void LabelController::BatchPrint() {
    if (prompts_) batchQueue_ += prompts_->ChoosePrintFiles(owner_);
    // Served even when the list was cancelled: paths left by an earlier run wait.
    if (!batchQueue_.isEmpty()) emit QueuedLabelsWaiting();
}

bool LabelController::SchedulerAnswers() {
    const QString silent = AskAside<QString>([] { return SchedulerSilence(PrinterTransport::kAnswerWaitMs); });
    if (!silent.isEmpty()) ShowError(PrinterUnreachableMessage(language_, silent));
    return silent.isEmpty();
}

void LabelController::DriverPrint(const QString& printerName, int copies) {
    if (!prompts_ || !SchedulerAnswers()) return;
    if (!QPrinterInfo::availablePrinterNames().contains(printerName)) return PrintAsking();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(printerName);
    PrintOn(printer, copies);
}

void LabelController::PrintAsking() {
    if (!prompts_ || !SchedulerAnswers()) return;
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    // An empty print dialog would leave the user guessing.
    if (installed.isEmpty()) return ShowError(NoPrinterInstalledMessage(language_));
    QPrinter printer(QPrinter::HighResolution);
    const QString last = PrinterNameText(session_.Document().printerName);
    if (installed.contains(last)) printer.setPrinterName(last);
    // The dialog shows the paper the label prints on.
    SetLabelPaper(printer, LabelWidthMm(), LabelHeightMm());
    if (!prompts_->ChoosePrinter(owner_, printer)) return;
    PrintOn(printer, printer.copyCount());
}

void LabelController::ShowError(const PrintMessage& message) {
    prompts_->ShowMessage(owner_, message.text, message.caption, QMessageBox::Critical);
}

void LabelController::PrintOn(QPrinter& printer, int copies) {
    std::unique_ptr<DataSource> rows;
    if (!RowsToPrint(rows)) return;
    const std::optional<LabelLock> lock =
        LockSerials(session_.Document(), std::bind_front(&LabelController::ShowError, this));
    if (!lock) return;
    const std::vector<LabelElement> before = Elements();
    // A job of more than a few pages shows its progress, with a Cancel between pages.
    std::unique_ptr<MergeProgressDialog> progress;
    qint64 pages = 0;
    const DriverPageStep step = [&](qint64 drawn, qint64 total) {
        pages = total;
        if (total <= kFewLabels) return true;
        if (!progress) progress = std::make_unique<MergeProgressDialog>(language_, total, owner_);
        progress->Sent(drawn, total);
        return progress->GoOn();
    };
    const DriverPrintResult result =
        kestrix::DriverPrint(printer, copies, session_.Document(), m_nDpiX, m_nDpiY, Context(), rows.get(), step);
    if (progress) progress->close();
    TellLeftOff();
    SerialsPrinted(before);
    if (result.stopped)
        Tell(UiText(language_, merge_text::kStopped).arg(result.pages).arg(pages), QMessageBox::Information);
    if (result.status != DriverPrintStatus::Printed)
        return ShowError(DriverPrintFailedMessage(language_, printer.printerName(), result.detail));
    if (result.pages > 0) emit Printed(DriverPrintedText(language_, printer.printerName(), std::max(copies, 1)));
}

QImage LabelController::OutputImage() {
    LabelDocument copy = session_.Document();
    // The copy's advance must not free the code images the label's own codes still show.
    for (LabelElement& e : copy.elements)
        if (e.nSerialMode != 0) e.hCache = 0;
    const QImage image = DrawLabelImage(copy, m_nDpiX, m_nDpiY, Context(), data_.ShownRow());
    TellLeftOff();
    if (image.isNull())
        emit LeftOff(UiText(language_, "The label is too large to show here (%1 x %2 dots).",
                            "标签太大，无法在此显示（%1 x %2 点）。")
                         .arg(TargetDots(LabelWidthMm(), m_nDpiX))
                         .arg(TargetDots(LabelHeightMm(), m_nDpiY)));
    return image;
}

}  // namespace kestrix
