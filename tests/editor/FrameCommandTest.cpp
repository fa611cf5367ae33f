// The main frame's commands end to end: New, Open, Save, Save As, the close
// question, Undo/Redo, the clipboard and its enabling, Delete and zoom.

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>

#include "FrameFixture.h"
#include "app/DrawToolBar.h"
#include "app/MainToolBar.h"
#include "app/CommandIds.h"
#include "document/LabelFile.h"
#include "editor/CTaveloView.h"
#include "editor/RulerBar.h"

namespace kestrix {
namespace {

TEST_F(FrameTest, CtrlNShowsTheNewLabelDialogAndResetsTheLabel) {
    AddShape(10, 10, true);
    Canvas().Session().Document().labelPath = TempPath("old.lab");
    prompts_.newSize = QSize(40, 30);
    Key(Qt::Key_N, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(prompts_.newDialogs, 1);
    EXPECT_EQ(Canvas().LabelWidthMm(), 40);
    EXPECT_EQ(Canvas().LabelHeightMm(), 30);
    EXPECT_TRUE(Elements().empty());
    EXPECT_TRUE(Canvas().Session().Document().labelPath.isEmpty());
    // The ruler follows the new layout.
    EXPECT_EQ(Frame().Ruler()->m_nLabelWidth, 40);
    EXPECT_EQ(Frame().Ruler()->m_nViewWidth, Canvas().width());
}

TEST_F(FrameTest, CancelledNewLabelChangesNothing) {
    AddShape(10, 10, true);
    Frame().OnCommand(kCmdNewButton);
    EXPECT_EQ(prompts_.newDialogs, 1);
    EXPECT_EQ(Elements().size(), 1u);
    EXPECT_EQ(Canvas().LabelWidthMm(), 50);
}

TEST_F(FrameTest, SaveAsAppendsTheExtensionOnlyWhenThereIsNone) {
    AddShape(10, 10, false);
    prompts_.saveName = TempPath("plain");
    EXPECT_TRUE(Frame().SaveLabel({}));
    EXPECT_TRUE(QFile::exists(TempPath("plain.lab")));
    EXPECT_EQ(QFileInfo(TempPath("plain.lab")).size(), 84 + 796);
    prompts_.saveName = TempPath("notes.txt");
    Frame().OnCommand(kCmdSaveAs);
    EXPECT_TRUE(QFile::exists(TempPath("notes.txt")));
    EXPECT_FALSE(QFile::exists(TempPath("notes.txt.lab")));
    EXPECT_EQ(prompts_.filters.first(), QStringLiteral("Lable Files(*.lab)"));
    // Save never changes the label's path.
    EXPECT_TRUE(Canvas().Session().Document().labelPath.isEmpty());
    EXPECT_TRUE(prompts_.questions.empty());
}

TEST_F(FrameTest, SaveAsAsksBeforeOverwriting) {
    AddShape(10, 10, false);
    QFile old(TempPath("taken.lab"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    prompts_.saveName = TempPath("taken");
    prompts_.answers = {false};
    EXPECT_FALSE(Frame().SaveLabel({}));
    ASSERT_EQ(prompts_.questions.size(), 1u);
    EXPECT_EQ(prompts_.questions[0].text, QStringLiteral("The file already exists. Do you want to overwrite it?"));
    EXPECT_EQ(prompts_.questions[0].caption, QStringLiteral("Kestrix"));
    EXPECT_EQ(QFileInfo(TempPath("taken.lab")).size(), 3);
    prompts_.answers = {true};
    EXPECT_TRUE(Frame().SaveLabel({}));
    EXPECT_EQ(QFileInfo(TempPath("taken.lab")).size(), 84 + 796);
}

TEST_F(FrameTest, SaveWritesToTheOpenedPathWithoutAsking) {
    AddShape(10, 10, false);
    Canvas().Session().Document().labelPath = TempPath("opened.lab");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompts_.saveDialogs, 0);
    EXPECT_TRUE(QFile::exists(TempPath("opened.lab")));
    // An empty label writes nothing and counts as saved.
    Elements().clear();
    Canvas().Session().Document().labelPath.clear();
    EXPECT_TRUE(Frame().SaveLabel({}));
    EXPECT_EQ(prompts_.saveDialogs, 0);
    // A cancelled dialog is not a save.
    AddShape(10, 10, false);
    EXPECT_FALSE(Frame().SaveLabel({}));
    EXPECT_EQ(prompts_.saveDialogs, 1);
}

TEST_F(FrameTest, OpenReplacesTheLabelAndRefusesDamagedFiles) {
    LabelDocument doc;
    doc.widthMm = 30;
    doc.heightMm = 20;
    doc.elements.push_back(CreateElement(kBarcode, {5, 5}, u"12345"));
    ASSERT_TRUE(WriteLabelFile(TempPath("in.lab"), doc, nullptr));
    prompts_.openName = TempPath("in.lab");
    Frame().OnCommand(kCmdOpenLabel);
    EXPECT_EQ(prompts_.filters.first(), QStringLiteral("Lable Files(*.lab)"));
    EXPECT_EQ(Canvas().LabelWidthMm(), 30);
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(Canvas().Session().Document().labelPath, TempPath("in.lab"));
    EXPECT_TRUE(prompts_.messages.empty());

    QFile bad(TempPath("bad.lab"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a label at all, nothing like one");
    bad.close();
    Frame().OpenLabelFile(TempPath("bad.lab"), true);
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_TRUE(prompts_.messages[0].text.contains(QStringLiteral("bad.lab")));
    EXPECT_EQ(Canvas().LabelWidthMm(), 30);
    EXPECT_EQ(Elements().size(), 1u);
}

TEST_F(FrameTest, CtrlOLeavesTheLabelAlone) {
    AddShape(10, 10, false);
    prompts_.openName = TempPath("other.lab");
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(prompts_.openDialogs, 1);
    EXPECT_EQ(Elements().size(), 1u);
    EXPECT_TRUE(Canvas().Session().Document().labelPath.isEmpty());
}

class CloseQuestionTest : public FrameTest {
protected:
    bool TryClose() {
        QCloseEvent event;
        QApplication::sendEvent(&Frame(), &event);
        return event.isAccepted();
    }
    void MakeChange() {
        AddShape(10, 10, false);
        Canvas().Session().TakeSnapshot();
    }
};

TEST_F(CloseQuestionTest, NoQuestionWithoutChanges) {
    EXPECT_TRUE(TryClose());
    EXPECT_TRUE(prompts_.questions.empty());
}

TEST_F(CloseQuestionTest, NoClosesWithoutSaving) {
    MakeChange();
    prompts_.answers = {false};
    EXPECT_TRUE(TryClose());
    ASSERT_EQ(prompts_.questions.size(), 1u);
    EXPECT_EQ(prompts_.questions[0].text, QStringLiteral("The Label has not been saved, Do you want to save it?"));
    EXPECT_EQ(prompts_.questions[0].caption, QStringLiteral("Label Editor"));
    EXPECT_EQ(prompts_.saveDialogs, 0);
}

TEST_F(CloseQuestionTest, YesWithACancelledSaveStaysOpen) {
    MakeChange();
    prompts_.answers = {true};
    EXPECT_FALSE(TryClose());
    EXPECT_EQ(prompts_.saveDialogs, 1);
}

TEST_F(CloseQuestionTest, YesSavesAsAndClosesAndAsksAgainAfterASave) {
    MakeChange();
    Canvas().Session().Document().labelPath = TempPath("opened.lab");
    prompts_.saveName = TempPath("closing");
    prompts_.answers = {true};
    // Even with a label path, the question's save always shows the dialog.
    EXPECT_TRUE(TryClose());
    EXPECT_EQ(prompts_.saveDialogs, 1);
    EXPECT_TRUE(QFile::exists(TempPath("closing.lab")));
    prompts_.answers = {false};
    EXPECT_TRUE(TryClose());
    EXPECT_EQ(prompts_.questions.size(), 2u);
}

TEST_F(FrameTest, UndoAndRedoThroughTheToolBarAndTheMenu) {
    AddShape(10, 10, false);
    Canvas().Session().TakeSnapshot();  // 1: {A}
    AddShape(60, 10, false);
    Canvas().Session().TakeSnapshot();  // 2: {A, B}
    QAction* undo = Frame().MenuAction(kCmdUndo);
    Frame().UpdateCommandUi();
    EXPECT_TRUE(undo->isEnabled());

    Click(Frame().DrawBar(), {43 * 7 + 16 + 20, 20});  // Undo button
    Settle();
    EXPECT_EQ(Elements().size(), 1u);
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotPos(), 1);

    // The menu's Undo is posted as the tool bar's Undo; at number 0 with no
    // file open the label is empty.
    undo->trigger();
    EXPECT_EQ(Elements().size(), 1u);
    Settle();
    EXPECT_TRUE(Elements().empty());
    EXPECT_FALSE(undo->isEnabled());

    Click(Frame().DrawBar(), {43 * 8 + 16 + 20, 20});  // Redo button
    Settle();
    EXPECT_EQ(Elements().size(), 1u);
    Frame().OnCommand(kCmdRedoStep);
    EXPECT_EQ(Elements().size(), 2u);
    Frame().OnCommand(kCmdRedoStep);
    EXPECT_EQ(Elements().size(), 2u);
}

TEST_F(FrameTest, ClipboardCommandsAndTheirEnabling) {
    QAction* cut = Frame().MenuAction(kCmdCut);
    QAction* copy = Frame().MenuAction(kCmdCopy);
    QAction* paste = Frame().MenuAction(kCmdPaste);
    AddShape(10, 10, false);
    Frame().UpdateCommandUi();
    EXPECT_FALSE(cut->isEnabled());
    EXPECT_FALSE(copy->isEnabled());
    EXPECT_FALSE(paste->isEnabled());

    Elements()[0].bSelected = 1;
    Frame().UpdateCommandUi();
    EXPECT_TRUE(cut->isEnabled());
    EXPECT_TRUE(copy->isEnabled());

    // Copy, Paste, Paste: the second Paste is disabled and does nothing.
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(paste->isEnabled());
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_EQ(Elements()[1].nPosX, 20);
    EXPECT_FALSE(paste->isEnabled());
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Elements().size(), 2u);

    // Cut takes a snapshot first, then Shift+Insert brings the elements back in place.
    const int before = Canvas().Session().Undo().nSnapshotCount();
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(Elements().empty());
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), before + 1);
    EXPECT_FALSE(cut->isEnabled());
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_EQ(Elements()[0].nPosX, 10);
}

TEST_F(FrameTest, DeleteKeyDeletesTheSelectionAndTakesOneSnapshot) {
    AddShape(10, 10, true);
    AddShape(60, 10, false);
    AddShape(90, 10, true);
    Key(Qt::Key_Delete);
    Settle();
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(Elements()[0].nPosX, 60);
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), 1);
    // Nothing selected: nothing deleted, no snapshot.
    Frame().OnCommand(kCmdDelete);
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), 1);
}

TEST_F(FrameTest, ArrowKeysNudgeTheFirstSelectedElement) {
    AddShape(10, 0, true);
    Key(Qt::Key_Right);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(Elements()[0].nPosX, 11);
    EXPECT_EQ(Elements()[0].nPosY, -1);
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), 0);
}

TEST_F(FrameTest, ZoomButtonsGrowAndShrinkTheCanvas) {
    const QSize start = Canvas().size();
    Click(Frame().MainBar(), {43 * 7 + 16 + 16 + 20, 20});  // Zoom In
    Settle();
    EXPECT_EQ(Canvas().width(), start.width() + 30);
    EXPECT_EQ(Canvas().height(), start.height() + start.height() * 30 / start.width());
    EXPECT_EQ(Frame().Ruler()->m_nViewWidth, start.width() + 30);
    for (int i = 0; i < 40; ++i) Frame().OnCommand(kCmdZoomIn);
    // Larger than the view: scroll bars appear and scroll the canvas.
    QScrollBar* vertical = Frame().View()->VerticalBar();
    ASSERT_TRUE(vertical->isVisible());
    EXPECT_EQ(vertical->maximum(), Canvas().height() - Frame().View()->height());
    vertical->setValue(25);
    EXPECT_EQ(Canvas().y(), -25);
    // Only the part on screen is drawn, however large the canvas.
    const QImage shown = Frame().View()->grab().toImage();
    EXPECT_EQ(shown.size(), Frame().View()->size());
    EXPECT_EQ(Frame().Ruler()->m_nOriginY, -25);
    for (int i = 0; i < 80; ++i) Frame().OnCommand(kCmdZoomOut);
    EXPECT_EQ(Canvas().width(), 100);
    EXPECT_FALSE(vertical->isVisible());
    EXPECT_FALSE(Frame().View()->HorizontalBar()->isVisible());
}

TEST_F(FrameTest, ClicksSelectTheTopmostElement) {
    const double sx = Canvas().ScaleX();
    const double sy = Canvas().ScaleY();
    AddShape(10, 10, false);
    AddShape(20, 20, false);  // overlaps the first from (20, 20) to (50, 40)
    const QPoint overlap(static_cast<int>(30 * sx), static_cast<int>(30 * sy));
    Click(&Canvas(), overlap);
    EXPECT_FALSE(Elements()[0].bSelected);
    EXPECT_TRUE(Elements()[1].bSelected);
    Click(&Canvas(), QPoint(static_cast<int>(12 * sx), static_cast<int>(12 * sy)), Qt::ControlModifier);
    EXPECT_TRUE(Elements()[0].bSelected);
    EXPECT_TRUE(Elements()[1].bSelected);
    Click(&Canvas(), QPoint(Canvas().width() - 2, Canvas().height() - 2));
    EXPECT_FALSE(Elements()[0].bSelected);
    EXPECT_FALSE(Elements()[1].bSelected);
}

TEST_F(FrameTest, StyleButtonsAndTheFontChoiceChangeSelectedElements) {
    AddShape(10, 10, true);
    Elements()[0].logFont.lfWeight = 700;
    Frame().OnCommand(kCmdBold);
    EXPECT_EQ(Elements()[0].logFont.lfWeight, 900);
    EXPECT_EQ(Canvas().ToolMode(), 11);
    Frame().OnCommand(kCmdBold);
    EXPECT_EQ(Elements()[0].logFont.lfWeight, 400);
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), 0);

    // An inert mode: the next click only records the label and returns to selection.
    Click(&Canvas(), {2, 2});
    EXPECT_TRUE(Elements()[0].bSelected);
    EXPECT_EQ(Canvas().ToolMode(), 0);
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), 1);

    DrawToolBar* bar = Frame().DrawBar();
    bar->FaceList()->addItem(QStringLiteral("Test Face"));
    bar->FaceList()->setCurrentIndex(bar->FaceList()->count() - 1);
    bar->SizeList()->setCurrentIndex(bar->SizeList()->findText(QStringLiteral("36")));
    // Posted: applied once the notification has returned.
    EXPECT_NE(Elements()[0].logFont.lfHeight, 36);
    Settle();
    EXPECT_EQ(Elements()[0].logFont.lfHeight, 36);
    EXPECT_EQ(Elements()[0].logFont.lfWidth, 0);
    EXPECT_EQ(FaceName(Elements()[0].logFont), u"Test Face");
    EXPECT_GE(Canvas().Session().Undo().nSnapshotCount(), 2);
}

TEST_F(FrameTest, DirectPrintWithoutAPrinterSaysSoAndEmptiesTheQueue) {
    if (QDir(QStringLiteral("/sys/class/usbmisc")).entryList({QStringLiteral("lp*")}, QDir::AllEntries).size() > 0)
        GTEST_SKIP() << "a USB printer is attached";
    AddShape(10, 10, false);
    Canvas().BatchQueue() << TempPath("queued.lab");
    Frame().MenuAction(kCmdDirectPrint)->trigger();
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, QStringLiteral("Printer not connected!"));
    EXPECT_EQ(prompts_.messages[0].caption, QStringLiteral("Vantic"));
    EXPECT_TRUE(Canvas().BatchQueue().isEmpty());
}

TEST_F(FrameTest, AboutAndExit) {
    Frame().MenuAction(kCmdAbout)->trigger();
    EXPECT_EQ(prompts_.aboutBoxes, 1);
    AddShape(10, 10, false);
    Canvas().Session().TakeSnapshot();
    prompts_.answers = {false};
    Frame().MenuAction(kCmdExit)->trigger();
    EXPECT_EQ(prompts_.questions.size(), 1u);
    EXPECT_FALSE(Frame().isVisible());
}

}  // namespace
}  // namespace kestrix

namespace kestrix {
namespace {

TEST_F(FrameTest, ToolButtonsSetTheModeAndItsCursor) {
    Frame().OnCommand(101);
    EXPECT_EQ(Canvas().ToolMode(), 1);
    EXPECT_EQ(Canvas().cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(Canvas().cursor().hotSpot(), QPoint(7, 7));
    Frame().OnCommand(106);
    EXPECT_EQ(Canvas().cursor().shape(), Qt::CrossCursor);
    // The inert modes leave the cursor as it is.
    Frame().OnCommand(114);
    EXPECT_EQ(Canvas().ToolMode(), 14);
    EXPECT_EQ(Canvas().cursor().shape(), Qt::CrossCursor);
    Click(&Canvas(), {5, 5});
    EXPECT_EQ(Canvas().ToolMode(), 0);
    EXPECT_EQ(Canvas().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FrameTest, ToolClicksCreateElementsAndTakeSnapshots) {
    Frame().OnCommand(103);  // barcode tool
    Click(&Canvas(), {40, 40});
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(Elements()[0].nType, kBarcode);
    EXPECT_EQ(ElementText(Elements()[0]), u"0123456789");
    EXPECT_EQ(Elements()[0].nPosX, static_cast<int>(40 / Canvas().ScaleX()));
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), 1);
    // A rectangle click without a drag is a 100-dot square about the point.
    Frame().OnCommand(106);
    const QPoint at(200, 200);
    Click(&Canvas(), at);
    ASSERT_EQ(Elements().size(), 2u);
    const LabelElement& square = Elements()[1];
    EXPECT_EQ(square.nWidth, 100);
    EXPECT_EQ(square.nPosX, static_cast<int>(at.x() / Canvas().ScaleX()) - 50);
    EXPECT_FALSE(Elements()[0].bSelected);
    EXPECT_EQ(Canvas().ToolMode(), 0);
}

}  // namespace
}  // namespace kestrix

namespace kestrix {
namespace {

TEST_F(FrameTest, AddCommandsAndThePictureTool) {
    AddShape(10, 10, true);
    Frame().OnCommand(kCmdAddBarcode);
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), 1);  // taken before the barcode
    EXPECT_FALSE(Elements()[0].bSelected);
    Frame().OnCommand(kCmdAdd2D);
    EXPECT_EQ(ElementText(Elements()[2]), u"012345678");
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), 1);

    // A picture keeps the others selected; its height follows the image.
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(TempPath("p.png")));
    prompts_.openName = TempPath("p.png");
    Frame().OnCommand(104);
    Click(&Canvas(), {20, 30});
    ASSERT_EQ(Elements().size(), 4u);
    const LabelElement& picture = Elements()[3];
    EXPECT_EQ(picture.nType, kPicture);
    EXPECT_EQ(picture.nWidth, 100);
    EXPECT_EQ(picture.nHeight, 66);
    EXPECT_EQ(picture.nSrcWidth, 300);
    EXPECT_TRUE(Elements()[2].bSelected);
    EXPECT_EQ(Canvas().ToolMode(), 0);

    // A file that is no picture is refused with a message; the click still records the label.
    QFile junk(TempPath("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an image");
    junk.close();
    prompts_.openName = TempPath("junk.png");
    const int before = Canvas().Session().Undo().nSnapshotCount();
    Frame().OnCommand(104);
    Click(&Canvas(), {20, 30});
    EXPECT_EQ(Elements().size(), 4u);
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_TRUE(prompts_.messages[0].text.contains(QStringLiteral("junk.png")));
    EXPECT_EQ(Canvas().Session().Undo().nSnapshotCount(), before + 1);
}

}  // namespace
}  // namespace kestrix

namespace kestrix {
namespace {

TEST_F(FrameTest, LayoutFollowsTheFrameSize) {
    Frame().resize(1200, 760);
    Settle();
    const int w = Frame().centralWidget()->width();
    EXPECT_EQ(Frame().MainBar()->geometry(), QRect(0, 0, w, 42));
    EXPECT_EQ(Frame().DrawBar()->geometry(), QRect(0, 42, w, 42));
    EXPECT_EQ(Frame().Ruler()->geometry().topLeft(), QPoint(0, 84));
    EXPECT_EQ(Frame().View()->geometry().topLeft(), QPoint(24, 108));
    EXPECT_EQ(Frame().View()->width(), w - 24);
    // The ruler is an L: its two bands, not the area they frame.
    const QRegion mask = Frame().Ruler()->mask();
    EXPECT_TRUE(mask.contains(QPoint(5, 5)));
    EXPECT_TRUE(mask.contains(QPoint(600, 10)));
    EXPECT_TRUE(mask.contains(QPoint(10, 400)));
    EXPECT_FALSE(mask.contains(QPoint(30, 30)));
    // The canvas stays centred in the view, and the ruler's zero on its corner.
    const QRect canvas = Canvas().geometry();
    const QSize view = Frame().View()->size();
    EXPECT_EQ(canvas.left(), (view.width() - canvas.width()) / 2);
    EXPECT_EQ(canvas.top(), (view.height() - canvas.height()) / 2);
    EXPECT_EQ(Frame().Ruler()->m_nOriginX, canvas.left());
    EXPECT_EQ(Frame().Ruler()->m_nOriginY, canvas.top());
}

}  // namespace
}  // namespace kestrix

#include "app/LockKeys.h"

namespace kestrix {
namespace {

TEST(LockKeys, ReadFromTheKeyboardLeds) {
    QTemporaryDir leds;
    const auto led = [&](const QString& name, const char* brightness) {
        QDir(leds.path()).mkpath(name);
        QFile file(leds.filePath(name + QStringLiteral("/brightness")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(brightness);
    };
    led(QStringLiteral("input3::capslock"), "1\n");
    led(QStringLiteral("input3::numlock"), "0\n");
    led(QStringLiteral("input7::numlock"), "1\n");
    EXPECT_TRUE(LockKeyOn(QStringLiteral("capslock"), leds.path()));
    EXPECT_TRUE(LockKeyOn(QStringLiteral("numlock"), leds.path()));
    EXPECT_FALSE(LockKeyOn(QStringLiteral("scrolllock"), leds.path()));
    EXPECT_FALSE(LockKeyOn(QStringLiteral("capslock"), leds.filePath(QStringLiteral("missing"))));
}

}  // namespace
}  // namespace kestrix
