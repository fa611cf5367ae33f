// Moving elements by whole dots: a line moves whole at every display scale,
// so a level line stays level however often it is nudged; its box in dots
// spans both ends; an end placed in dots turns back into those dots.

#include <gtest/gtest.h>

#include "document/ElementMove.h"

namespace kestrix {
namespace {

// A line from (x, y) dots to (endX, endY) pixels.
LabelElement Line(int x, int y, int endX, int endY) {
    LabelElement e = CreateElement(kLine, {x, y}, {}, {endX, endY});
    return e;
}

TEST(ElementMove, ALineKeepsItsShapeInPixelsAtEveryScaleAndStepCount) {
    struct Case {
        double scale;
        int steps, dx, dy;
    };
    for (const Case& c : {Case{1.0, 40, 0, 1}, Case{2.0, 40, 0, 1}, Case{2.37, 40, 0, 1}, Case{0.5, 40, 1, 0},
                          Case{1.46, 7, -1, -1}, Case{3.0, 1, 250, -30}}) {
        const QPointF scale(c.scale, c.scale);
        // A level line of 200 dots and a slanted one, drawn from their starts.
        for (auto [x, y, lengthX, lengthY] : {std::tuple{60, 250, 200, 0}, {30, 40, 90, 70}}) {
            LabelElement e = Line(x, y, LinePixel(x, c.scale) + static_cast<int>(lengthX * c.scale),
                                  LinePixel(y, c.scale) + static_cast<int>(lengthY * c.scale));
            const auto drawnOffset = [&] {
                return std::pair(e.nEndX - LinePixel(e.nPosX, c.scale), e.nEndY - LinePixel(e.nPosY, c.scale));
            };
            const auto before = drawnOffset();
            for (int i = 0; i < c.steps; ++i) MoveElementBy(e, c.dx, c.dy, scale);
            EXPECT_EQ(std::pair(e.nPosX, e.nPosY), std::pair(x + c.steps * c.dx, y + c.steps * c.dy)) << c.scale;
            EXPECT_EQ(drawnOffset(), before) << c.scale << " " << lengthY;
        }
    }
}

TEST(ElementMove, BoxesInDotsSpanALinesEndsWhicheverWayItRuns) {
    struct Case {
        LabelElement e;
        double scale;
        DotBox box;
    };
    LabelElement shape = CreateElement(kShape, {15, 25});
    shape.nWidth = 40;
    shape.nHeight = 30;
    for (const Case& c :
         {Case{shape, 2.0, {15, 25, 40, 30}}, Case{Line(60, 250, 520, 500), 2.0, {60, 250, 200, 0}},
          Case{Line(100, 80, 40, 10), 2.0, {20, 5, 80, 75}}, Case{Line(10, 10, 10, 10), 0.5, {10, 10, 10, 10}}}) {
        const DotBox b = ElementDotBox(c.e, {c.scale, c.scale});
        EXPECT_EQ(std::tuple(b.left, b.top, b.width, b.height),
                  std::tuple(c.box.left, c.box.top, c.box.width, c.box.height))
            << c.e.nType << " " << c.e.nEndX;
    }
    // An end placed some dots from the start turns back into those dots at any scale of 1 or more.
    for (double scale : {1.0, 1.37, 1.99, 2.0, 2.5, 7.9})
        for (int reach : {0, 1, 250, 251, 1623, -40}) {
            LabelElement line = Line(619, 33, 0, 0);
            PlaceLineReach(line, QPointF(reach, -reach), {scale, scale});
            EXPECT_EQ(LineEndDots(line, {scale, scale}), QPoint(619 + reach, 33 - reach)) << scale << " " << reach;
        }
    // Other kinds move by their position alone.
    MoveElementBy(shape, -20, 7, {2.0, 2.0});
    EXPECT_EQ(std::tuple(shape.nPosX, shape.nPosY, shape.nWidth), std::tuple(-5, 32, 40));
}

}  // namespace
}  // namespace kestrix
