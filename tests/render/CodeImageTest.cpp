// Codes held at module size: they must expand to exactly the library's image
// at the element's scale, be drawn with exactly Qt's sampling of that image
// whatever the clip, and stay within the cache's pixel budget.
#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>

#include "render/CodeImageCache.h"
#include "render/ImageBlit.h"
#include "render/ZintEncoder.h"

namespace kestrix {
namespace {

// Every symbology the barcode and 2D code dialogs offer (EAN-13 has its own
// encoder): linear ones with their data, then the 2D ones with "K-000001".
const std::pair<int, const char16_t*> kLinear[] = {{20, u"K-000001"},
                                                   {60, u"K-000001"},
                                                   {8, u"CODE39"},
                                                   {9, u"code39x"},
                                                   {25, u"CODE93"},
                                                   {13, u"590123412345+12"},
                                                   {16, u"[01]12345678901231"},
                                                   {34, u"01234567890"},
                                                   {37, u"0123456"},
                                                   {89, u"1234567890123"},
                                                   {129, u"12345678"},
                                                   {18, u"A12345B"},
                                                   {72, u"1234567890123"}};
const int k2D[] = {58, 55, 56, 71, 57, 142, 84};

TEST(CodeImage, ModuleImagesExpandToTheLibraryImage) {
    std::vector<std::tuple<int, const char16_t*, bool>> symbols;
    for (const auto& [symbology, data] : kLinear) symbols.emplace_back(symbology, data, true);
    for (int symbology : k2D) symbols.emplace_back(symbology, u"K-000001", false);
    // Every symbology upright at one size; Code 128, QR code, PDF417 and MaxiCode also at scales 1, 7 and 15
    // and every turn. 2000 dots is past the largest image side, so a part-scale is used and the image is
    // factored instead.
    for (const auto& [symbology, data, linear] : symbols)
        for (int width : {42, 300, 640, 2000})
            for (int angle : {0, 90, 180, 270}) {
                const bool every = symbology == 20 || symbology == 58 || symbology == 55 || symbology == 57;
                if (!every && (width != 300 || angle != 0)) continue;
                SCOPED_TRACE(testing::Message() << symbology << " width " << width << " angle " << angle);
                const QImage full = ZintEncoder::Encode(symbology, data, width, angle, linear);
                const CodeImage code = ZintEncoder::EncodeModules(symbology, data, width, angle, linear);
                ASSERT_FALSE(full.isNull());
                ASSERT_EQ(code.FullSize(), full.size());
                EXPECT_LE(code.PixelCount(), qint64(full.width()) * full.height());
                QImage expanded(full.size(), QImage::Format_RGB32);
                QPainter painter(&expanded);
                DrawCodeImage(painter, code, full.rect(), full.rect(), WrapMode::Tile);
                EXPECT_TRUE(expanded == full);
            }
    const CodeImage code128 = ZintEncoder::EncodeModules(20, u"K-000001", 640, 0, true);
    EXPECT_LT(code128.PixelCount() * 100, qint64(code128.FullSize().width()) * code128.FullSize().height());
}

// An image whose pixels name their own column and row.
QImage IndexImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x & 0xFF, (x >> 8) | (y << 4), y >> 4));
    return image;
}

TEST(CodeImage, DrawnWithQtsSamplingOfTheFullImageWhateverTheClip) {
    QRandomGenerator random(13);
    for (int trial = 0; trial < 400; ++trial) {
        const QImage full = IndexImage(1 + random.bounded(trial % 8 ? 300 : 3000), 1 + random.bounded(80));
        QImage expected(60 + random.bounded(300), 120, QImage::Format_RGB32);
        const QRect dest(random.bounded(expected.width() + 40) - 40, random.bounded(100) - 10,
                         1 + random.bounded(expected.width()), 1 + random.bounded(160));
        // Inside the image (Qt's scaling), or reaching past it (tiled).
        const QRect source(0, 0, full.width(), trial % 3 ? std::min(full.height(), dest.height()) : dest.height());
        expected.fill(Qt::white);
        // The canvas draws into premultiplied ARGB, output into RGB: both take the modules as they are.
        QImage got = trial % 2 ? expected.convertToFormat(QImage::Format_ARGB32_Premultiplied) : expected;
        QPainter painter(&expected);
        const QRect part = dest & expected.rect().adjusted(-1, -1, 1, 1);
        const double sx = double(source.width()) / dest.width(), sy = double(source.height()) / dest.height();
        if (QRect(QPoint(), full.size()).contains(source))
            painter.drawImage(QRectF(part), full,
                              QRectF(source.x() + (part.x() - dest.x()) * sx, source.y() + (part.y() - dest.y()) * sy,
                                     part.width() * sx, part.height() * sy));
        else
            DrawImageNearest(painter, full, source, dest, WrapMode::Tile);
        painter.end();
        const QRect clip(random.bounded(got.width()), random.bounded(got.height()), 1 + random.bounded(200),
                         1 + random.bounded(100));
        QImage expectedInClip = got;
        painter.begin(&got);
        painter.setClipRect(clip);
        DrawCodeImage(painter, CodeImage::FromFull(full), source, dest, WrapMode::Tile);
        painter.end();
        painter.begin(&expectedInClip);
        painter.drawImage(clip.topLeft(), expected.copy(clip));
        painter.end();
        ASSERT_EQ(got, expectedInClip) << "trial " << trial << " source " << full.width() << "x" << full.height();
    }
}

TEST(CodeImageCache, KeepsTheMostRecentlyUsedWithinItsPixelBudget) {
    const auto image = [](int w) { return CodeImage::FromFull(IndexImage(w, 10)); };
    CodeImageCache cache(3000);
    uint32_t a = cache.Store(image(100));
    const uint32_t b = cache.Store(image(100));
    EXPECT_NE(cache.Find(a), nullptr);  // a is now newer than b
    const uint32_t c = cache.Store(image(150));
    EXPECT_EQ(cache.Find(b), nullptr) << "the least recently used went first";
    EXPECT_NE(cache.Find(a), nullptr);
    EXPECT_NE(cache.Find(c), nullptr);
    EXPECT_EQ(cache.Pixels(), 2500);
    const uint32_t huge = cache.Store(image(1000));
    EXPECT_NE(cache.Find(huge), nullptr) << "the newest stays even over the budget";
    EXPECT_EQ(cache.Size(), 1);
    cache.Release(a);
    EXPECT_EQ(a, 0u);
}

}  // namespace
}  // namespace kestrix
