// A label drawn a few rows at a time has exactly the pixels of the whole
// raster, copy after copy: colour and reduced pictures (Qt scales the formats
// differently), turned elements, codes, texts and lines across band borders.

#include <gtest/gtest.h>

#include <QPainter>

#include "RandomLabel.h"
#include "output/CopyRenderer.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

// An opaque picture: Qt scales 32-bit RGB from the first row it writes.
QString WriteOpaquePicture(const QTemporaryDir& dir) {
    QImage image(53, 37, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 5, 255 - y * 7, (x * y) % 256));
    const QString path = dir.filePath(QStringLiteral("opaque.png"));
    image.save(path);
    return path;
}

TEST(BandedDrawing, GivesTheWholeRastersPixels) {
    QTemporaryDir dir;
    const std::u16string pictures[] = {WritePicture(dir).toStdU16String(), WriteOpaquePicture(dir).toStdU16String()};
    QRandomGenerator random(29);
    for (int label = 0; label < 8; ++label) {
        LabelDocument whole = RandomLabel(random, pictures[label % 2]);
        // A tall picture across many bands, its source rows stepped unevenly.
        LabelElement tall = CreatePictureElement({int(random.bounded(40)), -7}, pictures[label % 2], 60, 40);
        std::tie(tall.nWidth, tall.nHeight, tall.bSelected) = std::tuple{97, 233, 0};
        whole.elements.push_back(tall);
        LabelDocument banded = whole;
        CodeImageCache wholeCodes, bandedCodes;
        PictureCache cache;
        const bool mono = label >= 4;
        const int rows = 1 + int(random.bounded(40));
        CopyRenderer one(whole, 203, 203, {.monoPictures = mono, .codes = &wholeCodes, .pictures = &cache}, 1 << 20);
        CopyRenderer bands(banded, 203, 203, {.monoPictures = mono, .codes = &bandedCodes, .pictures = &cache}, rows);
        QImage assembled(bands.Size(), QImage::Format_RGB32);
        const auto take = [&assembled](const QImage& band, const QRect& part) {
            QPainter(&assembled).drawImage(part.topLeft(), band, part);
        };
        for (int copy = 0; copy < 12; ++copy) {
            const QImage& expected = one.Next();
            ASSERT_TRUE(bands.Next(nullptr, take));
            ASSERT_EQ(assembled, expected) << "label " << label << " copy " << copy << " bands of " << rows;
        }
    }
}

}  // namespace
}  // namespace kestrix
