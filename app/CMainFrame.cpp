#include "app/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSet>
#include <QStatusBar>
#include <cstdio>
#include <cstring>

#include "app/CommandIds.h"
#include "app/DrawToolBar.h"
#include "app/EditorStatus.h"
#include "app/FrameMenus.h"
#include "app/FrameTexts.h"
#include "app/LockKeys.h"
#include "app/MainToolBar.h"
#include "app/RowSelector.h"
#include "app/WindowPlacement.h"
#include "dialogs/BatchProgressDialog.h"
#include "dialogs/Prompts.h"
#include "document/LabelFile.h"
#include "document/RecoverableLabel.h"
#include "editor/CTaveloView.h"
#include "editor/CanvasGeometry.h"
#include "editor/LabelCanvas.h"
#include "editor/LabelController.h"
#include "editor/PrintQueuedLabels.h"
#include "editor/RulerBar.h"
#include "output/DirectPrintJob.h"

namespace kestrix {

namespace {

// Commands whose menu entry and keys follow the state of the label.
constexpr int kEnabledByState[] = {kCmdUndo, kCmdRedo, kCmdCut, kCmdCopy, kCmdPaste, kCmdDelete, kCmdSelectAll};

// The label's controller with this window's private undo folder, made in the
// first of `parents` where one can be made.
LabelController* NewLabelController(UiLanguage language, const QStringList& parents, QObject* parent) {
    UndoProblem problem;
    UndoFolder folder = UndoFolder::Create(parents, &problem);
    std::optional<UndoProblem> why;
    if (!folder.IsValid()) why = problem;
    return new LabelController(language, std::move(folder), why, parent);
}

// The local file a drop brings, if any.
QString DroppedFile(const QMimeData* data) {
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

bool IsEditKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right ||
           key == Qt::Key_Backspace || key == Qt::Key_Delete;
}

QStringList UndoParents(const FrameOptions& options) {
    return options.undoParent.isEmpty() ? UndoFolder::DefaultParents() : QStringList{options.undoParent};
}

}  // namespace

CMainFrame::CMainFrame(UiLanguage language, Prompts& prompts, const FrameOptions& options)
    : language_(language),
      prompts_(prompts),
      label_(NewLabelController(language, UndoParents(options), this)),
      client_(new QWidget(this)),
      undoParents_(UndoParents(options)) {
    setCentralWidget(client_);
    label_->LoadPrinterSettings(options.settingsPath);
    label_->SetPrompts(&prompts_, this);
    view_ = new CTaveloView(*label_, client_);
    ruler_ = new RulerBar(client_);
    mainBar_ = new MainToolBar(language, client_);
    drawBar_ = new DrawToolBar(language, client_);

    // The main bar's clicks and the font choice are posted, so they run after the
    // notification that caused them has returned (many open a dialog). The drawing
    // bar only sets a mode or takes an edit step: it runs at once, so a click on the
    // canvas that a busy editor receives together with the tool's click finds the
    // tool chosen.
    connect(mainBar_, &MainToolBar::Command, this, &CMainFrame::OnCommand, Qt::QueuedConnection);
    connect(drawBar_, &DrawToolBar::Command, this, &CMainFrame::OnCommand);
    connect(drawBar_, &DrawToolBar::FontChosen, label_, &LabelController::ApplyFontChoice, Qt::QueuedConnection);
    connect(label_, &LabelController::Changed, this, &CMainFrame::UpdateCommandUi);
    connect(Canvas(), &LabelCanvas::LayoutChanged, this, &CMainFrame::CanvasLaidOut);
    connect(label_, &LabelController::QueuedLabelsWaiting, this, &CMainFrame::OnPrintQueued, Qt::QueuedConnection);
    connect(label_, &LabelController::DataChanged, this, &CMainFrame::UpdateRowSelector);
    connect(label_, &LabelController::Printed, this, [this](const QString& what) { statusBar()->showMessage(what); });
    connect(label_, &LabelController::LeftOff, this, [this](const QString& what) { statusBar()->showMessage(what); });

    keys_ = AcceleratorKeys();
    BuildMenus();
    BuildAccelerators();
    BuildStatusBar();
    QIcon icon;
    for (const char* path : {":/icons/kestrix.png", ":/icons/kestrix-48.png"})
        if (QPixmap pixmap(QString::fromLatin1(path)); !pixmap.isNull()) icon.addPixmap(pixmap);
    if (!icon.isNull()) setWindowIcon(icon);

    setAcceptDrops(true);
    client_->installEventFilter(this);
    qApp->installEventFilter(this);
    resize(1000, 700);
    // Keys go to the label until the user clicks into a list.
    Canvas()->setFocusPolicy(Qt::StrongFocus);
    Canvas()->setFocus();
    CanvasLaidOut();
    UpdateCommandUi();
}

CMainFrame::~CMainFrame() { qApp->removeEventFilter(this); }

LabelCanvas* CMainFrame::Canvas() const { return view_->Canvas(); }

void CMainFrame::BuildMenus() {
    for (const MenuDef& def : FrameMenus()) {
        QMenu* menu = menuBar()->addMenu(UiText(language_, def.english, def.chinese));
        for (const MenuItem& item : def.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            // The menu shows the key after the tab; only the accelerator table
            // binds keys, so no key has two owners.
            QString text = UiText(language_, item.english, item.chinese);
            if (const QList<QKeySequence> keys = keys_.value(item.id); !keys.isEmpty())
                text += u'\t' + keys.first().toString(QKeySequence::NativeText);
            if (item.id == kCmdDelete) text += u'\t' + QKeySequence(Qt::Key_Delete).toString(QKeySequence::NativeText);
            QAction* action = menu->addAction(text);
            action->setData(item.id);
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
            menuActions_.insert(id, action);
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
    }
}

void CMainFrame::BuildAccelerators() {
    for (const Accelerator& a : FrameAccelerators()) {
        const QList<QKeySequence> keys = keys_.value(a.id);
        if (keys.isEmpty()) continue;
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setData(a.id);
        const int id = a.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action);
        accelerators_.append(action);
    }
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->addWidget(new QLabel(UiText(language_, frame_text::kReady)), 1);
    const auto addPane = [bar](const QString& text) {
        auto* pane = new QLabel;
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + 12);
        bar->addPermanentWidget(pane);
        return pane;
    };
    status_ = new EditorStatus(language_, bar);
    connect(Canvas(), &LabelCanvas::PointerMoved, this, [this](std::optional<QPoint> p) {
        status_->ShowPointer(p ? std::optional(label_->PixelToMm(*p)) : std::nullopt);
    });
    rowSelector_ = new RowSelector(language_);
    bar->addPermanentWidget(rowSelector_);
    connect(rowSelector_, &RowSelector::RowWanted, label_, &LabelController::ShowRow, Qt::QueuedConnection);
    capsPane_ = addPane(QStringLiteral("CAP"));
    numPane_ = addPane(QStringLiteral("NUM"));
    scrollPane_ = addPane(QStringLiteral("SCRL"));
    UpdateLockIndicators();
}

void CMainFrame::UpdateLockIndicators() {
    const LockStates locks = CurrentLockStates();
    capsPane_->setText(locks.caps ? QStringLiteral("CAP") : QString());
    numPane_->setText(locks.num ? QStringLiteral("NUM") : QString());
    scrollPane_->setText(locks.scroll ? QStringLiteral("SCRL") : QString());
    // A pane shows only while its key is locked.
    capsPane_->setVisible(locks.caps);
    numPane_->setVisible(locks.num);
    scrollPane_->setVisible(locks.scroll);
}

void CMainFrame::UpdateRowSelector() {
    const LabelData& data = label_->Data();
    rowSelector_->Show(data.Attached() ? QFileInfo(data.Path()).fileName() : QString(), data.ShownNumber(),
                       data.KnownRows());
}

void CMainFrame::LayoutClient() {
    // The frame's client area, as the layout counts it, includes the status bar.
    const int w = client_->width();
    const int h = client_->height() + statusBar()->height();
    if (w <= 0) return;
    mainBar_->setGeometry(0, 0, w, 42);
    drawBar_->setGeometry(0, 42, w, 42);
    ruler_->Place(w, h);
    view_->setGeometry(24, 108, w - 24, std::max(0, std::min(h - 126, client_->height() - 108)));
}

void CMainFrame::CanvasLaidOut() {
    const LabelCanvas* canvas = Canvas();
    ruler_->SetCanvasLayout(canvas->LabelRect().topLeft(), canvas->LabelRect().size(), label_->LabelWidthMm(),
                            label_->LabelHeightMm());
    if (status_) status_->ShowZoom(canvas->ZoomPercent());
}

void CMainFrame::UpdateCommandUi() {
    const LabelSession& session = label_->Session();
    const auto enabledFor = [&session](int id) {
        switch (id) {
        case kCmdUndo: return session.Undo().CanUndo();
        case kCmdRedo: return session.Undo().CanRedo();
        case kCmdCut:
        case kCmdCopy:
        case kCmdDelete: return session.CanCutOrCopy();
        case kCmdSelectAll: return !session.Document().elements.empty();
        case kCmdPaste: return session.CanPaste();
        default: return true;
        }
    };
    for (int id : kEnabledByState)
        if (QAction* action = menuActions_.value(id)) action->setEnabled(enabledFor(id));
    for (QAction* action : accelerators_) action->setEnabled(enabledFor(action->data().toInt()));
    if (const auto font = label_->SelectedFont()) drawBar_->ShowFont(font->first, font->second);
    if (status_) status_->ShowSelection(label_->SelectionSizeMm());
    UpdateTitle();
    if (!undoProblemTold_ && session.Undo().Problem()) {
        // Said once, after whatever is under way now.
        undoProblemTold_ = true;
        QMetaObject::invokeMethod(this, &CMainFrame::TellUndoUnavailable, Qt::QueuedConnection);
    }
}

void CMainFrame::TellUndoUnavailable() {
    const UndoProblem problem = label_->Session().Undo().Problem().value_or(UndoProblem{});
    prompts_.ShowMessage(
        this,
        UiText(language_, frame_text::kUndoUnavailable)
            .arg(QDir::toNativeSeparators(problem.folder), QString::fromLocal8Bit(std::strerror(problem.systemError))),
        UiText(language_, frame_text::kCaption), QMessageBox::Warning);
}

void CMainFrame::UpdateTitle() {
    const QString path = label_->Session().Document().labelPath;
    const QString name = path.isEmpty() ? UiText(language_, frame_text::kUntitled) : QFileInfo(path).fileName();
    setWindowTitle(QStringLiteral("Kestrix Editor - %1[*]").arg(name));
    setWindowModified(label_->Session().HasUnsavedChanges());
}

void CMainFrame::PostCommand(int id) {
    QMetaObject::invokeMethod(
        this, [this, id] { OnCommand(id); }, Qt::QueuedConnection);
}

QString CMainFrame::LabelFilter() const { return LabelFileFilter(language_); }

void CMainFrame::OnCommand(int id) {
    if (id >= kCmdDrawFirst && id <= kCmdDrawLast) return OnDrawToolBar(id);
    if (id >= kCmdMainFirst && id <= kCmdMainLast) return OnMainToolBar(id);
    switch (id) {
    case kCmdNewLabel: OnNewLabel(); break;
    case kCmdOpenLabel: OnOpenLabel(); break;
    case kCmdSave: SaveLabel(label_->Session().Document().labelPath); break;
    case kCmdSaveAs: SaveLabel({}); break;
    // Users expect the print dialog every time, with its copies.
    case kCmdPrint: label_->PrintAsking(); break;
    case kCmdDirectPrint: OnDirectPrint(); break;
    case kCmdChoosePrinter: OnChoosePrinter(); break;
    case kCmdPrinterSettings:
        if (prompts_.EditPrinterSettings(this, label_->SettingsPath())) label_->ReloadPrinterSettings();
        break;
    case kCmdBatchPrint: label_->BatchPrint(); break;
    case kCmdExit: close(); break;
    case kCmdDestroyWindow:
        closeWithoutQuestion_ = true;
        close();
        break;
    // Undo and Redo from the menu and keys run as the tool bar's buttons.
    case kCmdUndo: PostCommand(kCmdUndoStep); break;
    case kCmdRedo: PostCommand(kCmdRedoStep); break;
    case kCmdSelectAll: label_->SelectAll(); break;
    case kCmdZoomFit: Canvas()->FitCanvasToFrame(label_->LabelWidthMm(), label_->LabelHeightMm()); break;
    case kCmdZoomActual: Canvas()->ZoomToActualSize(); break;
    case kCmdCut:
        if (label_->Session().CanCutOrCopy()) label_->Cut();
        break;
    case kCmdCopy:
        if (label_->Session().CanCutOrCopy()) label_->Copy();
        break;
    case kCmdPaste:
        if (label_->Session().CanPaste()) label_->Paste();
        break;
    case kCmdDelete: label_->Commands().DeleteSelected(); break;
    case kCmdAbout: prompts_.ShowAbout(this); break;
    case kCmdAddText: label_->Commands().AddText(); break;
    case kCmdAddPicture: label_->Commands().AddPicture(); break;
    case kCmdAddBarcode: label_->Commands().AddBarcode(); break;
    case kCmdAdd2D: label_->Commands().AddCode2D(); break;
    default: break;
    }
    UpdateCommandUi();
}

void CMainFrame::OnDrawToolBar(int id) {
    const int index = id - kCmdDrawFirst;
    switch (id) {
    case kCmdUndoStep: label_->UndoStep(); break;
    case kCmdRedoStep: label_->RedoStep(); break;
    case kCmdDeleteButton: label_->Commands().PostDelete(); break;
    default:
        if (index >= 11 && index <= 13) label_->ToggleFontStyle(index);
        Canvas()->SetToolMode(index);
        break;
    }
    UpdateCommandUi();
}

void CMainFrame::OnMainToolBar(int id) {
    switch (id) {
    case kCmdNewButton: OnNewLabel(); break;
    case kCmdOpenButton: OnOpenLabel(); break;
    case kCmdSaveButton: SaveLabel(label_->Session().Document().labelPath); break;
    case kCmdPrintButton: label_->PrintAsking(); break;
    case kCmdPrintPreview: prompts_.ShowPrintPreview(this, *label_); break;
    case kCmdInputFile: label_->ChooseData(); break;
    case kCmdZoomIn: Canvas()->ZoomCanvas(kZoomFactor); break;
    case kCmdZoomOut:
        Canvas()->ZoomCanvas(1 / kZoomFactor);
        view_->update();
        break;
    default: label_->Arrange(id); break;
    }
}

bool CMainFrame::MayDiscardLabel() {
    if (!label_->Session().HasUnsavedChanges()) return true;
    const QMessageBox::StandardButton answer = prompts_.AskYesNoCancel(
        this, UiText(language_, frame_text::kSaveQuestion), UiText(language_, frame_text::kSaveQuestionCaption));
    return answer == QMessageBox::No || (answer == QMessageBox::Yes && SaveLabel({}));
}

void CMainFrame::OnNewLabel() {
    if (!MayDiscardLabel()) return;
    const std::optional<QSize> size = prompts_.NewLabelSize(this);
    if (!size) return;
    QString error;
    if (!label_->Session().NewLabel(size->width(), size->height(), &error)) {
        prompts_.ShowMessage(this, error, QStringLiteral("Kestrix"), QMessageBox::Warning);
        return;
    }
    Canvas()->ResetCanvas(size->width(), size->height());
    label_->FollowLabelFile();
}

void CMainFrame::OnOpenLabel() {
    if (!MayDiscardLabel()) return;
    const QString path = prompts_.OpenFileName(this, LabelFilter());
    if (path.isEmpty()) {
        label_->Session().OpenCancelled();
        return;
    }
    OpenLabelFile(path, false);
}

void CMainFrame::OpenGivenFile(const QString& path) {
    if (!MayDiscardLabel()) return;
    OpenLabelFile(path, true);
    UpdateCommandUi();
}

void CMainFrame::OfferRecovery() {
    QStringList notes;
    std::vector<RecoverableLabel> found = FindRecoverableLabels(undoParents_, &notes);
    for (const QString& note : notes) std::fprintf(stderr, "kestrix: %s\n", qPrintable(note));
    const QLocale locale(language_ == UiLanguage::Chinese ? QLocale::Chinese : QLocale::English);
    for (RecoverableLabel& left : found) {
        const QString path = left.state.labelPath;
        const QString name = path.isEmpty() ? UiText(language_, frame_text::kUntitled) : QFileInfo(path).fileName();
        const std::optional<bool> recover =
            prompts_.AskRecover(this,
                                UiText(language_, frame_text::kRecoverQuestion)
                                    .arg(name, locale.toString(left.changedAt, QLocale::ShortFormat)),
                                UiText(language_, frame_text::kCaption));
        // Not answered: it is offered again at the next start.
        if (!recover) continue;
        if (*recover) {
            label_->Recover(std::move(left));
            break;
        }
        left.folder.Remove();
    }
    UpdateCommandUi();
}

void CMainFrame::OpenLabelFile(const QString& path, bool reportUnreadable) {
    LabelFileProblem problem;
    const LabelSession::OpenResult result = label_->Session().OpenLabel(path, &problem);
    if (result == LabelSession::OpenResult::Opened) {
        Canvas()->FitCanvasToFrame(label_->LabelWidthMm(), label_->LabelHeightMm());
        label_->ElementsReplaced();
        label_->FollowLabelFile();
        return;
    }
    if (result == LabelSession::OpenResult::Refused || reportUnreadable) {
        const QString why = LabelFileProblemText(problem, language_);
        prompts_.ShowMessage(this, UiText(language_, frame_text::kCannotOpen).arg(QDir::toNativeSeparators(path), why),
                             UiText(language_, frame_text::kCaption), QMessageBox::Warning);
    }
}

bool CMainFrame::SaveLabel(const QString& path) {
    if (label_->Elements().empty()) return true;
    QString target = path;
    if (target.isEmpty()) {
        target = prompts_.SaveFileName(this, LabelFilter());
        if (target.isEmpty()) return false;
        target = WithLabelExtension(target);
        if (QFileInfo::exists(target) &&
            !prompts_.AskYesNo(Canvas(), UiText(language_, frame_text::kOverwrite),
                               UiText(language_, frame_text::kCaption), QMessageBox::NoIcon))
            return false;
    }
    if (!label_->Session().SaveLabel(target)) return false;
    label_->LabelSaved();
    return true;
}

void CMainFrame::ShowPrintMessage(const PrintMessage& message) {
    prompts_.ShowMessage(nullptr, message.text, message.caption, QMessageBox::Critical);
}

void CMainFrame::OnDirectPrint() {
    const std::optional<int> copies = prompts_.AskCopies(this, label_->DirectCopies());
    if (!copies) return;
    label_->RememberDirectCopies(*copies);
    label_->DirectPrintLabel(std::bind_front(&CMainFrame::ShowPrintMessage, this), *copies);
}

void CMainFrame::OnChoosePrinter() {
    const std::optional<QString> address =
        prompts_.ChoosePrinterAddress(this, label_->DirectPrinter(), label_->SettingsPath());
    // Its Printer Settings button may have written the settings, even when the choice was cancelled.
    label_->ReloadPrinterSettings();
    if (address) label_->ChooseDirectPrinter(*address);
}

void CMainFrame::OnPrintQueued() {
    // Declined: the files stay queued for the next Select Label Files.
    if (!label_->PrinterReadyOrAccepted()) return;
    BatchProgressDialog progress(language_, this);
    const BatchPrintOutcome outcome = PrintQueuedLabels(*label_, std::bind_front(&BatchProgressDialog::Step, &progress),
                                                        std::bind_front(&CMainFrame::ShowPrintMessage, this));
    progress.close();
    if (outcome.labels > 0)
        statusBar()->showMessage(label_->DirectPrintedText(outcome.labels, !outcome.waiting.isEmpty()));
    const QString caption = UiText(language_, frame_text::kCaption);
    if (!outcome.unreadable.isEmpty())
        prompts_.ShowMessage(this, UiText(language_, frame_text::kNotPrinted).arg(outcome.unreadable.join(u'\n')),
                             caption, QMessageBox::Warning);
    if (!outcome.unsaved.isEmpty())
        prompts_.ShowMessage(this, UiText(language_, frame_text::kSerialsNotSaved).arg(outcome.unsaved.join(u'\n')),
                             caption, QMessageBox::Warning);
    // No printer and a failed write have told the user already.
    const DirectPrintStatus status = outcome.stopped.status;
    if (status == DirectPrintStatus::OpenFailed || status == DirectPrintStatus::RenderFailed)
        prompts_.ShowMessage(this,
                             UiText(language_, frame_text::kBatchStopped)
                                 .arg(QDir::toNativeSeparators(outcome.stoppedAt), outcome.stopped.detail),
                             caption, QMessageBox::Warning);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!closeWithoutQuestion_ && !MayDiscardLabel()) {
        event->ignore();
        return;
    }
    closeWithoutQuestion_ = false;
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // The question is asked once the drop is over.
    QMetaObject::invokeMethod(
        this, [this, path] { OpenGivenFile(path); }, Qt::QueuedConnection);
}

void CMainFrame::PlaceOnScreen() {
    if (!screen() || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) return;
    const QRect frame = frameGeometry();
    const QRect placed = KeepOnScreen(frame, screen()->availableGeometry());
    if (placed == frame) return;
    resize(size() - (frame.size() - placed.size()));
    move(placed.topLeft());
}

void CMainFrame::changeEvent(QEvent* event) {
    // Restored from maximised: the normal place may lie partly off the screen.
    if (event->type() == QEvent::WindowStateChange)
        QMetaObject::invokeMethod(this, &CMainFrame::PlaceOnScreen, Qt::QueuedConnection);
    // A lock key may have changed while another window had the keyboard.
    if (event->type() == QEvent::ActivationChange && capsPane_) UpdateLockIndicators();
    QMainWindow::changeEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        LayoutClient();
        return false;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        // Every key of this window passes here once, at its first receiver.
        QWidget* first = QApplication::focusWidget();
        if (!first) first = this;
        if (watched != first || first->window() != this) return false;
        if (event->type() == QEvent::KeyRelease) {
            UpdateLockIndicators();
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (IsEditKey(key)) label_->Commands().KeyEdit(key);
    }
    return false;
}

}  // namespace kestrix
