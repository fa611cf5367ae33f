// Hit boxes, the line test and arming handles by hovering, without a window;
// the selection press is tried on the canvas itself.

#include "FrameFixture.h"

#include "editor/CanvasMode.h"
#include "editor/HitTest.h"
#include "render/RenderGeometry.h"

namespace kestrix {
namespace {

LabelElement Box(int32_t type, int x, int y, int w, int h, bool selected = false) {
    return MakeElement(type, x, y, w, h, selected);
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
    EXPECT_EQ(ElementHitBox(MakeLine(100, 50, 500, 300), 2.0, 2.0), QRect(200, 100, 0, 0));
    EXPECT_TRUE(Inside({10, 10, 5, 5}, {10, 14}) && !Inside({10, 10, 5, 5}, {15, 10}) && !Inside({10, 10, -5, 5}, {8, 12}));
}

TEST(HitTest, LinesAreHitNearTheirHeightOrSlopeEvenBeyondTheirEnds) {
    struct Case { LabelElement line; QPoint p; LineHit expected; };
    const Case cases[] = {
        {MakeLine(10, 10, 110, 11), {300, 12}, LineHit::KeepOthers},  // horizontal, past the end
        {MakeLine(10, 10, 110, 11), {50, 14}, LineHit::None},
        {MakeLine(10, 10, 11, 110), {13, 500}, LineHit::KeepOthers},  // vertical
        {MakeLine(0, 0, 100, 50), {40, 20}, LineHit::SelectAlone},    // on the slope
        {MakeLine(0, 0, 100, 50), {200, 100}, LineHit::SelectAlone},  // beyond the end
        {MakeLine(0, 0, 100, 50), {40, 30}, LineHit::None},
        {MakeLine(5, 5, 5, 5), {400, 6}, LineHit::KeepOthers},  // no length at all
        {MakeLine(5, 5, 5, 5), {400, 60}, LineHit::None},
    };
    for (const Case& c : cases) EXPECT_EQ(HitLine(c.line, c.p, 1.0, 1.0), c.expected) << c.p.x() << "," << c.p.y();
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

    const LabelElement line = MakeLine(10, 10, 200, 50, true);
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

}  // namespace
}  // namespace kestrix
