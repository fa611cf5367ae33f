#include <gtest/gtest.h>

#include <vector>

#include "RenderTestSupport.h"
#include "render/RenderGeometry.h"

namespace kestrix {
namespace {

TEST(RotatedBoxTest, QuarterTurnsSwapSidesAboutTheCentre) {
    const LabelElement e = test::Boxed(kShape, 100, 50, 300, 80);  // centre (250, 90)
    const std::pair<int, std::vector<int>> cases[] = {{900, {210, -60, 80, 300}},
                                                      {2700, {210, -60, 80, 300}},
                                                      {1800, {100, 50, 300, 80}},
                                                      {450, {100, 50, 300, 80}}};  // not turned
    for (const auto& [rotation, expected] : cases) {
        const DeviceBox b = RotatedBox(e, 1.0, 1.0, rotation);
        EXPECT_EQ(std::vector<int>({b.left, b.top, b.width, b.height}), expected) << rotation;
    }
    // Turned sides take the other axis's scale.
    const DeviceBox s = RotatedBox(e, 2.0, 0.5, 900);
    EXPECT_EQ(QSize(s.width, s.height), QSize(160, 150));
    // Scaled values are truncated; the centre is taken before truncation.
    const DeviceBox b = ElementBox(test::Boxed(kShape, 10, 20, 101, 51), 1.5, 0.5);
    EXPECT_EQ(b.width, 151);
    EXPECT_EQ(b.centerX, 90);  // 15 + 75.75
    EXPECT_EQ(b.centerY, 22);  // 10 + 12.75
}

TEST(RotationXformTest, TurnsAboutTheCentreCounterClockwise) {
    // (260, 100) lies right of and below the centre (250, 90).
    const std::pair<int, QPointF> cases[] = {
        {900, {260, 80}}, {1800, {240, 80}}, {2700, {240, 100}}};
    for (const auto& [rotation, mapped] : cases) {
        const QTransform t = ToQTransform(RotationXform(rotation, 250, 90));
        EXPECT_EQ(t.map(QPointF(250, 90)), QPointF(250, 90)) << rotation;
        EXPECT_EQ(t.map(QPointF(260, 100)), mapped) << rotation;
    }
}

TEST(HandlePointsTest, FollowTheLayoutOfEachKind) {
    // Box at (100, 50), 41 x 21: rows T-8, T+H/2-2 (left), T+H/2-4 (right), T+H+2;
    // the kinds differ in the middle and right columns.
    const std::pair<HandleStyle, std::vector<int>> cases[] = {
        {HandleStyle::Text, {92, 42, 120, 42, 149, 42, 92, 58, 149, 56, 92, 73, 120, 73, 149, 73}},
        {HandleStyle::Box, {92, 42, 120, 42, 145, 42, 92, 58, 145, 56, 92, 73, 120, 73, 145, 73}},
        {HandleStyle::Code, {92, 42, 128, 42, 145, 42, 92, 58, 145, 56, 92, 73, 128, 73, 145, 73}}};
    for (const auto& [style, expected] : cases) {
        std::vector<int> got;
        for (const HandlePoint& h : HandlePoints(style, 100, 50, 41, 21))
            got.insert(got.end(), {h.x, h.y});
        EXPECT_EQ(got, expected) << static_cast<int>(style);
    }
}

}  // namespace
}  // namespace kestrix
