// The four resize routines for every handle at 0, 900, 1800 and 2700, their
// limits, and line and apex drags, without a window.

#include <gtest/gtest.h>

#include "editor/DragStep.h"
#include "editor/ResizeRules.h"

namespace kestrix {
namespace {

using Box = std::array<int, 4>;  // nPosX, nPosY, nWidth, nHeight

// An element of `type` at (100, 50), 60 x 40 dots, turned by `angle`, with `handle` armed.
LabelElement Armed(int32_t type, int angle, int handle) {
    LabelElement e = CreateElement(type, {100, 50});
    std::tie(e.nWidth, e.nHeight, e.nOrgWidth, e.nOrgHeight) = std::tuple(60, 40, 60, 40);
    std::tie(e.nEscapement, e.nSize) = std::pair(angle, handle);
    return e;
}

Box BoxOf(const LabelElement& e) { return {e.nPosX, e.nPosY, e.nWidth, e.nHeight}; }

using Routine = void (*)(LabelElement&, QPoint, QPoint, double, double);

// At 2 pixels per dot, pressed at (300, 200) and dragged to (321, 187): 10.5 dots right
// and 6.5 up; the pointer stands at (160, 93) in dots.
Box Resized(Routine size, int32_t type, int angle, int handle, QPoint to = {321, 187}) {
    LabelElement e = Armed(type, angle, handle);
    size(e, to, {300, 200}, 2.0, 2.0);
    return BoxOf(e);
}

TEST(ResizeRules, EveryHandleAtEveryAngleForEveryFamily) {
    // Upright, a left or top edge jumps to the pointer; handle 0 works in whole dots.
    const Box upright[8] = {{160, 93, 50, 46}, {100, 93, 60, 46}, {100, 93, 70, 46}, {160, 50, 49, 40},
                            {100, 50, 70, 40}, {160, 50, 49, 33}, {100, 50, 60, 33}, {100, 50, 70, 33}};
    // Half turned, the edges move by the whole-dot drag (10, -6).
    const Box halfTurn[8] = {{110, 44, 50, 46}, {100, 44, 60, 46}, {100, 44, 70, 46}, {110, 50, 50, 40},
                             {100, 50, 70, 40}, {110, 50, 50, 34}, {100, 50, 60, 34}, {100, 50, 70, 34}};
    // A quarter turned, the shown box (110, 40)-(150, 100) keeps the side or corner opposite the handle.
    const Box quarterTurn[8] = {{102, 52, 66, 30}, {97, 47, 66, 40}, {102, 42, 66, 50}, {105, 55, 60, 30},
                                {105, 45, 60, 50}, {108, 52, 54, 30}, {103, 47, 54, 40}, {108, 42, 54, 50}};
    const std::pair<Routine, int32_t> families[] = {
        {SizeFont, kText}, {SizePicture, kPicture}, {SizePicture, kCode2D}, {SizeRectangle, kShape}, {SizeBarcode, kBarcode}};
    for (const auto& [size, type] : families) {
        for (int handle = 0; handle < 8; ++handle) {
            EXPECT_EQ(Resized(size, type, 0, handle), upright[handle]) << type << " handle " << handle;
            EXPECT_EQ(Resized(size, type, 450, handle), upright[handle]) << type << " handle " << handle;
            EXPECT_EQ(Resized(size, type, 1800, handle), halfTurn[handle]) << type << " handle " << handle;
            for (int angle : {900, 2700, -900})
                EXPECT_EQ(Resized(size, type, angle, handle), quarterTurn[handle]) << type << " " << angle << " " << handle;
        }
    }
}

TEST(ResizeRules, LimitsWhereTheyExist) {
    // A barcode's top handle stops above its caption band (15) plus 20; other kinds do not.
    EXPECT_EQ(Resized(SizeBarcode, kBarcode, 0, 1, {300, 209}), (Box{100, 104, 60, 35}));
    EXPECT_EQ(Resized(SizeBarcode, kBarcode, 0, 1, {300, 210}), (Box{100, 50, 60, 40}));
    EXPECT_EQ(Resized(SizeRectangle, kShape, 0, 1, {300, 300}), (Box{100, 150, 60, -10}));
    // Upright, a left handle pulled past the right edge makes the width negative.
    EXPECT_EQ(Resized(SizePicture, kPicture, 0, 3, {500, 200}), (Box{250, 50, -40, 40}));
    // Half turned, only handle 0 keeps both sides positive.
    EXPECT_EQ(Resized(SizePicture, kPicture, 1800, 0, {500, 200}), (Box{100, 50, 60, 40}));
    EXPECT_EQ(Resized(SizePicture, kPicture, 1800, 3, {500, 200}), (Box{200, 50, -40, 40}));
    // A quarter turned, a left or top handle never shrinks its side to zero; right and bottom do.
    EXPECT_EQ(Resized(SizeFont, kText, 900, 3, {400, 200}), (Box{100, 50, 60, 40}));
    EXPECT_EQ(Resized(SizeFont, kText, 900, 4, {100, 200}), (Box{50, 100, 60, -60}));
    EXPECT_EQ(Resized(SizeFont, kText, 900, 9, {400, 200}), (Box{100, 50, 60, 40})) << "no such handle";
}

TEST(DragStep, ALineEndsTheStepAndTheApexStaysOverTheBox) {
    LabelElement line = CreateElement(kLine, {10, 10}, {}, {200, 100});
    std::tie(line.nSize, line.bSelected) = std::pair(-1, 1);
    std::vector<LabelElement> elements{Armed(kText, 0, -1), line, Armed(kShape, 0, -1)};
    for (LabelElement& e : elements) e.bSelected = 1;
    StartDrag(elements);
    DragSelected(elements, {310, 210}, {300, 200}, 2.0, 2.0);
    EXPECT_EQ((std::array{elements[0].nPosX, elements[1].nPosX, elements[1].nEndX, elements[2].nPosX}),
              (std::array{105, 15, 210, 100}));
    LabelElement triangle = Armed(kShape, 0, 8);
    DragApex(triangle, {260, 0}, 2.0);
    DragApex(triangle, {330, 0}, 2.0);  // beyond the right edge: stays
    EXPECT_EQ(triangle.nEndX, 30);
}

}  // namespace
}  // namespace kestrix
