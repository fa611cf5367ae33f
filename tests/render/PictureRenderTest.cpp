// Pictures: the 1-bit BMP they are reduced to, how they fill their box
// upright and turned, and which files are read.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "RenderTestSupport.h"
#include "document/RegularFile.h"
#include "render/MonoPicture.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

// Transparent areas are white; rows keep their pixels past whole bytes.
TEST(MonoPictureTest, TransparentIsWhiteAndRowsKeepTheirPixels) {
    QImage img(33, 3, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    img.setPixel(0, 0, qRgb(0, 0, 0));
    img.setPixel(32, 2, qRgb(0, 0, 0));
    const QImage mono = ReduceToMono(img);
    ASSERT_EQ(mono.size(), img.size());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 33; ++x)
            EXPECT_EQ(test::IsInk(mono, x, y), (x == 0 && y == 0) || (x == 32 && y == 2)) << x << "," << y;
}

// Mid grey (0x80, nearer white than black) dithers to half black.
TEST(MonoPictureTest, MidGreyDithersToHalf) {
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(qRgb(0x80, 0x80, 0x80));
    const QImage mono = ReduceToMono(img);
    int black = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) black += test::IsInk(mono, x, y);
    EXPECT_NEAR(black / 4096.0, 0.5, 0.05);
    // A lone pixel, with no error come to it, goes to the nearer of black and white.
    for (const int grey : {0x7F, 0x80}) {
        QImage dot(1, 1, QImage::Format_RGB32);
        dot.fill(qRgb(grey, grey, grey));
        EXPECT_EQ(test::IsInk(ReduceToMono(dot), 0, 0), grey == 0x7F) << grey;
    }
}

// A 4 x 2 picture (top row red, green, blue, black; bottom row white) in a
// 40 x 20 box at (10, 10).
class PictureElementTest : public testing::Test {
protected:
    void SetUp() override {
        QImage img(4, 2, QImage::Format_RGB32);
        img.fill(Qt::white);
        const QRgb top[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)};
        for (int x = 0; x < 4; ++x) img.setPixel(x, 0, top[x]);
        ASSERT_TRUE(img.save(path_));
    }

    LabelElement Element(int rotation) {
        LabelElement e = CreatePictureElement({10, 10}, path_.toStdU16String(), 4, 2);
        std::tie(e.nWidth, e.nHeight, e.nEscapement) = std::tuple{40, 20, rotation};
        return e;
    }

    QTemporaryDir dir_;
    QString path_ = dir_.filePath(QStringLiteral("p.png"));
};

TEST_F(PictureElementTest, FillsItsBoxHardEdgedHalfTurnedUpsideDownNotMirroredAndMono) {
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    const std::tuple<int, int, int, QRgb> probes[] = {
        {0, 10, 10, red},    {0, 19, 19, red},      {0, 20, 10, green},   {0, 45, 15, black},   {0, 49, 29, white},
        {1800, 45, 25, red}, {1800, 15, 25, black}, {1800, 25, 25, blue}, {1800, 15, 15, white}};
    for (const auto& [rotation, x, y, colour] : probes) {
        LabelElement e = Element(rotation);
        EXPECT_EQ(test::PaintForOutput(e, 80, 60).pixel(x, y), colour) << rotation << " at " << x << "," << y;
    }
    LabelElement e = Element(0);
    const QImage mono = test::PaintForOutput(e, 80, 60, true);
    EXPECT_EQ(mono, mono.convertToFormat(QImage::Format_Mono).convertToFormat(mono.format())) << "pure black and white";
    EXPECT_EQ(mono.pixel(45, 15), black);
}

TEST_F(PictureElementTest, MissingFileDrawsNothingAndComesBack) {
    LabelElement e = Element(0);
    e.bSelected = 1;
    PictureCache pictures;
    test::Paint(e, 80, 60, {.pictures = &pictures});  // cached now
    ASSERT_TRUE(QFile::rename(path_, path_ + u'~'));
    EXPECT_TRUE(test::InkBounds(test::Paint(e, 80, 60, {.pictures = &pictures})).isEmpty());
    ASSERT_TRUE(QFile::rename(path_ + u'~', path_));
    EXPECT_FALSE(test::InkBounds(test::Paint(e, 80, 60, {.pictures = &pictures})).isEmpty());
}

// The cache keeps its pictures and their variants within its byte budget,
// dropping older ones for a new one, and still gives each picture right.
TEST_F(PictureElementTest, TheCacheStaysWithinItsBudget) {
    QImage big(200, 100, QImage::Format_RGB32);  // 80 kB decoded
    for (const char* name : {"a.png", "b.png", "c.png"}) {
        big.fill(QColor(QLatin1String(name[0] == 'a' ? "red" : name[0] == 'b' ? "green" : "blue")));
        ASSERT_TRUE(big.save(dir_.filePath(QLatin1String(name))));
    }
    PictureCache pictures(big.sizeInBytes() * 2);
    for (int round = 0; round < 2; ++round) {
        for (const char* name : {"a.png", "b.png", "c.png"}) {
            const QImage image = pictures.Load(dir_.filePath(QLatin1String(name)), 90, true);
            EXPECT_EQ(image.size(), QSize(100, 200)) << name;
            EXPECT_LE(pictures.Bytes(), big.sizeInBytes() * 2) << name;
        }
    }
    EXPECT_EQ(pictures.Load(dir_.filePath(QStringLiteral("b.png"))).pixel(0, 0), qRgb(0, 128, 0));
    PictureCache tiny(1000);  // smaller than any one variant: it is given, and not kept
    EXPECT_EQ(tiny.Load(dir_.filePath(QStringLiteral("a.png")), 90, true).size(), QSize(100, 200));
    EXPECT_LE(tiny.Bytes(), 1000);
}

// A photo taken upright appears upright: EXIF orientation 6 (stored turned a
// quarter anticlockwise) is honoured. A /proc file is read only as far as its
// size of 0 goes, so it never blocks.
TEST_F(PictureElementTest, PhotosStandUprightAndProcFilesAreNotRead) {
    const QString photo = dir_.filePath(QStringLiteral("photo.jpg"));
    QImage upright(40, 20, QImage::Format_RGB32);
    upright.fill(Qt::white);
    ASSERT_TRUE(upright.save(photo));
    // After the start-of-image marker: an APP1 "Exif" segment whose only tag is Orientation = 6.
    const QByteArray jpeg = ReadRegularFile(photo, 1 << 20).bytes;
    const QByteArray exif = QByteArray::fromHex(
        "ffe10022457869660000 49492a0008000000 0100"
        "120103000100000006000000 00000000");
    QFile file(photo);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(jpeg.left(2) + exif + jpeg.mid(2)) > 0);
    file.close();
    EXPECT_EQ(PictureCache::ReadPicture(photo).size(), QSize(20, 40));
    EXPECT_EQ(ReadRegularFile(QStringLiteral("/proc/self/status"), 1 << 20).bytes, QByteArray());
}

}  // namespace
}  // namespace kestrix
