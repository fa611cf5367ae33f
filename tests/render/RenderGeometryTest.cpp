// Element boxes in device pixels, turned about their centre. (Where the
// selection handles go is checked where texts and codes are painted.)
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
    // Scaled values are truncated; the centre is taken before truncation: 15 + 75.75, 10 + 12.75.
    const DeviceBox b = ElementBox(test::Boxed(kShape, 10, 20, 101, 51), 1.5, 0.5);
    EXPECT_EQ(std::vector<int>({b.width, b.centerX, b.centerY}), std::vector<int>({151, 90, 22}));
    // (260, 100) lies right of and below the centre (250, 90); turns go counter-clockwise.
    for (const auto& [rotation, mapped] : {std::pair{900, QPointF(260, 80)}, {1800, {240, 80}}, {2700, {240, 100}}}) {
        const QTransform t = ToQTransform(RotationXform(rotation, 250, 90));
        EXPECT_EQ(t.map(QPointF(250, 90)), QPointF(250, 90)) << rotation;
        EXPECT_EQ(t.map(QPointF(260, 100)), mapped) << rotation;
    }
}

// A barcode's bars stop 2 dots above its caption band (here none): 100 high at y 10, ink to row 107.
TEST(BarcodeBox, TheBarsStopTwoDotsAboveTheCaptionBand) {
    LabelElement e = test::Boxed(kBarcode, 10, 10, 300, 100, u"ABC-123");
    e.bShowText = 0;
    EXPECT_EQ(test::InkBounds(test::PaintForOutput(e, 400, 200)).bottom(), 107);
}

}  // namespace
}  // namespace kestrix
