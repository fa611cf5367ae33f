#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "RenderTestSupport.h"
#include "render/MonoPicture.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

constexpr QRgb kBlackWhite[2] = {qRgb(0, 0, 0), qRgb(255, 255, 255)};

bool BmpPixelBlack(const QByteArray& bmp, int stride, int x, int y) {
    return !(static_cast<unsigned char>(bmp[62 + y * stride + x / 8]) & (0x80 >> (x % 8)));
}

TEST(MonoPictureTest, NearestColourSplitsMidGrey) {
    EXPECT_EQ(NearestPaletteColor(0x7F7F7F, kBlackWhite, 2) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(NearestPaletteColor(0x808080, kBlackWhite, 2) & 0xFFFFFF, 0xFFFFFFu);
    // On a tie the earlier entry wins.
    const QRgb same[2] = {qRgb(10, 10, 10), qRgb(10, 10, 10) | 0x01000000};
    EXPECT_EQ(NearestPaletteColor(qRgb(0, 0, 0), same, 2), same[0]);
    EXPECT_EQ(ClampChannel(250, 10), 255);
    EXPECT_EQ(ClampChannel(5, -10), 0);
    EXPECT_EQ(ClampChannel(100, -10), 90);
}

TEST(MonoPictureTest, HeaderAndRowLayout) {
    QImage img(33, 3, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setPixel(32, 2, qRgb(0, 0, 0));
    img.setPixel(0, 0, qRgb(0, 0, 0));
    const QByteArray bmp = BitmapToMonoBmp(img);
    ASSERT_EQ(bmp.size(), 62 + 8 * 3);  // 33 pixels: rows of 8 bytes
    const QByteArray header = QByteArray::fromHex(
        "424d 56000000 00000000 3e000000"        // BM, file size 86, data at 62
        "28000000 21000000 fdffffff 0100 0100"   // 40, width 33, height -3, 1 plane, 1 bit
        "00000000 18000000 cb000000 cb000000"    // no compression, 24 bytes, 203, 203
        "00000000 00000000 00000000 ffffff00");  // colours, black, white
    EXPECT_EQ(bmp.left(62).toHex(), header.toHex());
    // Row 0: leftmost pixel black in the top bit; padding stays white.
    EXPECT_EQ(static_cast<unsigned char>(bmp[62]), 0x7F);
    EXPECT_EQ(static_cast<unsigned char>(bmp[62 + 4]), 0xFF);
    EXPECT_TRUE(BmpPixelBlack(bmp, 8, 32, 2));
    EXPECT_EQ(static_cast<unsigned char>(bmp[62 + 16 + 4]), 0x7F);
    EXPECT_EQ(static_cast<unsigned char>(bmp[62 + 16 + 7]), 0xFF);
}

TEST(MonoPictureTest, MidGreyDithersToHalfCoverage) {
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(qRgb(0x80, 0x80, 0x80));
    const QByteArray bmp = BitmapToMonoBmp(img);
    int black = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) black += BmpPixelBlack(bmp, 8, x, y);
    EXPECT_NEAR(black / 4096.0, 0.5, 0.05);
    // The file decodes back to the same pure black and white picture.
    const QImage back = ReduceToMono(img);
    ASSERT_EQ(back.size(), img.size());
    EXPECT_EQ(qGray(back.pixel(0, 0)) < 128, BmpPixelBlack(bmp, 8, 0, 0));
    EXPECT_EQ(qGray(back.pixel(63, 63)) < 128, BmpPixelBlack(bmp, 8, 63, 63));
}

TEST(MonoPictureTest, TransparentAreasCountAsWhite) {
    QImage img(8, 8, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    const QByteArray bmp = BitmapToMonoBmp(img);
    for (int y = 0; y < 8; ++y) EXPECT_EQ(static_cast<unsigned char>(bmp[62 + 4 * y]), 0xFF);
}

class PictureElementTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    // A 4 x 2 picture: top row red, green, blue, black; bottom row white.
    QString WritePicture() {
        QImage img(4, 2, QImage::Format_RGB32);
        img.fill(Qt::white);
        img.setPixel(0, 0, qRgb(255, 0, 0));
        img.setPixel(1, 0, qRgb(0, 255, 0));
        img.setPixel(2, 0, qRgb(0, 0, 255));
        img.setPixel(3, 0, qRgb(0, 0, 0));
        const QString path = dir_.filePath(QStringLiteral("p.png"));
        img.save(path);
        return path;
    }

    LabelElement Picture(const QString& path, int rotation) {
        LabelElement e = CreatePictureElement({10, 10}, path.toStdU16String(), 4, 2);
        e.nWidth = 40;
        e.nHeight = 20;
        e.nEscapement = rotation;
        e.bSelected = 0;
        return e;
    }

    QTemporaryDir dir_;
    CodeImageCache codes_;
};

TEST_F(PictureElementTest, DrawnIntoItsBoxWithHardEdges) {
    LabelElement e = Picture(WritePicture(), 0);
    const QImage img = test::PaintForOutput(e, codes_, 80, 60);
    EXPECT_EQ(img.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(19, 19), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(20, 10), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(49, 29), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(45, 15), qRgb(0, 0, 0));
}

TEST_F(PictureElementTest, HalfTurnIsUpsideDownNotMirrored) {
    LabelElement e = Picture(WritePicture(), 1800);
    const QImage img = test::PaintForOutput(e, codes_, 80, 60);
    // The top row (red ... black) is now the bottom row, read right to left.
    EXPECT_EQ(img.pixel(45, 25), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(15, 25), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(25, 25), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(15, 15), qRgb(255, 255, 255));
}

TEST_F(PictureElementTest, MonoOutputIsPureBlackAndWhite) {
    LabelElement e = Picture(WritePicture(), 0);
    const QImage img = test::PaintForOutput(e, codes_, 80, 60, true);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(p == 0 || p == 0xFFFFFF) << x << "," << y;
        }
    EXPECT_EQ(img.pixel(45, 15) & 0xFFFFFF, 0u);
}

TEST_F(PictureElementTest, MissingFileDrawsNothingAndComesBack) {
    const QString path = WritePicture();
    LabelElement e = Picture(path, 0);
    e.bSelected = 1;
    e.ptHandles[0] = {-77, -77};
    QImage screen = test::WhiteTarget(80, 60);
    PictureCache pictures;
    RenderContext ctx;
    ctx.codes = &codes_;
    ctx.pictures = &pictures;
    const QString moved = dir_.filePath(QStringLiteral("moved.png"));
    {
        QPainter p(&screen);
        PaintElement(p, e, ctx);  // cached now
        QFile::rename(path, moved);
        screen.fill(Qt::white);
        PaintElement(p, e, ctx);
    }
    EXPECT_TRUE(test::InkBounds(screen).isEmpty());
    QFile::rename(moved, path);
    {
        QPainter p(&screen);
        PaintElement(p, e, ctx);
    }
    EXPECT_FALSE(test::InkBounds(screen).isEmpty());
    EXPECT_EQ(e.ptHandles[0].x, 2);
}

}  // namespace
}  // namespace kestrix
