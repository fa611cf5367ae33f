#include <gtest/gtest.h>

#include <vector>

#include "render/RenderGeometry.h"

namespace kestrix {
namespace {

LabelElement Box(int x, int y, int w, int h) {
    LabelElement e{};
    e.nPosX = x;
    e.nPosY = y;
    e.nWidth = w;
    e.nHeight = h;
    return e;
}

TEST(RotatedBoxTest, QuarterTurnsSwapSidesAboutTheCentre) {
    const LabelElement e = Box(100, 50, 300, 80);
    const DeviceBox q = RotatedBox(e, 1.0, 1.0, 900);
    EXPECT_EQ(q.left, 250 - 40);
    EXPECT_EQ(q.top, 90 - 150);
    EXPECT_EQ(q.width, 80);
    EXPECT_EQ(q.height, 300);
    const DeviceBox t = RotatedBox(e, 1.0, 1.0, 2700);
    EXPECT_EQ(t.left, q.left);
    EXPECT_EQ(t.top, q.top);
    const DeviceBox h = RotatedBox(e, 1.0, 1.0, 1800);
    EXPECT_EQ(h.left, 100);
    EXPECT_EQ(h.top, 50);
    EXPECT_EQ(h.width, 300);
    const DeviceBox other = RotatedBox(e, 1.0, 1.0, 450);
    EXPECT_EQ(other.left, 100);
    EXPECT_EQ(other.height, 80);
    // Scaled values are truncated; the centre is taken before truncation.
    const DeviceBox b = ElementBox(Box(10, 20, 101, 51), 1.5, 0.5);
    EXPECT_EQ(b.width, 151);
    EXPECT_EQ(b.centerX, 90);  // 15 + 75.75
    EXPECT_EQ(b.centerY, 22);  // 10 + 12.75
    // Turned sides take the other axis's scale.
    const DeviceBox s = RotatedBox(e, 2.0, 0.5, 900);
    EXPECT_EQ(s.width, 160);
    EXPECT_EQ(s.height, 150);
}

TEST(RotationXformTest, TurnsAboutTheCentreCounterClockwise) {
    const WorldXform x = RotationXform(900, 250, 90);
    EXPECT_EQ(x.eM11, 0);
    EXPECT_EQ(x.eM12, -1);
    EXPECT_EQ(x.eM21, 1);
    EXPECT_EQ(x.eM22, 0);
    EXPECT_EQ(x.eDx, 160);
    EXPECT_EQ(x.eDy, 340);
    const QTransform t = ToQTransform(x);
    EXPECT_EQ(t.map(QPointF(250, 90)), QPointF(250, 90));
    EXPECT_EQ(t.map(QPointF(260, 90)), QPointF(250, 80));  // right of centre goes up
    const WorldXform h = RotationXform(1800, 250, 90);
    EXPECT_EQ(h.eDx, 500);
    EXPECT_EQ(h.eDy, 180);
    const WorldXform r = RotationXform(2700, 250, 90);
    EXPECT_EQ(r.eDx, 340);
    EXPECT_EQ(r.eDy, -160);
    EXPECT_EQ(ToQTransform(r).map(QPointF(260, 90)), QPointF(250, 100));
    const WorldXform none = RotationXform(450, 250, 90);
    EXPECT_EQ(none.eM11, 0);
    EXPECT_EQ(none.eDx, 0);
}

TEST(RotatedTextOriginTest, KeepsTextCentred) {
    DeviceBox b;
    b.left = 100;
    b.top = 50;
    b.width = 120;
    b.height = 30;
    EXPECT_EQ(RotatedTextOrigin(900, b), QPoint(100 + 60 - 15, 50 + 60 + 15));
    EXPECT_EQ(RotatedTextOrigin(1800, b), QPoint(220, 80));
    EXPECT_EQ(RotatedTextOrigin(2700, b), QPoint(100 + 60 + 15, 50 + 15 - 60));
    EXPECT_EQ(RotatedTextOrigin(450, b), QPoint(100, 50));
}

TEST(HandlePointsTest, FollowTheLayoutOfEachKind) {
    const auto flat = [](const std::array<HandlePoint, 8>& p) {
        std::vector<int> v;
        for (const HandlePoint& h : p) v.insert(v.end(), {h.x, h.y});
        return v;
    };
    // Box at (100, 50), 41 x 21: rows T-8, T+H/2-2 (left), T+H/2-4 (right), T+H+2.
    EXPECT_EQ(
        flat(HandlePoints(HandleStyle::Text, 100, 50, 41, 21)),
        (std::vector<int>{92, 42, 120, 42, 149, 42, 92, 58, 149, 56, 92, 73, 120, 73, 149, 73}));
    EXPECT_EQ(
        flat(HandlePoints(HandleStyle::Box, 100, 50, 41, 21)),
        (std::vector<int>{92, 42, 120, 42, 145, 42, 92, 58, 145, 56, 92, 73, 120, 73, 145, 73}));
    EXPECT_EQ(
        flat(HandlePoints(HandleStyle::Code, 100, 50, 41, 21)),
        (std::vector<int>{92, 42, 128, 42, 145, 42, 92, 58, 145, 56, 92, 73, 128, 73, 145, 73}));
}

}  // namespace
}  // namespace kestrix
