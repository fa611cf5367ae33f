// The main frame's commands end to end: New, Open, Save, Save As, the close
// question, Undo/Redo, the clipboard, Delete, keys, styles and fonts, zoom and
// the layout; its captions, menus and questions in both languages.

#include <QComboBox>
#include <QDir>
#include <QScrollBar>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "app/DrawToolBar.h"
#include "app/LockKeys.h"
#include "app/MainToolBar.h"
#include "editor/CTaveloView.h"
#include "editor/RulerBar.h"

namespace kestrix {
namespace {

TEST_F(FrameTest, NewFromCtrlNUnlessCancelledAndOpenFromCtrlO) {
    AddShape(10, 10, true);
    prompts_.saveName = TempPath("in.lab");
    ASSERT_TRUE(Frame().SaveLabel({}));
    Frame().OnCommand(kCmdNewButton);  // cancelled
    EXPECT_EQ(Elements().size(), 1u);
    LabelPath() = TempPath("in.lab");
    prompts_.newSize = QSize(40, 30);
    Key(Qt::Key_N, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(QSize(Label().LabelWidthMm(), Label().LabelHeightMm()), QSize(40, 30));
    EXPECT_TRUE(Elements().empty() && LabelPath().isEmpty() && prompts_.newDialogs == 2);
    EXPECT_EQ(QPoint(Frame().Ruler()->m_nLabelWidth, Frame().Ruler()->m_nViewWidth),
              QPoint(40, Canvas().LabelRect().width()));

    prompts_.openName = TempPath("in.lab");
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(Label().LabelWidthMm() == 50 && Elements().size() == 1u && LabelPath() == TempPath("in.lab"));
    EXPECT_TRUE(Frame().windowTitle() == "Kestrix Editor - in.lab[*]" && !Frame().isWindowModified());
}

TEST_F(FrameTest, SaveAsAddsTheExtensionWhenMissingAndAsksBeforeOverwritingSaveDoesNot) {
    AddShape(10, 10, false);
    prompts_.saveName = TempPath("plain");
    EXPECT_TRUE(Frame().SaveLabel({}) && QFileInfo(TempPath("plain.lab")).size() == 84 + 796);
    EXPECT_EQ(prompts_.filters.first(), QStringLiteral("Label Files (*.lab)"));
    prompts_.saveName = TempPath("notes.txt");
    Frame().OnCommand(kCmdSaveAs);
    EXPECT_TRUE(QFile::exists(TempPath("notes.txt")) && !QFile::exists(TempPath("notes.txt.lab")));
    EXPECT_TRUE(LabelPath() == TempPath("notes.txt") && prompts_.questions.empty());  // the label's file now

    WriteFile(QStringLiteral("taken.lab"), "old");
    prompts_.saveName = TempPath("taken");
    prompts_.answers = {false, true};
    EXPECT_FALSE(Frame().SaveLabel({}));
    EXPECT_EQ(prompts_.questions, QStringList{"The file already exists. Do you want to overwrite it?|Kestrix"});
    EXPECT_EQ(QFileInfo(TempPath("taken.lab")).size(), 3);
    EXPECT_TRUE(Frame().SaveLabel({}) && QFileInfo(TempPath("taken.lab")).size() == 84 + 796);

    LabelPath() = TempPath("opened.lab");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QFileInfo(TempPath("opened.lab")).size(), 84 + 796);
    // An empty label writes nothing and counts as saved; a cancelled dialog is no save.
    Elements().clear();
    LabelPath().clear();
    EXPECT_TRUE(Frame().SaveLabel({}));
    AddShape(10, 10, false);
    EXPECT_FALSE(Frame().SaveLabel({}));
    EXPECT_EQ(prompts_.saveDialogs, 5);
}

TEST_F(FrameTest, CloseAsksYesNoOrCancelOnlyAfterChangesSinceTheLastSave) {
    EXPECT_TRUE(Frame().close() && prompts_.questions.empty());
    Frame().show();
    Change();
    Change();
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Frame().isWindowModified());
    EXPECT_FALSE(Frame().close());          // Cancel
    prompts_.choices = {QMessageBox::Yes};  // Yes, then the save dialog is cancelled: stays open
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(prompts_.questions.last(), "The Label has not been saved, Do you want to save it?|Kestrix");
    // Yes saves through the dialog even with a label path.
    LabelPath() = TempPath("opened.lab");
    prompts_.saveName = TempPath("closing");
    prompts_.choices = {QMessageBox::Yes};
    EXPECT_TRUE(Frame().close() && QFile::exists(TempPath("closing.lab")));
    // Saved: nothing to ask. An Undo since is a change; No closes without saving, also from the menu.
    Frame().show();
    EXPECT_TRUE(Frame().close() && prompts_.questions.size() == 3);
    Frame().show();
    Frame().OnCommand(kCmdUndoStep);
    EXPECT_FALSE(Frame().close());
    Frame().OnCommand(kCmdRedoStep);
    EXPECT_TRUE(Frame().close() && prompts_.questions.size() == 4) << "back where it was saved";
    Frame().show();
    Elements()[0].bSelected = 1;
    Key(Qt::Key_Down);  // an edit without a snapshot counts too
    prompts_.choices = {QMessageBox::No};
    Frame().MenuAction(kCmdExit)->trigger();
    EXPECT_TRUE(prompts_.questions.size() == 5 && prompts_.saveDialogs == 2);
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(FrameTest, DeleteAndClipboardCommandsAndTheirEnabling) {
    const auto enabled = [&] {
        Frame().UpdateCommandUi();
        QList<bool> on;
        for (int id : {kCmdCut, kCmdCopy, kCmdPaste}) on << Frame().MenuAction(id)->isEnabled();
        return on;
    };
    for (int x : {10, 60, 90}) AddShape(x, 10, x != 60);
    Key(Qt::Key_Delete);
    Settle();
    EXPECT_TRUE(Elements().size() == 1u && Elements()[0].nPosX == 60 && Snapshots() == 1);
    Frame().OnCommand(kCmdDelete);  // nothing selected: no snapshot
    EXPECT_EQ(Snapshots(), 1);
    EXPECT_EQ(enabled(), (QList<bool>{false, false, false}));
    Elements()[0].bSelected = 1;
    EXPECT_EQ(enabled(), (QList<bool>{true, true, false}));
    // Copy, Paste, Paste: each Paste adds a copy further on.
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(Frame().MenuAction(kCmdPaste)->isEnabled());
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(Frame().MenuAction(kCmdPaste)->isEnabled());
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Elements().size(), 3u);
    EXPECT_EQ(std::pair(Elements()[2].nPosX, Elements()[2].nPosY), std::pair(80, 30));
    // Cut takes a snapshot first; Shift+Insert brings the elements back, with one more copy.
    const int before = Snapshots();
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(Elements().empty() && Snapshots() == before + 1);
    EXPECT_EQ(enabled(), (QList<bool>{false, false, true}));
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Elements().size(), 4u);
}

// The desktop's keys reach Redo, Select All and Save As, and no key has two owners; Undo and
// Redo work from the keys, the tool bar and the menu.
TEST_F(FrameTest, UndoAndRedoFromKeysToolBarAndMenuAndEachKeyHasOneOwner) {
    QHash<QKeySequence, int> owner;
    for (QAction* a : Frame().Accelerators())
        for (const QKeySequence& key : a->shortcuts()) {
            EXPECT_FALSE(owner.contains(key)) << key.toString().toStdString();
            owner.insert(key, a->data().toInt());
        }
    for (auto [key, id] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Y), kCmdRedo},
                           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), kCmdRedo},
                           {QKeySequence(Qt::CTRL | Qt::Key_A), kCmdSelectAll},
                           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), kCmdSaveAs},
                           {QKeySequence(Qt::CTRL | Qt::Key_Z), kCmdUndo}})
        EXPECT_EQ(owner.value(key), id) << key.toString().toStdString();
    for (int id : {kCmdRedo, kCmdDelete, kCmdSelectAll}) EXPECT_NE(Frame().MenuAction(id), nullptr) << id;

    Change();
    Change();
    Frame().UpdateCommandUi();
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Selection(Elements()), "11");
    QAction* undo = Frame().MenuAction(kCmdUndo);
    const auto key = [this](Qt::Key k, Qt::KeyboardModifiers m) { return [this, k, m] { Key(k, m); }; };
    const auto bar = [this](int button) {
        return [this, button] { Click(Frame().DrawBar(), DrawToolBar::PressRect(button).center()); };
    };
    const std::tuple<const char*, std::function<void()>, std::size_t, bool, bool> steps[] = {
        // what, elements after it, Undo and Redo enabled after it
        {"Ctrl+Z", key(Qt::Key_Z, Qt::ControlModifier), 1, true, true},
        {"Ctrl+Y", key(Qt::Key_Y, Qt::ControlModifier), 2, true, false},
        {"the tool bar's Undo", bar(7), 1, true, true},
        {"the menu's Undo, posted as the tool bar's; at number 0 with no file the label is empty",
         [&] {
             undo->trigger();
             EXPECT_EQ(Elements().size(), 1u);
         },
         0, false, true},
        {"the tool bar's Redo", bar(8), 1, true, true},
        {"Ctrl+Shift+Z", key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), 2, true, false},
        {"Redo past the last snapshot", [this] { Frame().OnCommand(kCmdRedoStep); }, 2, true, false},
    };
    for (const auto& [what, act, count, undoable, redoable] : steps) {
        act();
        Settle();
        EXPECT_EQ(Elements().size(), count) << what;
        EXPECT_EQ(std::pair(undo->isEnabled(), Frame().MenuAction(kCmdRedo)->isEnabled()),
                  std::pair(undoable, redoable))
            << what;
    }
}

TEST_F(FrameTest, KeysNudgeTheFirstSelectedElementAndStylesAndFontsReachEverySelectedOne) {
    Elements() = {MakeElement(kShape, 10, 0, 40, 30), MakeElement(kShape, 60, 0, 40, 30, true),
                  MakeLine(0, 0, 50, 50, true), MakeElement(kText, 0, 0, 50, 20, true)};
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}) Key(key);
    EXPECT_EQ(QPoint(Elements()[1].nPosX, Elements()[1].nPosY), QPoint(61, 2)) << "up to -1, down without limit";
    EXPECT_EQ(Elements()[2].nEndY, 50);
    LogFont& font = Elements()[1].logFont;
    font.lfWeight = 700;
    Frame().OnCommand(kCmdBold);
    EXPECT_EQ(font.lfWeight, 900);
    Frame().OnCommand(kCmdBold);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(Snapshots(), 7) << "each press that moved, and each Bold, one step";
    // An inert mode: the next click changes nothing and returns to selection.
    Click(&Canvas(), {200, 200});
    EXPECT_TRUE(Selection(Elements()) == "0111" && Canvas().ToolMode() == 0 && Snapshots() == 7);

    // A size chosen with a face: posted, applied once the notification returned, one snapshot.
    QComboBox* faces = Frame().DrawBar()->FaceList();
    faces->addItem(QStringLiteral("Test Face"), QStringLiteral("Test Face"));
    faces->setCurrentIndex(faces->count() - 1);
    Settle();
    const int before = Snapshots();
    Frame().DrawBar()->SizeList()->setCurrentText(QStringLiteral("36"));
    EXPECT_NE(font.lfHeight, 36);
    Settle();
    EXPECT_EQ(Snapshots(), before + 1);
    Frame().OnCommand(kCmdBold);
    Frame().OnCommand(kCmdBold + 2);  // Underline
    EXPECT_EQ(Snapshots(), before + 3);
    for (const LabelElement& e : Elements()) {
        const LogFont& f = e.logFont;
        EXPECT_EQ(f.lfHeight == 36 && f.lfWidth == 0 && FaceName(f) == u"Test Face" && f.lfWeight == 900 &&
                      f.lfUnderline == 1,
                  e.bSelected != 0)
            << e.nType;
    }
    // The text shows the size: 36 points at 203 dpi, its letters keeping their shape.
    const LabelElement& text = Elements().back();
    EXPECT_EQ(std::tuple(text.nType, text.nWidth, text.nHeight), std::tuple(int32_t{kText}, 255, 102));
    faces->setCurrentIndex(-1);  // no face selected: nothing is applied
    Frame().DrawBar()->SizeList()->setCurrentText(QStringLiteral("48"));
    Settle();
    EXPECT_EQ(font.lfHeight, 36);
}

TEST_F(FrameTest, LayoutFollowsTheFrameSizeAndZoomButtonsResizeTheCanvas) {
    Frame().resize(1200, 760);
    Settle();
    const int w = Frame().centralWidget()->width();
    EXPECT_EQ(Frame().View()->geometry(), QRect(24, 108, w - 24, Frame().View()->height()));
    // The ruler is an L: its two bands, not the area they frame.
    const QRegion mask = Frame().Ruler()->mask();
    EXPECT_TRUE(mask.contains(QPoint(600, 10)) && mask.contains(QPoint(10, 400)) && !mask.contains(QPoint(30, 30)));
    // The canvas stays centred in the view, and the ruler's zero on its corner.
    const QRect canvas = Canvas().LabelRect();
    const QSize gap = Frame().View()->size() - canvas.size();
    EXPECT_EQ(canvas.topLeft(), QPoint(gap.width() / 2, gap.height() / 2));
    EXPECT_EQ(QPoint(Frame().Ruler()->m_nOriginX, Frame().Ruler()->m_nOriginY), canvas.topLeft());

    Click(Frame().MainBar(), MainToolBar::HoverRect(7).center());  // Zoom In
    Settle();
    EXPECT_EQ(Canvas().LabelRect().width(), qRound(canvas.width() * 1.25));
    EXPECT_EQ(Frame().Ruler()->m_nViewWidth, Canvas().LabelRect().width());
    for (int i = 0; i < 40; ++i) Frame().OnCommand(kCmdZoomIn);
    // Larger than the view: scroll bars appear and scroll the canvas and the ruler.
    QScrollBar* vertical = Frame().View()->VerticalBar();
    ASSERT_TRUE(vertical->isVisible());
    // They run over the label and the margin around it; the ruler's zero stays on the label's edge.
    EXPECT_EQ(vertical->maximum(), Canvas().LabelRect().height() + 2 * kCanvasMargin - Frame().View()->height());
    vertical->setValue(kCanvasMargin + 10);
    EXPECT_EQ(QPoint(Canvas().LabelRect().y(), Frame().Ruler()->m_nOriginY), QPoint(-10, -10));
    for (int i = 0; i < 80; ++i) Frame().OnCommand(kCmdZoomOut);
    EXPECT_EQ(Canvas().LabelRect().width(), 100);
    EXPECT_FALSE(vertical->isVisible() || Frame().View()->HorizontalBar()->isVisible());
}

TEST_F(FrameTest, MenusAndQuestionsInBothLanguages) {
    EXPECT_EQ(Frame().MenuAction(kCmdUndo)->text(), "&Undo\tCtrl+Z");
    // Only Chinese (China) is shown in Chinese.
    for (const char* name : {"zh_TW", "zh_HK", "en_US", "de_DE"})
        EXPECT_EQ(LanguageForLocale(QLocale(QString::fromLatin1(name))), UiLanguage::English) << name;
    EXPECT_EQ(LanguageForLocale(QLocale(QStringLiteral("zh_CN"))), UiLanguage::Chinese);

    MakeFrame(UiLanguage::Chinese);
    EXPECT_EQ(Frame().windowTitle() + Frame().MenuAction(kCmdUndo)->text(),
              "Kestrix Editor - 无标题[*]撤消(&U)\tCtrl+Z");
    Change();
    WriteFile(QStringLiteral("taken.lab"), {});
    prompts_.saveName = TempPath("taken.lab");
    prompts_.choices = {QMessageBox::Yes};
    prompts_.answers = {false};
    Frame().close();
    EXPECT_EQ(prompts_.questions, (QStringList{"所修改的标签还没有保存，是否要保存？|Dravel标签编辑器",
                                               "标签文件已经存在，是否覆盖？|Dravel标签编辑器"}));
    EXPECT_EQ(prompts_.filters.first(), QStringLiteral("标签文件(*.lab)"));
    // The overwrite was refused, so the window stays open.
    EXPECT_TRUE(Frame().isVisible());
    // Why a label was refused is told in the interface's language too.
    WriteFile(QStringLiteral("bad.lab"), "no label");
    Frame().OpenLabelFile(TempPath("bad.lab"), true);
    EXPECT_EQ(prompts_.messages, QStringList{"无法打开标签文件 " + TempPath("bad.lab") +
                                             "：\n这不是标签文件：开头的尺寸不是两个数字。|Dravel标签编辑器"});
}

TEST(LockKeys, OnWhenAnyKeyboardShowsIt) {
    QTemporaryDir leds;
    for (const QString led : {"input3::capslock/1", "input3::numlock/0", "input7::numlock/1"}) {
        QFile file(leds.filePath(led.section('/', 0, 0) + "/brightness"));
        ASSERT_TRUE(QDir(leds.path()).mkpath(led.section('/', 0, 0)) && file.open(QIODevice::WriteOnly));
        file.write(led.section('/', 1).toLatin1() + '\n');
    }
    const auto on = [&](const char* key) { return LockKeyOn(QString::fromLatin1(key), leds.path()); };
    EXPECT_EQ((QList<bool>{on("capslock"), on("numlock"), on("scrolllock")}), (QList<bool>{true, true, false}));
}

}  // namespace
}  // namespace kestrix
