// Canvas fitting, zoom, placement, ruler ticks and hit boxes.

#include <gtest/gtest.h>

#include "document/LabelElement.h"
#include "document/Units.h"
#include "editor/CanvasGeometry.h"
#include "editor/RulerScale.h"

namespace kestrix {
namespace {

TEST(CanvasFit, FitsOnceButNotTwice) {
    EXPECT_EQ(FitCanvasSize({1000, 700}, 50, 80, 203, 203), QSize(400, 639));
}

TEST(CanvasFit, SmallLabelShownAtDoubleSize) {
    // 20 x 10 mm is 160.3 x 80.4 dots: twice that fits 950 x 650.
    EXPECT_EQ(FitCanvasSize({1000, 700}, 20, 10, 203, 203), QSize(320, 160));
}

TEST(CanvasFit, TallLabelTakesTheFullHeight) {
    const QSize size = FitCanvasSize({1000, 700}, 50, 150, 203, 203);
    EXPECT_EQ(size.height(), 650);
    EXPECT_EQ(size.width(), static_cast<int>(650 * LabelDots(50, 203) / LabelDots(150, 203)));
}

TEST(CanvasFit, WideLabelGetsWholePixelsPerMillimetre) {
    const QSize size = FitCanvasSize({1000, 700}, 200, 50, 203, 203);
    EXPECT_EQ(size.width(), 800);  // 950 / 200 = 4 pixels per mm
    EXPECT_EQ(size.height(), static_cast<int>(800 * LabelDots(50, 203) / LabelDots(200, 203)));
    // Wider than a pixel per millimetre: never an empty canvas.
    const QSize huge = FitCanvasSize({1000, 700}, 2000, 10, 203, 203);
    EXPECT_GE(huge.width(), 1);
    EXPECT_GE(huge.height(), 1);
    EXPECT_LE(huge.width(), 950);
}

TEST(CanvasZoom, StepKeepsTheAspectRatio) {
    EXPECT_EQ(ZoomCanvasSize({400, 639}, 30, 400.1), QSize(430, 686));
    EXPECT_EQ(ZoomCanvasSize({400, 639}, -30, 400.1), QSize(370, 639 - 639 * 30 / 400));
}

TEST(CanvasZoom, WidthStaysWithinBounds) {
    // Not below 100 pixels...
    EXPECT_EQ(ZoomCanvasSize({110, 176}, -30, 400.1).width(), 100);
    EXPECT_EQ(ZoomCanvasSize({100, 160}, -30, 400.1), QSize(100, 160));
    // ...and not above 8 pixels per dot.
    EXPECT_EQ(ZoomCanvasSize({3190, 5100}, 30, 400.1).width(), 3200);
    EXPECT_EQ(ZoomCanvasSize({3200, 5118}, 30, 400.1), QSize(3200, 5118));
}

TEST(CanvasZoom, GrowsAboutItsCentreAndCentresVertically) {
    const QRect grown = ZoomCanvasRect({100, 10, 400, 639}, {430, 686}, {900, 800});
    EXPECT_EQ(grown, QRect(85, (800 - 686) / 2, 430, 686));
    // Taller than the view: grown upwards by half as well.
    const QRect tall = ZoomCanvasRect({100, 0, 400, 639}, {430, 686}, {900, 600});
    EXPECT_EQ(tall.top(), -23);
}

TEST(CanvasPlace, CentredWhenItFitsAndNoGapWhenScrolled) {
    EXPECT_EQ(PlaceCanvasAxis(-50, 400, 1000), 300);
    EXPECT_EQ(PlaceCanvasAxis(-50, 1000, 400), -50);
    EXPECT_EQ(PlaceCanvasAxis(20, 1000, 400), 0);
    EXPECT_EQ(PlaceCanvasAxis(-900, 1000, 400), -600);
    EXPECT_EQ(CenteredCanvasAxis(1000, 400), 0);
    EXPECT_EQ(ScrollMaximum(1000, 400), 600);
    EXPECT_EQ(ScrollMaximum(300, 400), 0);
}

TEST(RulerScale, Spacing) {
    const RulerSpacing even = RulerSpacingFor(400, 50);
    EXPECT_EQ(even.pixels, 8);
    EXPECT_EQ(even.remainder, 0);
    EXPECT_EQ(even.millimetres, 1);
    const RulerSpacing odd = RulerSpacingFor(403, 50);
    EXPECT_EQ(odd.pixels, 8);
    EXPECT_EQ(odd.remainder, 3);
    const RulerSpacing narrow = RulerSpacingFor(150, 50);
    EXPECT_EQ(narrow.millimetres, 2);
    EXPECT_EQ(narrow.pixels, 6);
}

std::vector<RulerTick> Majors(const std::vector<RulerTick>& ticks) {
    std::vector<RulerTick> out;
    for (const RulerTick& t : ticks)
        if (t.major) out.push_back(t);
    return out;
}

TEST(RulerScale, NumbersEveryTenMillimetres) {
    const auto majors = Majors(RulerTicks(400, 50, 0, 400 + 24 + 1));
    ASSERT_EQ(majors.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(majors[i].value, 10 * i);
        EXPECT_EQ(majors[i].pos, kRulerBand + 80 * i);
    }
}

TEST(RulerScale, RemainderMovesTheFirstTicks) {
    const auto ticks = RulerTicks(403, 50, 0, 500);
    ASSERT_GE(ticks.size(), 5u);
    EXPECT_EQ(ticks[0].pos, 24 + 1);
    EXPECT_EQ(ticks[1].pos, 24 + 10);
    EXPECT_EQ(ticks[2].pos, 24 + 19);
    EXPECT_EQ(ticks[3].pos, 24 + 27);
    EXPECT_EQ(ticks[4].pos, 24 + 35);
}

TEST(RulerScale, NarrowCanvasNumbersEveryTwentyMillimetres) {
    const auto majors = Majors(RulerTicks(150, 50, 0, 150 + 24 + 1));
    ASSERT_EQ(majors.size(), 3u);
    EXPECT_EQ(majors[1].value, 20);
    EXPECT_EQ(majors[2].value, 40);
    EXPECT_EQ(majors[1].pos - majors[0].pos, 60);
}

TEST(RulerScale, ExtendsLeftOfTheCanvasWithPositiveNumbers) {
    const auto ticks = RulerTicks(400, 50, 200, 700);
    std::vector<RulerTick> left;
    for (const RulerTick& t : ticks)
        if (t.pos < 200 + kRulerBand) left.push_back(t);
    ASSERT_EQ(left.size(), 24u);  // 192, 184, ... 8
    EXPECT_EQ(left.front().pos, 192 + kRulerBand);
    EXPECT_EQ(left.front().value, 1);
    const auto majors = Majors(left);
    ASSERT_EQ(majors.size(), 2u);
    EXPECT_EQ(majors[0].value, 10);
    EXPECT_EQ(majors[0].pos, 120 + kRulerBand);
    // The scale stops where the band ends.
    EXPECT_LT(ticks.back().pos, 700);
}

TEST(RulerScale, DegenerateSizesDrawNothingOrStayFinite) {
    EXPECT_TRUE(RulerTicks(0, 50, 0, 500).empty());
    EXPECT_TRUE(RulerTicks(400, 0, 0, 500).empty());
    EXPECT_LT(RulerTicks(100, 2000, 0, 1000).size(), 1000u);
}

TEST(HitBox, ScaledAndTurned) {
    LabelElement e = CreateElement(kBarcode, {100, 50});  // 300 x 80 dots
    EXPECT_EQ(ElementHitBox(e, 2.0, 2.0), QRect(200, 100, 600, 160));
    e.nEscapement = 900;
    // Turned about its centre (500, 180): 160 wide, 600 high.
    EXPECT_EQ(ElementHitBox(e, 2.0, 2.0), QRect(500 - 80, 180 - 300, 160, 600));
    LabelElement line = CreateElement(kLine, {10, 10}, {}, {20, 20});
    line.nEndX = 120;
    line.nEndY = 20;
    const QRect box = ElementHitBox(line, 2.0, 2.0);
    EXPECT_TRUE(box.contains(70, 20));
    EXPECT_FALSE(box.contains(70, 40));
}

}  // namespace
}  // namespace kestrix
