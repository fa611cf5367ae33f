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

// 11 pixels: 2 bytes a row, padded to 4; the bottom-right corner is included.
// An area is reduced in whole bytes and the rest of the raster kept.
TEST(ColorToBW, TopDownOneBitBmpWithWhiteFillBitsAndAreas) {
    QImage image(11, 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 11; ++x) image.setPixel(x, 0, qRgb(0, 0, 0));
    image.setPixel(1, 1, qRgb(0, 0, 0));
    image.setPixel(10, 2, qRgb(0, 0, 0));
    const QByteArray expected = QByteArray::fromHex(
        "424d 4a000000 00000000 3e000000"       // BM, file size 74, data at 62
        "28000000 0b000000 fdffffff 0100 0100"  // 40, width 11, height -3, 1 plane, 1 bit
        "00000000 0c000000 cb000000 cb000000"   // no compression, 12 bytes, 203, 203
        "00000000 00000000 00000000 ffffff00"   // colours, black, white
        "001fffff bfffffff ffdfffff");          // 3 black + 5 fill bits; leftmost in the top bit
    EXPECT_EQ(ColorToBW(image).Bytes().toHex().toStdString(), expected.toHex().toStdString());

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
