// The 1-bit raster: threshold, bit order, fill bits and the BMP header bytes.

#include <gtest/gtest.h>

#include "output/ColorToBW.h"

namespace kestrix {
namespace {

// Whole bytes of eight pixels are reduced together, the rest one by one.
TEST(ColorToBW, WhiteFromBlueThenGreenThenRedAgainst200) {
    const std::pair<QRgb, bool> cases[] = {
        {qRgb(0, 0, 255), false},    {qRgb(0, 0, 201), false},    {qRgb(200, 200, 200), false},
        {qRgb(255, 0, 0), true},     {qRgb(255, 255, 0), true},   {qRgb(0, 0, 0), true},
        {qRgb(199, 199, 199), true}, {qRgb(199, 200, 200), true}, {qRgb(255, 199, 200), true}};
    for (const auto& [colour, black] : cases) {
        QImage image(17, 1, QImage::Format_RGB32);
        image.fill(colour);
        for (int x : {0, 5, 8, 16})
            EXPECT_EQ(ColorToBW(image).IsBlack(x, 0), black) << std::hex << colour << " at " << x;
    }
}

// An area is reduced in whole bytes and the rest of the raster kept (the whole
// raster's bytes are checked by the acceptance checks).
TEST(ColorToBW, AnAreaInWholeBytes) {
    QImage black(40, 4, QImage::Format_RGB32);
    black.fill(Qt::black);
    MonoImage part(40, 4);
    ColorToBW(black, QRect(10, 1, 9, 2), part);  // bytes 1 and 2 of rows 1 and 2
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 40; ++x)
            EXPECT_EQ(part.IsBlack(x, y), (y == 1 || y == 2) && x >= 8 && x < 24) << x << ',' << y;
}

}  // namespace
}  // namespace kestrix
