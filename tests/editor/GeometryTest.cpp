// Canvas fitting, zoom, placement and ruler ticks.

#include <gtest/gtest.h>

#include <tuple>

#include "editor/CanvasGeometry.h"
#include "editor/RulerScale.h"

namespace kestrix {
namespace {

TEST(CanvasGeometry, FitInA1000By700Frame) {
    struct Case { int widthMm, heightMm; QSize expected; };
    for (const Case& c : {Case{50, 80, {400, 639}},    // fits once, not twice: one pixel per dot
                          Case{20, 10, {320, 160}},    // fits twice: double size
                          Case{50, 150, {216, 650}},   // too tall: the full 650 high
                          Case{200, 50, {800, 200}},   // too wide: 4 whole pixels per mm
                          Case{2000, 10, {950, 4}}})   // under a pixel per mm: still not empty
        EXPECT_EQ(FitCanvasSize({1000, 700}, c.widthMm, c.heightMm, 203, 203), c.expected) << c.widthMm;
}

TEST(CanvasGeometry, ZoomPlacementAndScrollRange) {
    struct Case { QSize canvas; int step; QSize expected; };
    for (const Case& c : {Case{{400, 639}, 30, {430, 686}}, Case{{400, 639}, -30, {370, 592}},
                          Case{{110, 176}, -30, {100, 160}}, Case{{100, 160}, -30, {100, 160}},
                          Case{{3190, 5100}, 30, {3200, 5115}}, Case{{3200, 5118}, 30, {3200, 5118}}})
        EXPECT_EQ(ZoomCanvasSize(c.canvas, c.step, 400.1), c.expected) << c.canvas.width() << " " << c.step;
    // Grown about its centre, centred vertically while it fits the view, else grown upwards too.
    EXPECT_EQ(ZoomCanvasRect({100, 10, 400, 639}, {430, 686}, {900, 800}), QRect(85, 57, 430, 686));
    EXPECT_EQ(ZoomCanvasRect({100, 0, 400, 639}, {430, 686}, {900, 600}).top(), -23);
    // Placed centred when it fits, else with no gap at either end; scrolled over the rest.
    EXPECT_EQ((std::vector<int>{PlaceCanvasAxis(-50, 400, 1000), PlaceCanvasAxis(-50, 1000, 400),
                                PlaceCanvasAxis(20, 1000, 400), PlaceCanvasAxis(-900, 1000, 400)}),
              (std::vector<int>{300, -50, 0, -600}));
    EXPECT_EQ(QPoint(ScrollMaximum(1000, 400), ScrollMaximum(300, 400)), QPoint(600, 0));
}

TEST(RulerScale, SpacingIs2MmBelow4PixelsPerMmAndEveryTenthTickIsNumbered) {
    struct Case { int viewLen, pixels, remainder, millimetres; };
    for (const Case& c : {Case{400, 8, 0, 1}, Case{403, 8, 3, 1}, Case{150, 6, 0, 2}}) {
        const RulerSpacing s = RulerSpacingFor(c.viewLen, 50);
        EXPECT_EQ(std::tuple(s.pixels, s.remainder, s.millimetres),
                  std::tuple(c.pixels, c.remainder, c.millimetres)) << c.viewLen;
    }
    EXPECT_TRUE(RulerTicks(0, 50, 0, 500).empty() && RulerTicks(400, 0, 0, 500).empty());
    EXPECT_LT(RulerTicks(100, 2000, 0, 1000).size(), 1000u);
    // Numbered every tenth tick, up to the band's end and left of the canvas; pixels left over
    // widen the first steps.
    using Majors = std::vector<std::pair<int, int>>;  // position less the band, value
    struct Band { int viewLen, origin, clientLen; Majors expected; };
    for (const Band& c : {Band{400, 0, 425, {{0, 0}, {80, 10}, {160, 20}, {240, 30}, {320, 40}, {400, 50}}},
                          Band{403, 0, 428, {{1, 0}, {83, 10}, {163, 20}, {243, 30}, {323, 40}, {403, 50}}},
                          Band{150, 0, 175, {{0, 0}, {60, 20}, {120, 40}}},
                          Band{400, 200, 700,
                               {{200, 0}, {280, 10}, {360, 20}, {440, 30}, {520, 40}, {600, 50},
                                {120, 10}, {40, 20}}}}) {
        Majors majors;
        for (const RulerTick& t : RulerTicks(c.viewLen, 50, c.origin, c.clientLen))
            if (t.major) majors.emplace_back(t.pos - kRulerBand, t.value);
        EXPECT_EQ(majors, c.expected) << c.viewLen << " " << c.origin;
    }
}

}  // namespace
}  // namespace kestrix
