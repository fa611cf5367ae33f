// The 1-bit raster: threshold, bit order, fill bits and the BMP header bytes.

#include <gtest/gtest.h>

#include <QtEndian>

#include "output/ColorToBW.h"

namespace kestrix {
namespace {

qint32 Field32(const MonoImage& m, int offset) {
    return qFromLittleEndian<qint32>(m.Bytes().constData() + offset);
}

MonoImage OnePixel(QRgb colour) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, colour);
    return ColorToBW(image);
}

TEST(ColorToBW, ThresholdComparesBlueThenGreenThenRed) {
    EXPECT_FALSE(OnePixel(qRgb(0, 0, 255)).IsBlack(0, 0)) << "pure blue";
    EXPECT_TRUE(OnePixel(qRgb(255, 0, 0)).IsBlack(0, 0)) << "pure red";
    EXPECT_TRUE(OnePixel(qRgb(255, 255, 0)).IsBlack(0, 0)) << "yellow";
    EXPECT_TRUE(OnePixel(qRgb(0, 0, 0)).IsBlack(0, 0)) << "black";
    EXPECT_FALSE(OnePixel(qRgb(200, 200, 200)).IsBlack(0, 0));
    EXPECT_TRUE(OnePixel(qRgb(199, 199, 199)).IsBlack(0, 0));
    EXPECT_TRUE(OnePixel(qRgb(199, 200, 200)).IsBlack(0, 0)) << "red decides when blue and green are 200";
    EXPECT_TRUE(OnePixel(qRgb(255, 199, 200)).IsBlack(0, 0)) << "green decides when blue is 200";
    EXPECT_FALSE(OnePixel(qRgb(0, 0, 201)).IsBlack(0, 0)) << "blue above 200 is white";
}

TEST(ColorToBW, LabelOf400DotsHasStride52AndWhiteFill) {
    QImage image(400, 3, QImage::Format_RGB32);
    image.fill(Qt::black);
    const MonoImage mono = ColorToBW(image);
    ASSERT_EQ(mono.Stride(), 52);
    for (int y = 0; y < 3; ++y) {
        const uchar* row = mono.Row(y);
        EXPECT_EQ(row[49], 0x00);
        EXPECT_EQ(row[50], 0xFF);
        EXPECT_EQ(row[51], 0xFF);
    }
}

TEST(ColorToBW, PartialLastByteKeepsFillBitsWhite) {
    QImage image(11, 1, QImage::Format_RGB32);
    image.fill(Qt::black);
    const MonoImage mono = ColorToBW(image);
    EXPECT_EQ(mono.Row(0)[0], 0x00);
    EXPECT_EQ(mono.Row(0)[1], 0x1F);  // 3 black pixels, 5 fill bits
    EXPECT_EQ(mono.Row(0)[2], 0xFF);
    EXPECT_EQ(mono.Row(0)[3], 0xFF);
}

TEST(ColorToBW, BitOrderAndRowsTopFirstBottomRowIncluded) {
    QImage image(20, 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    image.setPixel(9, 2, qRgb(0, 0, 0));
    image.setPixel(19, 4, qRgb(0, 0, 0));  // bottom-right corner
    const MonoImage mono = ColorToBW(image);
    EXPECT_EQ(mono.Row(0)[0], 0x7F);
    EXPECT_EQ(mono.Row(2)[1], 0xBF);
    EXPECT_EQ(mono.Row(4)[2], 0xEF);
    int black = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 32; ++x) black += mono.IsBlack(x, y);
    EXPECT_EQ(black, 3);
}

TEST(MonoImage, HeaderIsATopDownOneBitBmp) {
    const MonoImage m(400, 7);
    const QByteArray& b = m.Bytes();
    ASSERT_EQ(b.size(), 62 + 52 * 7);
    EXPECT_EQ(b.left(2), "BM");
    EXPECT_EQ(Field32(m, 2), 52 * 7);
    EXPECT_EQ(Field32(m, 6), 0);
    EXPECT_EQ(Field32(m, 10), 62);
    EXPECT_EQ(Field32(m, 14), 40);
    EXPECT_EQ(Field32(m, 18), 400);
    EXPECT_EQ(Field32(m, 22), -7);
    EXPECT_EQ(qFromLittleEndian<quint16>(b.constData() + 26), 1);
    EXPECT_EQ(qFromLittleEndian<quint16>(b.constData() + 28), 1);
    EXPECT_EQ(Field32(m, 30), 0);
    EXPECT_EQ(Field32(m, 34), 52 * 7);
    EXPECT_EQ(Field32(m, 38), 203);
    EXPECT_EQ(Field32(m, 46), 0);
    EXPECT_EQ(Field32(m, 50), 0);
    EXPECT_EQ(b.mid(54, 8), QByteArray("\0\0\0\0\xff\xff\xff\0", 8));
    EXPECT_EQ(b.mid(62), QByteArray(52 * 7, '\xff'));
}

}  // namespace
}  // namespace kestrix
