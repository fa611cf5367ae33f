// Editing on the real canvas with pointer events: selecting, moving,
// resizing, the selection frame, the tools, double clicks, context menus, the
// undo steps each operation records, line ends across zoom, the wheel, and
// damaged labels.

#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "document/ElementMove.h"
#include "document/LabelFile.h"
#include "editor/CTaveloView.h"
#include "editor/CanvasMode.h"
#include "output/DrawLabel.h"
#include "render/CodeImageCache.h"
#include "render/RenderGeometry.h"

namespace kestrix {
namespace {

// Up to 4000, a pixel is that many dots.
class CanvasTest : public OneDotPerPixelTest {
protected:
    void Tool(int mode) { Frame().OnCommand(kCmdDrawFirst + mode); }
    LabelElement& AddPicture(int x, int y, bool selected) {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        image.save(TempPath("p.png"));
        LabelElement& e =
            Elements().emplace_back(CreatePictureElement({x, y}, TempPath("p.png").toStdU16String(), 30, 20));
        e.bSelected = selected;
        return e;
    }
};

// Presses in selection mode, at about one dot per pixel.
TEST_F(CanvasTest, ThePressSelectsTheTopmostElementUnderThePointerAlone) {
    const LabelElement text = MakeElement(kText, 0, 0, 50, 20, true);
    struct Case {
        const char* what;
        std::vector<LabelElement> elements;
        QPoint p;
        Qt::KeyboardModifiers modifiers;
        std::string selection;
        int index, handle;  // an element's nSize after the press
        Qt::CursorShape cursor;
    };
    const auto none = Qt::NoModifier, shift = Qt::ShiftModifier, control = Qt::ControlModifier;
    const auto arrow = Qt::ArrowCursor, fdiag = Qt::SizeFDiagCursor, hor = Qt::SizeHorCursor;
    const LabelElement box = MakeElement(kShape, 100, 100, 40, 40, true), frame = MakeElement(kShape, 0, 0, 100, 100),
                       inner = MakeElement(kText, 20, 20, 40, 20), slanted = MakeLine(0, 200, 100, 250),
                       left = MakeElement(kText, 0, 0, 50, 20), right = MakeElement(kText, 30, 0, 50, 20),
                       other = MakeElement(kText, 100, 0, 50, 20), far = MakeElement(kText, 300, 300, 10, 10),
                       armedBox = MakeElement(kShape, 100, 100, 40, 40, true, 7),
                       armedText = MakeElement(kText, 100, 100, 40, 40, false, 3),
                       picture = MakeElement(kPicture, 100, 100, 60, 40, true),
                       wide = MakeElement(kText, 100, 100, 60, 20, true);
    const Case cases[] = {
        {"empty area", {text, box}, {300, 300}, none, "00", 0, -1, arrow},
        {"empty area, Shift", {text, box}, {300, 300}, shift, "11", 0, -1, arrow},
        {"overlapping texts", {left, right}, {40, 10}, none, "01", 0, -1, arrow},
        {"text over a frame", {frame, inner}, {30, 25}, none, "01", 0, -1, arrow},
        {"frame's side beside the text", {frame, inner}, {99, 80}, none, "10", 0, -1, arrow},
        {"Control adds", {text, other}, {110, 10}, control, "11", 0, -1, arrow},
        {"armed handle", {far, armedBox}, {5, 5}, none, "01", 1, 7, fdiag},
        {"armed, not selected", {text, armedText}, {110, 110}, none, "01", 1, 3, hor},
        {"picture corner", {picture}, {170, 145}, none, "1", 0, 7, fdiag},
        {"text side", {wide}, {168, 106}, none, "1", 0, 4, hor},
        // Lines are hit along their stroke (HitTest's cases); Shift adds.
        {"slanted line, Shift", {slanted, text}, {40, 220}, shift, "11", 0, -1, arrow},
    };
    for (const Case& c : cases) {
        Elements() = c.elements;
        SendMouse(&Canvas(), QEvent::MouseButtonPress, c.p, Qt::LeftButton, c.modifiers);
        EXPECT_EQ(Selection(Elements()), c.selection) << c.what;
        EXPECT_EQ(Elements()[c.index].nSize, c.handle) << c.what;
        EXPECT_EQ(Canvas().cursor().shape(), c.cursor) << c.what;
        SendMouse(&Canvas(), QEvent::MouseButtonRelease, c.p, Qt::LeftButton, c.modifiers);
    }
    EXPECT_EQ(Snapshots(), 0);
}

TEST_F(CanvasTest, DragsMoveEverySelectedElementOrOneHandleOrALineEndAsOneUndoStep) {
    const auto box = [&](int i) {
        return std::array{Elements()[i].nPosX, Elements()[i].nPosY, Elements()[i].nWidth, Elements()[i].nHeight};
    };
    Elements() = {MakeElement(kShape, 10, 10, 40, 30, true), MakeElement(kBarcode, 100, 50, 120, 60, true)};
    AddPicture(60, 200, true);                        // 100 x 66 dots
    Settle();                                         // the paint places the handles
    Click(&Canvas(), {15, 39}, Qt::ControlModifier);  // a click alone records nothing
    Drag(&Canvas(), {15, 39}, {40, 54}, Qt::ControlModifier, 20);
    EXPECT_EQ(Selection(Elements()), "111");
    EXPECT_EQ((std::array{box(0)[0], box(0)[1], box(1)[0], box(1)[1], box(2)[0], box(2)[1]}),
              (std::array{35, 25, 125, 65, 85, 215}));
    EXPECT_EQ(Snapshots(), 1);
    // Hovering over a handle arms it: a press anywhere after resizes from it.
    Settle();
    const HandlePoint corner = Elements()[2].ptHandles[7];
    SendMouse(&Canvas(), QEvent::MouseMove, {corner.x + 1, corner.y + 1});
    EXPECT_EQ(Canvas().cursor().shape(), Qt::SizeFDiagCursor);
    Drag(&Canvas(), {300, 500}, {320, 510});
    EXPECT_EQ(box(2), (std::array{85, 215, 120, 76}));
    EXPECT_TRUE(Elements()[2].nSize == -1 && Snapshots() == 2);
    // A press right on the handle of a selected rectangle, without hovering first, resizes it too.
    Elements() = {MakeElement(kShape, 50, 50, 100, 60, true)};
    Drag(&Canvas(), {158, 111}, {188, 111});
    EXPECT_EQ(box(0), (std::array{50, 50, 130, 60}));
    Frame().OnCommand(kCmdUndoStep);
    EXPECT_EQ(Elements().size(), 3u) << "one step back is the label before that drag";

    // A line's end (then its start) moves alone when the pointer grabbed it.
    Elements() = {MakeLine(20, 20, 219, 19, true)};
    Drag(&Canvas(), {219, 19}, {249, 59}, Qt::NoModifier, 5);
    Drag(&Canvas(), {19, 19}, {19, 70});
    EXPECT_EQ((std::array{Elements()[0].nPosX, Elements()[0].nPosY, Elements()[0].nEndX, Elements()[0].nEndY}),
              (std::array{19, 70, 249, 59}));
    EXPECT_EQ(Canvas().ToolMode(), kSelectMode);
}

TEST_F(CanvasTest, AFrameDraggedOverEmptyLabelAreaSelectsWhatItHoldsWhole) {
    Elements() = {MakeElement(kText, 20, 20, 30, 10), MakeElement(kShape, 60, 20, 30, 30, true),
                  MakeElement(kShape, 100, 20, 300, 30)};
    Settle();
    Drag(&Canvas(), {5, 5}, {95, 60}, Qt::NoModifier, 3);  // the press deselects, the frame selects
    EXPECT_EQ(Selection(Elements()), "110");
    std::tie(Elements()[0].bSelected, Elements()[2].bSelected) = std::pair(0, 1);
    Drag(&Canvas(), {5, 60}, {95, 5}, Qt::ShiftModifier, 3);
    EXPECT_EQ(Selection(Elements()), "111");
    EXPECT_EQ(Snapshots(), 0);
}

TEST_F(CanvasTest, ToolsCreateTheirElementsSelectAsTheirKindDoesAndEachRecordsAStep) {
    for (int i = 0; i < 3; ++i) Elements().push_back(MakeElement(kText, 10 * i, 300, 10, 10, true));
    Tool(kBarcodeTool);
    EXPECT_EQ(Canvas().cursor().shape(), Qt::BitmapCursor);
    Click(&Canvas(), {40, 40});
    Tool(kCode2DTool);
    Click(&Canvas(), {40, 40});
    EXPECT_EQ(Selection(Elements()), "00001");
    EXPECT_TRUE(ElementText(Elements()[3]) == u"0123456789" && ElementText(Elements()[4]) == u"0123456789");
    // The line tool's drag pulls the end; the rectangle tool's the bottom-right corner; a click a 100-dot square.
    Tool(kLineTool);
    Drag(&Canvas(), {10, 10}, {60, 30}, Qt::NoModifier, 4);
    Tool(kRectangleTool);
    EXPECT_EQ(Canvas().cursor().shape(), Qt::CrossCursor);
    Drag(&Canvas(), {200, 100}, {260, 140}, Qt::NoModifier, 4);
    Tool(kRectangleTool);
    Click(&Canvas(), {20, 20});
    EXPECT_EQ((std::array{Elements()[5].nPosX, Elements()[5].nEndX, Elements()[5].nEndY, Elements()[6].nWidth,
                          Elements()[6].nHeight, Elements()[7].nPosX, Elements()[7].nWidth, Canvas().ToolMode()}),
              (std::array{10, 60, 30, 60, 40, 0, 100, 0}));
    // Each creation one step, with the element at its final size.
    EXPECT_EQ(Snapshots(), 5);
    // A cancelled picture records nothing; an unreadable one is explained; a picture keeps the others selected.
    Tool(kPictureTool);
    Click(&Canvas(), {30, 30});
    WriteFile(QStringLiteral("junk.png"), "not an image");
    prompts_.openName = TempPath("junk.png");
    Tool(kPictureTool);
    Click(&Canvas(), {30, 30});
    EXPECT_TRUE(Elements().size() == 8u && Snapshots() == 5 && Canvas().ToolMode() == kSelectMode);
    EXPECT_TRUE(prompts_.messages.size() == 1 && prompts_.messages[0].contains(QStringLiteral("junk.png")));
    AddPicture(5, 5, false);  // writes p.png
    prompts_.openName = TempPath("p.png");
    Tool(kPictureTool);
    Click(&Canvas(), {30, 30});
    EXPECT_EQ(Selection(Elements()).substr(7), "101");
    // Every Add command is one step too.
    for (int id : {kCmdAddText, kCmdAddBarcode, kCmdAdd2D, kCmdAddPicture}) Frame().OnCommand(id);
    EXPECT_EQ(Snapshots(), 10);
    EXPECT_EQ(ElementText(Elements()[12]), u"012345678");
}

TEST_F(CanvasTest, DoubleClickOpensTheDialogsOfTheSelectedElementsUnderThePointer) {
    Elements() = {MakeElement(kText, 10, 10, 100, 40, true), MakeElement(kBarcode, 50, 20, 203, 80, true),
                  MakeElement(kShape, 10, 10, 300, 300)};
    LabelElement& barcode = Elements()[1];
    barcode.hCache = Label().Codes().Store(CodeImage::FromFull(QImage(4, 4, QImage::Format_RGB32)));
    prompts_.text = QStringLiteral("Changed");
    prompts_.barcode = BarcodeFields{8, QStringLiteral("ABC"), 30, 20, false};
    DoubleClick(&Canvas(), QPoint(60, 30));
    // The barcode is on top there: its dialog alone.
    EXPECT_EQ(prompts_.dialogs, (QStringList{"barcode@50"}));
    EXPECT_EQ(prompts_.barcodeShown->widthMm, 25);
    EXPECT_EQ((std::array{barcode.nWidth, barcode.nHeight, barcode.nBarcodeType, barcode.bShowText}),
              (std::array{240, 160, 8, 0}));
    EXPECT_TRUE(barcode.hCache == 0 && Label().Codes().Size() == 0 && Snapshots() == 1);
    DoubleClick(&Canvas(), QPoint(20, 20));
    EXPECT_EQ(ElementText(Elements()[0]), u"Changed");
    EXPECT_EQ(Elements()[0].nWidth, 140) << "five cells of 20 dots became seven: the letters keep their shape";
    // A shape's OK is a step, opened on its outline; a cancelled dialog changes nothing; lines and empty
    // area open none.
    prompts_.dialogs.clear();
    prompts_.shapeType = 2;
    DoubleClick(&Canvas(), QPoint(200, 310));
    EXPECT_TRUE(Elements()[2].nShapeType == 2 && Snapshots() == 3);
    prompts_.text.reset();
    DoubleClick(&Canvas(), QPoint(20, 20));
    Elements().push_back(MakeElement(kLine, 100, 350, 0, 0, true));
    DoubleClick(&Canvas(), QPoint(100, 350));
    DoubleClick(&Canvas(), QPoint(390, 600));
    EXPECT_EQ(prompts_.dialogs, (QStringList{"shape@10", "text@10"}));
    EXPECT_TRUE(ElementText(Elements()[0]) == u"Changed" && Snapshots() == 3);
}

TEST_F(CanvasTest, RightButtonSelectsWhatIsUnderItAndShowsTheMenusOfTextsAndPictures) {
    AddPicture(20, 20, false);
    Elements().insert(Elements().end(), {MakeElement(kText, 30, 30, 60, 20), MakeElement(kBarcode, 25, 25, 100, 60),
                                         MakeElement(kShape, 300, 300, 10, 10, true)});
    QStringList shown;
    QString choose = QStringLiteral("Change Picture Size");
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        QStringList items;
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions()) {
            items << a->text();
            if (a->text() == choose) chosen = a;
        }
        shown << menu->title() + ": " + items.join(", ");
        if (chosen)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
        else
            menu->close();
    });
    answer.start(5);
    // The barcode on top is chosen alone; it has no menu.
    SendMouse(&Canvas(), QEvent::MouseButtonPress, QPoint(40, 35), Qt::RightButton);
    EXPECT_EQ(Selection(Elements()), "0010");
    EXPECT_TRUE(shown.isEmpty());
    prompts_.imageSize = QSize(80, 40);
    SendMouse(&Canvas(), QEvent::MouseButtonPress, QPoint(22, 22), Qt::RightButton);
    EXPECT_EQ(Selection(Elements()), "1000");
    EXPECT_EQ(shown, (QStringList{"Picture Settings: Delete Picture, Change Picture Size"}));
    EXPECT_EQ(prompts_.dialogs, QStringList{"picture@20"});
    EXPECT_EQ(Elements()[0].nWidth, 80);
    // Text Attributes opens the font chooser on the text above the picture.
    Elements().erase(Elements().begin() + 2);
    shown.clear();
    choose = QStringLiteral("Text Attributes");
    prompts_.fontHeight = -27;
    SendMouse(&Canvas(), QEvent::MouseButtonPress, QPoint(80, 45), Qt::RightButton);
    EXPECT_EQ(shown, (QStringList{"Text Attributes: Delete Text, Text Attributes"}));
    EXPECT_TRUE(Elements()[1].logFont.lfHeight == -27 && Snapshots() == 2);
    MakeFrame(UiLanguage::Chinese);
    AddPicture(20, 20, false);
    Elements().push_back(MakeElement(kText, 30, 30, 60, 20, false));
    choose = QStringLiteral("删除文字");
    shown.clear();
    SendMouse(&Canvas(), QEvent::MouseButtonPress, QPoint(40, 35), Qt::RightButton);
    Settle();
    EXPECT_EQ(shown, (QStringList{"文字属性: 删除文字, 文字属性"}));
    EXPECT_TRUE(Elements().size() == 1 && Elements()[0].nType == kPicture) << "Delete removes the text";
}

// A file holds line ends at one pixel per dot: the editor, at any zoom, prints the lines the
// command-line tool draws from the same file; zoom, paste and undo keep the ends on their dots,
// and a save writes them back as they were.
TEST_F(CanvasTest, LineEndsKeepTheirDotsAcrossZoomPasteUndoAndSave) {
    LabelDocument file{30, 40, {}, {}, {MakeLine(60, 250, 260, 250), MakeLine(20, 20, 200, 300)}};
    ASSERT_TRUE(WriteLabelFile(TempPath("lines.lab"), file, nullptr));
    RenderContext cli;
    CodeImageCache codes;
    cli.codes = &codes;
    const QImage expected = DrawLabelImage(file, 203, 203, cli);
    Frame().OpenLabelFile(TempPath("lines.lab"), true);
    ASSERT_EQ(Elements().size(), 2u);
    const auto endInDots = [&](const LabelElement& e) {
        return QPoint(qRound(e.nEndX / Canvas().ScaleX()), qRound(e.nEndY / Canvas().ScaleY()));
    };
    Elements()[1].bSelected = 1;
    Frame().OnCommand(kCmdCopy);
    for (int zoom = 0; zoom < 3; ++zoom) {
        ASSERT_NE(Canvas().ScaleX(), 1.0);
        EXPECT_EQ(Label().OutputImage(), expected) << zoom;
        // The level line is drawn level on the canvas.
        EXPECT_EQ(Elements()[0].nEndY, LinePixel(250, Canvas().ScaleY())) << zoom;
        EXPECT_EQ(endInDots(Elements()[1]), QPoint(200, 300)) << zoom;
        Frame().OnCommand(kCmdZoomIn);
    }
    Frame().OnCommand(kCmdPaste);
    EXPECT_LE((endInDots(Elements()[2]) - QPoint(210, 310)).manhattanLength(), 1) << "pasted whole, 10 dots on";
    Frame().OnCommand(kCmdUndoStep);
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_EQ(endInDots(Elements()[1]), QPoint(200, 300)) << "restored from the file written before the zoom";
    for (int i = 0; i < 9; ++i) Frame().OnCommand(kCmdZoomOut);  // under a pixel per dot
    ASSERT_TRUE(Label().Session().SaveLabel(TempPath("saved.lab")));
    LabelDocument saved;
    ASSERT_TRUE(ReadLabelFile(TempPath("saved.lab"), saved, nullptr));
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(std::pair(saved.elements[i].nEndX, saved.elements[i].nEndY),
                  std::pair(file.elements[i].nEndX, file.elements[i].nEndY));
}

TEST_F(CanvasTest, TheWheelScrollsAndWithControlZoomsAboutThePointer) {
    const QPoint at = Canvas().LabelRect().center() + QPoint(0, 40);  // in the view
    const auto wheel = [&](int dy, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(at), Frame().View()->mapToGlobal(QPointF(at)), {}, {0, dy}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Frame().View(), &event);  // where the canvas passes it on
    };
    const auto dotsUnderPointer = [&] { return (at.y() - Canvas().LabelRect().y()) / Canvas().ScaleY(); };
    const double under = dotsUnderPointer();
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(Canvas().LabelRect().width(), 500);
    EXPECT_NEAR(dotsUnderPointer(), under, 1.0) << "the label's point under the pointer stays there";
    for (int i = 0; i < 20; ++i) wheel(120, Qt::ControlModifier);
    EXPECT_EQ(Canvas().LabelRect().width(), 3200) << "8 pixels per dot at most";
    const int top = Canvas().LabelRect().y();
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(Canvas().LabelRect().y(), top - 30);
    wheel(-60, Qt::ControlModifier);
    wheel(-60, Qt::ControlModifier);  // two half notches: one step
    EXPECT_EQ(Canvas().LabelRect().width(), 2560);
}

TEST_F(CanvasTest, DamagedLabelsNeitherCrashNorHang) {
    constexpr int kMax = std::numeric_limits<int32_t>::max(), kMin = std::numeric_limits<int32_t>::min();
    for (int i = 0; i < 5000; ++i) {
        LabelElement& e = Elements().emplace_back(
            MakeElement(i % 6, (i * 7) % 400 - 50, (i * 13) % 600, i % 3 ? 40 : -30, i % 5 ? 30 : 0, i % 2));
        if (i % 97 == 0) std::tie(e.nPosX, e.nWidth, e.nEndX, e.nEscapement) = std::tuple(kMax, kMax, kMin, 900);
        if (i % 89 == 0) std::tie(e.nPosY, e.nHeight, e.nOrgHeight, e.nSize) = std::tuple(kMin, kMin, kMax, 5);
        if (i % 83 == 0)
            std::tie(e.nEndX, e.nEndY, e.nShapeType, e.nTextHeight) = std::tuple(e.nPosX, e.nPosY, 3, kMax);
        for (HandlePoint& p : e.ptHandles) p = {kMax - i, kMin + i};
    }
    Settle();
    for (QPoint p : {QPoint(5, 5), QPoint(200, 300), QPoint(399, 600)}) {
        Drag(&Canvas(), p, p + QPoint(37, -25), Qt::NoModifier, 3);
        Drag(&Canvas(), p, p + QPoint(-300, 400), Qt::ShiftModifier, 2);
        for (int key : {Qt::Key_Up, Qt::Key_Left}) Label().Commands().KeyEdit(key);
    }
    Frame().OnCommand(kCmdZoomIn);
    Settle();
    EXPECT_EQ(Elements().size(), 5000u);
}

// A picture that is there but cannot be drawn is said in the status bar, once.
TEST_F(CanvasTest, APictureLeftOffIsToldInTheStatusBar) {
    WriteFile(QStringLiteral("broken.png"), "not a picture");
    Elements().push_back(CreatePictureElement({20, 20}, TempPath("broken.png").toStdU16String(), 30, 20));
    Canvas().update();
    Settle();
    const QString told = Frame().statusBar()->currentMessage();
    EXPECT_TRUE(told.startsWith("picture " + TempPath("broken.png") + " left off: not a picture"))
        << told.toStdString();
    Frame().statusBar()->clearMessage();
    Canvas().update();
    Settle();
    EXPECT_TRUE(Frame().statusBar()->currentMessage().isEmpty()) << "not again while the file stays as it is";
}

}  // namespace
}  // namespace kestrix
