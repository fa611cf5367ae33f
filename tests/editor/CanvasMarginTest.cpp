// The margin around the label: where the label and its canvas window go in
// the view, the one translation from window to label pixels, and frames from
// past the label's edges on the real canvas. (Handles drawn and dragged there:
// real_window.py.)

#include "FrameFixture.h"
#include "editor/CanvasGeometry.h"

namespace kestrix {
namespace {

TEST(CanvasPlacement, TheLabelKeepsItsMarginAndTheWindowCoversTheView) {
    struct Case {
        const char* what;
        QRect asked;
        QRect label, window;
    };
    const QSize view(1000, 700);
    const Case cases[] = {
        {"fits: centred, the window is the view", {0, 0, 400, 640}, {300, 30, 400, 640}, {0, 0, 1000, 700}},
        {"wider: scrolled, the window is the label and its margin",
         {-100, 20, 2000, 500},
         {-100, 100, 2000, 500},
         {-125, 0, 2050, 700}},
        {"no gap past the margin at the start",
         {60, -5000, 2000, 3000},
         {25, -2325, 2000, 3000},
         {0, -2350, 2050, 3050}},
        {"none at the far end either", {-5000, 0, 2000, 3000}, {-1025, 0, 2000, 3000}, {-1050, -25, 2050, 3050}},
        {"one pixel too large for the view with its margin", {0, 0, 951, 100}, {24, 300, 951, 100}, {-1, 0, 1001, 700}},
    };
    for (const Case& c : cases) {
        const CanvasPlacement placed = PlaceInView(c.asked, view);
        EXPECT_EQ(placed.label, c.label) << c.what;
        EXPECT_EQ(placed.window, c.window) << c.what;
        // Every window pixel is a label pixel, the margin's negative or past the label's size.
        EXPECT_EQ(placed.ToLabel(QPoint(0, 0)) + placed.label.topLeft(), placed.window.topLeft()) << c.what;
        EXPECT_EQ(placed.WindowOnLabel().translated(placed.label.topLeft()), placed.window) << c.what;
    }
}

using CanvasMarginTest = OneDotPerPixelTest;

TEST_F(CanvasMarginTest, FramesFromPastTheLabelsEdge) {
    Elements() = {MakeElement(kShape, 360, 300, 60, 40)};
    // A frame from the margin back onto the label takes the element in whole.
    Drag(&Canvas(), {445, 290}, {350, 370}, Qt::NoModifier, 3);
    EXPECT_EQ(Selection(Elements()), "1");
    Click(&Canvas(), {100, 100});
    Drag(&Canvas(), {398, 290}, {350, 370}, Qt::NoModifier, 3);
    EXPECT_EQ(Selection(Elements()), "0") << "a frame that ends on the label leaves out what reaches past it";
}

}  // namespace
}  // namespace kestrix
