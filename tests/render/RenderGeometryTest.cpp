#include <gtest/gtest.h>

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

TEST(ElementBoxTest, ScalesAndTruncates) {
    const DeviceBox b = ElementBox(Box(10, 20, 101, 51), 1.5, 0.5);
    EXPECT_EQ(b.left, 15);
    EXPECT_EQ(b.top, 10);
    EXPECT_EQ(b.width, 151);   // 151.5
    EXPECT_EQ(b.height, 25);   // 25.5
    EXPECT_EQ(b.centerX, 90);  // 15 + 75.75
    EXPECT_EQ(b.centerY, 22);  // 10 + 12.75
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
    const auto text = HandlePoints(HandleStyle::Text, 100, 50, 41, 21);
    EXPECT_EQ(text[0].x, 92);
    EXPECT_EQ(text[0].y, 42);
    EXPECT_EQ(text[1].x, 120);
    EXPECT_EQ(text[2].x, 149);
    EXPECT_EQ(text[3].y, 58);  // T + H/2 - 2
    EXPECT_EQ(text[4].y, 56);  // T + H/2 - 4
    EXPECT_EQ(text[4].x, 149);
    EXPECT_EQ(text[5].y, 73);
    EXPECT_EQ(text[6].x, 120);
    EXPECT_EQ(text[7].x, 149);
    const auto box = HandlePoints(HandleStyle::Box, 100, 50, 41, 21);
    EXPECT_EQ(box[2].x, 145);
    EXPECT_EQ(box[1].x, 120);
    const auto code = HandlePoints(HandleStyle::Code, 100, 50, 41, 21);
    EXPECT_EQ(code[1].x, 128);  // L + (W + 16)/2
    EXPECT_EQ(code[6].x, 128);
    EXPECT_EQ(code[7].x, 145);
}

}  // namespace
}  // namespace kestrix
