#pragma once
// The main window: both tool bars, the ruler, the view with the label canvas
// and the status bar; the menus and accelerators; the routing of every
// command number to the label's controller or the canvas; the question asked
// on closing.

#include <QHash>
#include <QKeySequence>
#include <QMainWindow>
#include <QStringList>

#include "document/UiLanguage.h"

class QLabel;

namespace kestrix {

class CTaveloView;
class EditorStatus;
class DrawToolBar;
class LabelCanvas;
class LabelController;
class MainToolBar;
class Prompts;
class RowSelector;
class RulerBar;
struct PrintMessage;

struct FrameOptions {
    // Where the window makes its private undo folder: $XDG_RUNTIME_DIR, else
    // the temporary folder, when empty. Recovery looks there too.
    QString undoParent;
    QString settingsPath;  // ~/.config/PrinterSettings.ini when empty
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(UiLanguage language, Prompts& prompts, const FrameOptions& options = {});
    ~CMainFrame() override;

    UiLanguage Language() const { return language_; }
    // The label being edited and its printing.
    LabelController* Label() const { return label_; }
    LabelCanvas* Canvas() const;
    CTaveloView* View() const { return view_; }
    RulerBar* Ruler() const { return ruler_; }
    MainToolBar* MainBar() const { return mainBar_; }
    RowSelector* Rows() const { return rowSelector_; }
    DrawToolBar* DrawBar() const { return drawBar_; }
    // The menu entry of a command, or nullptr.
    QAction* MenuAction(int id) const { return menuActions_.value(id); }
    const QList<QAction*>& Accelerators() const { return accelerators_; }

    // Runs a command as the menus, accelerators and tool bars do.
    void OnCommand(int id);
    // Runs a command after the current event, as a posted message does.
    void PostCommand(int id);
    // Saves to `path`, or asks for a file when it is empty. True when the label counts as saved.
    bool SaveLabel(const QString& path);
    // Opens a label file into the canvas. A file that cannot be used is
    // explained when `reportUnreadable`; a damaged one always.
    void OpenLabelFile(const QString& path, bool reportUnreadable);
    // A file given on the command line or dropped on the window: opened after
    // the close question, as Open does.
    void OpenGivenFile(const QString& path);
    // Offers the label of each editor that died with unsaved work, newest
    // first, until one is recovered; the others wait for the next start.
    void OfferRecovery();
    // Enables Undo, Cut, Copy and Paste by the state of the label.
    void UpdateCommandUi();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildAccelerators();
    void BuildStatusBar();
    void LayoutClient();
    void OnNewLabel();
    void OnOpenLabel();
    void OnDirectPrint();
    void OnChoosePrinter();
    // The close question before the label is replaced or the window closes:
    // true when the label may go (saved, or its changes discarded).
    bool MayDiscardLabel();
    void TellUndoUnavailable();
    void OnPrintQueued();
    void ShowPrintMessage(const PrintMessage& message);
    void OnDrawToolBar(int id);
    void OnMainToolBar(int id);
    void CanvasLaidOut();
    void UpdateLockIndicators();
    // Keeps a window that is not maximised wholly on its screen.
    void PlaceOnScreen();
    // The status bar's row selector follows the label's data file.
    void UpdateRowSelector();
    // "Kestrix Editor - name", marked while there are unsaved changes.
    void UpdateTitle();
    QString LabelFilter() const;

    UiLanguage language_;
    Prompts& prompts_;
    LabelController* label_;
    QWidget* client_;
    MainToolBar* mainBar_;
    DrawToolBar* drawBar_;
    RulerBar* ruler_;
    CTaveloView* view_;
    EditorStatus* status_ = nullptr;
    QLabel* capsPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QLabel* scrollPane_ = nullptr;
    RowSelector* rowSelector_ = nullptr;
    // The keys of each command (AcceleratorKeys), before the menus that show them.
    QHash<int, QList<QKeySequence>> keys_;
    QHash<int, QAction*> menuActions_;
    QList<QAction*> accelerators_;
    bool closeWithoutQuestion_ = false;
    QStringList undoParents_;
    bool undoProblemTold_ = false;
};

}  // namespace kestrix
