// Editing on the real canvas with pointer and key events: selecting, moving,
// resizing, the selection frame, the tools, double clicks, context menus, the
// undo steps each operation records, line ends across zoom, the wheel, and
// damaged labels.

#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "editor/CTaveloView.h"
#include "editor/CanvasMode.h"
#include "render/RenderGeometry.h"

namespace kestrix {
namespace {

class CanvasTest : public FrameTest {
protected:
    // Room for one pixel per dot (less the truncation): up to 4000, a pixel is that many dots.
    void SetUp() override {
        FrameTest::SetUp();
        Frame().resize(1000, 900);
        Settle();
        Canvas().FitCanvasToFrame(50, 80);
        ASSERT_EQ(Canvas().width(), 400);
    }
    void Tool(int mode) { Frame().OnCommand(kCmdDrawFirst + mode); }
    // Canvas pixels of a point in dots.
    QPoint At(int x, int y) { return {TruncToInt(x * Canvas().ScaleX()), TruncToInt(y * Canvas().ScaleY())}; }
    LabelElement& Add(int32_t type, int x, int y, int w, int h, bool selected) {
        LabelElement& e = Elements().emplace_back(CreateElement(type, {x, y}, u"12345"));
        std::tie(e.nWidth, e.nHeight, e.nOrgWidth, e.nOrgHeight, e.nSize, e.bSelected) =
            std::tuple(w, h, w, h, -1, selected);
        return e;
    }
    LabelElement& AddPicture(int x, int y, bool selected) {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        image.save(TempPath("p.png"));
        LabelElement& e = Elements().emplace_back(CreatePictureElement({x, y}, TempPath("p.png").toStdU16String(), 30, 20));
        e.bSelected = selected;
        return e;
    }
    std::string Selection() {
        std::string bits;
        for (const LabelElement& e : Elements()) bits += e.bSelected ? '1' : '0';
        return bits;
    }
    void DoubleClick(QPoint p) { SendMouse(&Canvas(), QEvent::MouseButtonDblClick, p, Qt::LeftButton); }
};

TEST_F(CanvasTest, DraggingMovesEverySelectedElementFromItsOwnStartAsOneUndoStep) {
    Add(kShape, 10, 10, 40, 30, true);
    Add(kBarcode, 100, 50, 120, 60, true);
    Add(kCode2D, 60, 200, 50, 50, true);
    Click(&Canvas(), At(15, 15), Qt::ControlModifier);  // a click alone records nothing
    EXPECT_EQ(Snapshots(), 0);
    Drag(&Canvas(), At(15, 15), At(15, 15) + QPoint(25, 15), Qt::ControlModifier, 20);
    EXPECT_EQ(Selection(), "111");
    for (auto [x, y] : {std::pair{35, 25}, {125, 65}, {85, 215}})
        EXPECT_TRUE(std::any_of(Elements().begin(), Elements().end(), [&](auto& e) { return e.nPosX == x && e.nPosY == y; }))
            << x << "," << y;
    EXPECT_EQ(Snapshots(), 1);
    Frame().OnCommand(kCmdUndoStep);
    EXPECT_TRUE(Elements().empty()) << "one step back is the label before the drag";
}

TEST_F(CanvasTest, HandlesResizeByHoverOrPressAndLineEndsMoveAlone) {
    AddPicture(100, 100, true);  // 100 x 66 dots
    Settle();                    // the paint places the handles
    const HandlePoint corner = Elements()[0].ptHandles[7];
    SendMouse(&Canvas(), QEvent::MouseMove, {corner.x + 1, corner.y + 1});
    EXPECT_EQ(Canvas().cursor().shape(), Qt::SizeFDiagCursor);
    // Armed by hovering: a press anywhere else resizes from that handle.
    Drag(&Canvas(), At(300, 400), At(300, 400) + QPoint(20, 10));
    EXPECT_EQ((std::array{Elements()[0].nPosX, Elements()[0].nWidth, Elements()[0].nHeight}), (std::array{100, 120, 76}));
    EXPECT_TRUE(Elements()[0].bSelected && Elements()[0].nSize == -1 && Snapshots() == 1);

    // A press right on a selected rectangle's handle resizes it, without hovering first.
    Elements().clear();
    Add(kShape, 50, 50, 100, 60, true);
    SendMouse(&Canvas(), QEvent::MouseButtonPress, At(50, 50) + QPoint(100 + 8, 62), Qt::LeftButton);
    SendMouse(&Canvas(), QEvent::MouseMove, At(50, 50) + QPoint(100 + 8 + 30, 62), Qt::LeftButton);
    SendMouse(&Canvas(), QEvent::MouseButtonRelease, At(50, 50) + QPoint(100 + 8 + 30, 62), Qt::LeftButton);
    EXPECT_EQ((std::array{Elements()[0].nPosX, Elements()[0].nWidth, Elements()[0].nHeight}), (std::array{50, 130, 60}));

    // A line's end is grabbed when the pointer is on it: only that end moves.
    Elements().clear();
    LabelElement& line = Add(kLine, 20, 20, 0, 0, true);
    std::tie(line.nEndX, line.nEndY) = std::pair(At(20, 20).x() + 200, At(20, 20).y());
    Drag(&Canvas(), {line.nEndX, line.nEndY}, {line.nEndX + 30, line.nEndY + 40}, Qt::NoModifier, 5);
    EXPECT_EQ((std::array{line.nPosX, line.nPosY, line.nEndX - At(20, 20).x()}), (std::array{20, 20, 230}));
    Drag(&Canvas(), At(20, 20), {At(20, 20).x(), 70});  // the start goes to the pointer, in dots
    EXPECT_EQ((std::array{line.nPosY, line.nEndX - At(20, 20).x()}), (std::array{70, 230}));
    EXPECT_EQ(Canvas().ToolMode(), kSelectMode);
    // A level line is hit within 2 pixels of its height, beyond its ends too.
    line.bSelected = 0;
    line.nEndY = At(0, 70).y();
    Click(&Canvas(), {line.nEndX + 100, line.nEndY + 2});
    EXPECT_TRUE(line.bSelected);
}

TEST_F(CanvasTest, AFrameDraggedOverEmptyLabelAreaSelectsWhatItHoldsWhole) {
    Add(kText, 20, 20, 30, 10, false);
    Add(kShape, 60, 20, 30, 30, true);
    Add(kShape, 100, 20, 300, 30, false);
    Settle();  // the paint places the handles
    Drag(&Canvas(), At(5, 5), At(95, 60), Qt::NoModifier, 3);  // the press deselects, the frame selects
    EXPECT_EQ(Selection(), "110");
    Elements()[0].bSelected = 0;
    Elements()[2].bSelected = 1;
    Drag(&Canvas(), At(5, 60), At(95, 5), Qt::ShiftModifier, 3);
    EXPECT_EQ(Selection(), "111");
    EXPECT_EQ(Snapshots(), 0);
}

TEST_F(CanvasTest, ToolsCreateTheirElementsSelectAsTheirKindDoesAndEachRecordsAStep) {
    for (int i = 0; i < 3; ++i) Add(kText, 10 * i, 300, 10, 10, true);
    Tool(kBarcodeTool);
    EXPECT_EQ(Canvas().cursor().shape(), Qt::BitmapCursor);
    // Up to 4000 pixels, a pixel of the 400-pixel canvas is the same number of dots.
    Click(&Canvas(), {40, 40});
    EXPECT_EQ(Selection(), "0001");
    EXPECT_EQ(QString::fromStdU16String(ElementText(Elements()[3])), "0123456789");
    Tool(kCode2DTool);
    Click(&Canvas(), {40, 40});
    EXPECT_EQ(ElementText(Elements()[4]), u"0123456789");
    // The line tool's drag pulls the end; the rectangle tool's the bottom-right corner.
    Tool(kLineTool);
    Drag(&Canvas(), {10, 10}, {60, 30}, Qt::NoModifier, 4);
    EXPECT_EQ((std::array{Elements()[5].nPosX, Elements()[5].nEndX, Elements()[5].nEndY}), (std::array{10, 60, 30}));
    Tool(kRectangleTool);
    EXPECT_EQ(Canvas().cursor().shape(), Qt::CrossCursor);
    Drag(&Canvas(), {200, 100}, {260, 140}, Qt::NoModifier, 4);
    EXPECT_EQ((std::array{Elements()[6].nWidth, Elements()[6].nHeight, Canvas().ToolMode()}), (std::array{60, 40, 0}));
    Tool(kRectangleTool);
    Click(&Canvas(), {20, 20});
    EXPECT_EQ((std::array{Elements()[7].nPosX, Elements()[7].nPosY, Elements()[7].nWidth}), (std::array{0, 0, 100}));
    // Creation and the pulls of line and rectangle: one step each, the rectangle click two.
    EXPECT_EQ(Snapshots(), 8);
    // A picture keeps the others selected; a cancelled one still records a step.
    Tool(kPictureTool);
    Click(&Canvas(), At(30, 30));
    EXPECT_TRUE(Elements().size() == 8u && Snapshots() == 9 && Canvas().ToolMode() == kSelectMode);
    AddPicture(5, 5, false);  // writes p.png
    prompts_.openName = TempPath("p.png");
    Tool(kPictureTool);
    Click(&Canvas(), At(30, 30));
    EXPECT_EQ(Selection().substr(7), "101");
    // Add Text and Add Barcode record before they add; Add 2D Code and Add Picture record nothing.
    const int before = Snapshots();
    for (int id : {kCmdAddText, kCmdAddBarcode, kCmdAdd2D, kCmdAddPicture}) Frame().OnCommand(id);
    EXPECT_EQ(Snapshots(), before + 2);
    EXPECT_EQ(ElementText(Elements()[12]), u"012345678");
}

TEST_F(CanvasTest, DoubleClickOpensTheDialogsOfTheSelectedElementsUnderThePointer) {
    Add(kText, 10, 10, 100, 40, true);
    Add(kBarcode, 50, 20, 203, 80, true);
    Add(kShape, 10, 10, 300, 300, false);
    LabelElement& barcode = Elements()[1];
    barcode.hCache = Canvas().Codes().Store(QImage(4, 4, QImage::Format_RGB32));
    prompts_.text = QStringLiteral("Changed");
    prompts_.barcode = BarcodeFields{8, QStringLiteral("ABC"), 30, 20, false};
    DoubleClick(At(60, 30));
    EXPECT_EQ(prompts_.dialogs, (QStringList{"text@10", "barcode@50"})) << "in array order";
    EXPECT_EQ(prompts_.barcodeShown->widthMm, 25);
    EXPECT_EQ(ElementText(Elements()[0]), u"Changed");
    EXPECT_EQ((std::array{barcode.nWidth, barcode.nHeight, barcode.nBarcodeType, barcode.bShowText}), (std::array{240, 160, 8, 0}));
    EXPECT_TRUE(barcode.hCache == 0 && Canvas().Codes().Size() == 0 && Snapshots() == 2);
    // A shape's OK records nothing; a cancelled dialog changes nothing; lines and empty area open none.
    prompts_.dialogs.clear();
    std::tie(Elements()[0].bSelected, barcode.bSelected, Elements()[2].bSelected) = std::tuple(0, 0, 1);
    prompts_.shapeType = 2;
    DoubleClick(At(200, 200));
    EXPECT_TRUE(Elements()[2].nShapeType == 2 && Snapshots() == 2);
    Elements()[0].bSelected = 1;
    prompts_.text.reset();
    DoubleClick(At(20, 20));
    Add(kLine, 100, 350, 0, 0, true);
    DoubleClick(At(100, 350));
    DoubleClick(At(390, 600));
    EXPECT_EQ(prompts_.dialogs, (QStringList{"shape@10", "text@10", "shape@10"}));
    EXPECT_TRUE(ElementText(Elements()[0]) == u"Changed" && Snapshots() == 2);
}

TEST_F(CanvasTest, RightButtonSelectsWhatIsUnderItAndShowsTheMenusOfTextsAndPictures) {
    AddPicture(20, 20, false);
    Add(kText, 30, 30, 60, 20, false);
    Add(kBarcode, 25, 25, 100, 60, false);
    Add(kShape, 300, 300, 10, 10, true);
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
    prompts_.imageSize = QSize(80, 40);
    SendMouse(&Canvas(), QEvent::MouseButtonPress, At(40, 35), Qt::RightButton);
    EXPECT_EQ(Selection(), "1110");
    EXPECT_EQ(shown, (QStringList{"Piture Settings: Delete Picture, Change Picture Size",
                                  "Text Attributes: Delte Text, Text Attributes"}));
    EXPECT_EQ(prompts_.dialogs, QStringList{"picture@20"});
    EXPECT_EQ(Elements()[0].nWidth, 80);
    // Text Attributes opens the font chooser on the text; its Delete deletes the selection.
    shown.clear();
    choose = QStringLiteral("Text Attributes");
    prompts_.fontHeight = -27;
    SendMouse(&Canvas(), QEvent::MouseButtonPress, At(80, 45), Qt::RightButton);
    EXPECT_TRUE(shown.size() == 2 && Elements()[1].logFont.lfHeight == -27 && Snapshots() == 0);
    MakeFrame(UiLanguage::Chinese);
    AddPicture(20, 20, false);
    choose = QStringLiteral("删除图片");
    shown.clear();
    SendMouse(&Canvas(), QEvent::MouseButtonPress, At(40, 35), Qt::RightButton);
    Settle();
    EXPECT_EQ(shown, QStringList{"图片设置: 删除图片, 修改图片大小"});
    EXPECT_TRUE(Elements().empty());
    Add(kText, 30, 30, 60, 20, false);
    SendMouse(&Canvas(), QEvent::MouseButtonPress, At(40, 35), Qt::RightButton);
    EXPECT_EQ(shown.last(), "文字属性: 删除文字, 文字属性");
}

TEST_F(CanvasTest, LineEndsKeepTheirPlaceInDotsAcrossZoomUndoAndPaste) {
    const auto endInDots = [&](const LabelElement& e) {
        return QPoint(qRound(e.nEndX / Canvas().ScaleX()), qRound(e.nEndY / Canvas().ScaleY()));
    };
    LabelElement& line = Add(kLine, 10, 10, 0, 0, true);
    std::tie(line.nEndX, line.nEndY) = std::pair(qRound(210 * Canvas().ScaleX()), qRound(110 * Canvas().ScaleY()));
    Canvas().Session().TakeSnapshot();
    Frame().OnCommand(kCmdCopy);
    for (int i = 0; i < 5; ++i) Frame().OnCommand(kCmdZoomIn);
    EXPECT_EQ(endInDots(Elements()[0]), QPoint(210, 110));
    Frame().OnCommand(kCmdPaste);
    EXPECT_EQ(endInDots(Elements()[1]), QPoint(210, 110));
    Canvas().Session().TakeSnapshot();
    Frame().OnCommand(kCmdUndoStep);
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(endInDots(Elements()[0]), QPoint(210, 110)) << "restored from the file written before the zoom";
    for (int i = 0; i < 9; ++i) Frame().OnCommand(kCmdZoomOut);
    EXPECT_EQ(endInDots(Elements()[0]), QPoint(210, 110));
}

TEST_F(CanvasTest, TheWheelScrollsAndWithControlZooms) {
    const auto wheel = [&](int dy, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(50, 50), Frame().View()->mapToGlobal(QPointF(50, 50)), {}, {0, dy}, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Frame().View(), &event);  // where the canvas passes it on
    };
    const int width = Canvas().width();
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(Canvas().width(), width + 30);
    for (int i = 0; i < 20; ++i) wheel(120, Qt::ControlModifier);
    const int top = Canvas().y();
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(Canvas().y(), top - 30);
    wheel(-240, Qt::ControlModifier);
    EXPECT_LT(Canvas().width(), width + 21 * 30);
}

TEST_F(CanvasTest, DamagedLabelsNeitherCrashNorHang) {
    constexpr int kMax = std::numeric_limits<int32_t>::max(), kMin = std::numeric_limits<int32_t>::min();
    for (int i = 0; i < 5000; ++i) {
        LabelElement& e = Add(i % 6, (i * 7) % 400 - 50, (i * 13) % 600, i % 3 ? 40 : -30, i % 5 ? 30 : 0, i % 2);
        if (i % 97 == 0) std::tie(e.nPosX, e.nWidth, e.nEndX, e.nEscapement) = std::tuple(kMax, kMax, kMin, 900);
        if (i % 89 == 0) std::tie(e.nPosY, e.nHeight, e.nOrgHeight, e.nSize) = std::tuple(kMin, kMin, kMax, 5);
        if (i % 83 == 0) std::tie(e.nEndX, e.nEndY, e.nShapeType, e.nTextHeight) = std::tuple(e.nPosX, e.nPosY, 3, kMax);
        for (HandlePoint& p : e.ptHandles) p = {kMax - i, kMin + i};
    }
    Settle();
    for (QPoint p : {QPoint(5, 5), QPoint(200, 300), QPoint(399, 600)}) {
        Drag(&Canvas(), p, p + QPoint(37, -25), Qt::NoModifier, 3);
        Drag(&Canvas(), p, p + QPoint(-300, 400), Qt::ShiftModifier, 2);
        for (int key : {Qt::Key_Up, Qt::Key_Left}) Canvas().Commands().KeyEdit(key);
    }
    Frame().OnCommand(kCmdZoomIn);
    Settle();
    EXPECT_EQ(Elements().size(), 5000u);
}

}  // namespace
}  // namespace kestrix
