// Hit boxes, the line test, the selection press with its shape candidate,
// arming handles by hovering and the selection frame, without a window.

#include <gtest/gtest.h>

#include "editor/CanvasMode.h"
#include "editor/HitTest.h"
#include "render/RenderGeometry.h"

namespace kestrix {
namespace {

LabelElement Box(int32_t type, int x, int y, int w, int h, bool selected = false) {
    LabelElement e = CreateElement(type, {x, y});
    std::tie(e.nWidth, e.nHeight, e.nSize, e.bSelected) = std::tuple(w, h, -1, selected);
    return e;
}

LabelElement Line(int x, int y, int endX, int endY, bool selected = false) {
    LabelElement e = CreateElement(kLine, {x, y}, {}, {endX, endY});
    std::tie(e.nSize, e.bSelected) = std::pair(-1, selected);
    return e;
}

std::string Selection(const std::vector<LabelElement>& elements) {
    std::string bits;
    for (const LabelElement& e : elements) bits += e.bSelected ? '1' : '0';
    return bits;
}

TEST(HitTest, BoxesTurnAboutTheCentreForQuarterTurnsOnly) {
    struct Case { int32_t type; int angle; QRect expected; };
    for (const Case& c : {Case{kBarcode, 0, {200, 100, 600, 160}}, Case{kBarcode, 1800, {200, 100, 600, 160}},
                          Case{kBarcode, 900, {420, -120, 160, 600}}, Case{kShape, -900, {420, -120, 160, 600}},
                          Case{kPicture, 2700, {420, -120, 160, 600}},
                          Case{kText, 900, {2 * (100 + 150 - 40), 2 * (50 + 40 - 150), 160, 600}},
                          Case{kCode2D, 900, {200, 100, 600, 160}}}) {
        LabelElement e = Box(c.type, 100, 50, 300, 80);
        e.nEscapement = c.angle;
        EXPECT_EQ(ElementHitBox(e, 2.0, 2.0), c.expected) << c.type << " at " << c.angle;
    }
    EXPECT_EQ(ElementHitBox(Line(100, 50, 500, 300), 2.0, 2.0), QRect(200, 100, 0, 0));
    EXPECT_TRUE(Inside({10, 10, 5, 5}, {10, 14}) && !Inside({10, 10, 5, 5}, {15, 10}) && !Inside({10, 10, -5, 5}, {8, 12}));
}

TEST(HitTest, LinesAreHitNearTheirHeightOrSlopeEvenBeyondTheirEnds) {
    struct Case { LabelElement line; QPoint p; LineHit expected; };
    const Case cases[] = {
        {Line(10, 10, 110, 11), {300, 12}, LineHit::KeepOthers},  // horizontal, past the end
        {Line(10, 10, 110, 11), {50, 14}, LineHit::None},
        {Line(10, 10, 11, 110), {13, 500}, LineHit::KeepOthers},  // vertical
        {Line(0, 0, 100, 50), {40, 20}, LineHit::SelectAlone},    // on the slope
        {Line(0, 0, 100, 50), {200, 100}, LineHit::SelectAlone},  // beyond the end
        {Line(0, 0, 100, 50), {40, 30}, LineHit::None},
        {Line(5, 5, 5, 5), {400, 6}, LineHit::KeepOthers},  // no length at all
        {Line(5, 5, 5, 5), {400, 60}, LineHit::None},
    };
    for (const Case& c : cases) EXPECT_EQ(HitLine(c.line, c.p, 1.0, 1.0), c.expected) << c.p.x() << "," << c.p.y();
}

TEST(HitTest, SelectionPressByArrayOrderWithTheShapeCandidate) {
    const LabelElement text = Box(kText, 0, 0, 50, 20, true);
    LabelElement armed = Box(kShape, 100, 100, 40, 40, true);
    armed.nSize = 7;
    LabelElement hovered = Box(kText, 100, 100, 40, 40);
    hovered.nSize = 3;
    struct Case {
        const char* what;
        std::vector<LabelElement> elements;
        QPoint p;
        bool add;
        std::string selection;
        int armedIndex, handle;  // the element whose nSize is checked and its value
        std::optional<Qt::CursorShape> cursor;
        bool onElement;
    };
    const Case cases[] = {
        {"empty area", {text, Box(kShape, 100, 100, 40, 40, true)}, {300, 300}, false, "00", 0, -1, {}, false},
        {"empty area, Shift", {text, Box(kShape, 100, 100, 40, 40, true)}, {300, 300}, true, "11", 0, -1, {}, false},
        {"overlapping texts", {Box(kText, 0, 0, 50, 20), Box(kText, 30, 0, 50, 20)}, {40, 10}, false, "01", 0, -1, {}, true},
        {"text over a frame", {Box(kShape, 0, 0, 100, 100), Box(kText, 20, 20, 40, 20)}, {30, 25}, false, "01", 0, -1, {}, true},
        {"frame beside the text", {Box(kShape, 0, 0, 100, 100), Box(kText, 20, 20, 40, 20)}, {80, 80}, false, "10", 0, -1, {}, true},
        {"text under a frame", {Box(kText, 20, 20, 40, 20), Box(kShape, 0, 0, 100, 100)}, {30, 25}, false, "11", 0, -1, {}, true},
        {"Control adds", {text, Box(kText, 100, 0, 50, 20)}, {110, 10}, true, "11", 0, -1, {}, true},
        {"armed handle", {Box(kText, 300, 300, 10, 10), armed}, {5, 5}, false, "01", 1, 7, Qt::SizeFDiagCursor, true},
        {"armed, unselected", {text, hovered}, {110, 110}, false, "01", 1, 3, Qt::SizeHorCursor, true},
        {"picture corner", {Box(kPicture, 100, 100, 60, 40, true)}, {175, 150}, false, "1", 0, 7, Qt::SizeFDiagCursor, true},
        {"text side", {Box(kText, 100, 100, 60, 20, true)}, {170, 108}, false, "1", 0, 4, Qt::SizeHorCursor, true},
        // A line ends the press: elements after it keep their selection, unless it is slanted.
        {"level line", {Line(10, 100, 110, 100), text}, {200, 101}, false, "11", 0, -1, {}, true},
        {"slanted line", {Line(0, 200, 100, 250), text}, {40, 220}, false, "10", 0, -1, {}, true},
        {"slanted line, Shift", {Line(0, 200, 100, 250), text}, {40, 220}, true, "11", 0, -1, {}, true},
    };
    for (Case c : cases) {
        const PressOutcome out = SelectionPress(c.elements, c.p, c.add, 1.0, 1.0);
        EXPECT_EQ(Selection(c.elements), c.selection) << c.what;
        EXPECT_EQ(c.elements[c.armedIndex].nSize, c.handle) << c.what;
        EXPECT_EQ(out.cursor, c.cursor) << c.what;
        EXPECT_EQ(out.onElement, c.onElement) << c.what;
    }
}

TEST(HitTest, HoverArmsDrawnHandlesLineEndsAndTheApex) {
    const auto arm = [](LabelElement e, QPoint p, int mode = kSelectMode) {
        std::vector<LabelElement> one{e};
        const auto cursor = ArmHandles(one, p, mode, 1.0, 1.0);
        return std::tuple(one[0].nSize, mode, cursor.value_or(Qt::BlankCursor));
    };
    LabelElement picture = Box(kPicture, 100, 100, 60, 40, true);
    const auto points = HandlePoints(HandleStyle::Box, 100, 100, 60, 40);
    std::copy(points.begin(), points.end(), picture.ptHandles);
    EXPECT_EQ(arm(picture, {165, 93}), std::tuple(2, 0, Qt::SizeBDiagCursor));
    picture.nSize = 2;
    EXPECT_EQ(arm(picture, {10, 10}), std::tuple(2, 0, Qt::BlankCursor)) << "leaving keeps it armed";
    picture.bSelected = 0;
    picture.nSize = -1;
    EXPECT_EQ(arm(picture, {165, 93}), std::tuple(-1, 0, Qt::BlankCursor)) << "only selected elements";
    // A square code sizes by its corners; PDF417 by every handle.
    LabelElement code = Box(kCode2D, 100, 100, 60, 60, true);
    std::copy(points.begin(), points.end(), code.ptHandles);
    EXPECT_EQ(std::get<0>(arm(code, {131, 93})), -1);
    EXPECT_EQ(std::get<0>(arm(code, {93, 93})), 0);
    code.nBarcodeType = kPdf417;
    EXPECT_EQ(std::get<0>(arm(code, {131, 93})), 1);

    const LabelElement line = Line(10, 10, 200, 50, true);
    EXPECT_EQ(arm(line, {13, 6}), std::tuple(0, int(kLineEndDrag), Qt::SizeHorCursor));
    EXPECT_EQ(arm(line, {204, 54}), std::tuple(1, int(kLineEndDrag), Qt::SizeHorCursor));
    EXPECT_EQ(arm(line, {100, 100}, kLineEndDrag), std::tuple(-1, 0, Qt::ArrowCursor));
    EXPECT_EQ(arm(line, {100, 100}, kBarcodeTool), std::tuple(-1, int(kBarcodeTool), Qt::BlankCursor));

    LabelElement triangle = Box(kShape, 100, 100, 60, 40, true);
    std::tie(triangle.nShapeType, triangle.nEndX) = std::pair(3, -1);
    EXPECT_EQ(arm(triangle, {133, 97}), std::tuple(8, 0, Qt::SizeHorCursor));
    triangle.nEndX = 0;  // apex over the left edge
    EXPECT_EQ(std::get<0>(arm(triangle, {133, 97})), -1);
    EXPECT_EQ(std::get<0>(arm(triangle, {103, 104})), 8);
}

TEST(HitTest, FrameSelectsWhatLiesWhollyInsideAndKeepsTheRest) {
    std::vector<LabelElement> elements{Box(kText, 10, 10, 20, 10), Box(kShape, 10, 10, 200, 200),
                                       Line(20, 20, 60, 60), Line(20, 20, 300, 60), Box(kBarcode, 500, 500, 10, 10, true)};
    SelectInside(elements, QRect(QPoint(100, 100), QPoint(5, 5)), 1.0, 1.0);
    EXPECT_EQ(Selection(elements), "10101");
}

}  // namespace
}  // namespace kestrix
