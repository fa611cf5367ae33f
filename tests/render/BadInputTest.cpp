// Damaged or absurd records draw nothing or something bounded, quickly, on
// screen and on output, upright and turned.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "RenderTestSupport.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

constexpr qint64 kMaxMillis = 5000;

// Paints the element in every rotation, on output and on screen at two zooms.
void PaintEverywhere(const LabelElement& original) {
    for (int rotation : {0, 900, 1800, 2700, 450, -900}) {
        for (double scale : {0.0, 1.0, 3.5}) {
            LabelElement e = original;
            e.nEscapement = rotation;
            CodeImageCache codes;
            PictureCache pictures;
            RenderContext ctx;
            ctx.forOutput = scale == 0.0;
            ctx.monoPictures = ctx.forOutput;
            ctx.scaleX = ctx.scaleY = scale == 0.0 ? 1.0 : scale;
            ctx.codes = &codes;
            ctx.pictures = &pictures;
            QImage img = test::WhiteTarget(400, 300);
            QElapsedTimer timer;
            timer.start();
            QPainter p(&img);
            PaintElement(p, e, ctx);
            p.end();
            EXPECT_LT(timer.elapsed(), kMaxMillis)
                << "type " << original.nType << " rotation " << rotation << " scale " << scale;
        }
    }
}

LabelElement Sized(int type, int x, int y, int w, int h, std::u16string_view content) {
    LabelElement e = CreateElement(type, {x, y}, content);
    e.nWidth = w;
    e.nHeight = h;
    e.nEndX = w;
    e.nEndY = h;
    return e;
}

TEST(BadInput, AbsurdSizesAndPositions) {
    const int sizes[][2] = {{0, 0}, {-50, -20}, {1000000, 1000000}, {1000000, 3}, {-1000000, 5}};
    const int positions[][2] = {{10, 10}, {-1000000, 5}, {2000000000, -2000000000}};
    for (const auto& size : sizes)
        for (const auto& pos : positions)
            for (int type : {kText, kBarcode, kCode2D, kLine, kShape}) {
                LabelElement e = Sized(type, pos[0], pos[1], size[0], size[1],
                                       type == kText ? u"Text" : u"0123456789");
                e.nLineWidth = size[0];
                e.nCornerSize = size[1];
                e.nShapeType = 1;
                PaintEverywhere(e);
                e.nBarcodeType = kBuiltinEan13;
                e.str[0] = u'5';
                if (type == kBarcode) PaintEverywhere(e);
            }
}

TEST(BadInput, FontHeights) {
    for (int height : {0, 100000, -100000, 1, -1}) {
        LabelElement e = Sized(kText, 10, 10, 0, 0, u"Text \u6587\u5b57");
        e.logFont.lfHeight = height;
        e.logFont.lfWidth = height;
        e.logFont.lfWeight = height;
        PaintEverywhere(e);
        LabelElement barcode = Sized(kBarcode, 10, 10, 300, 80, u"12345");
        barcode.logFont.lfHeight = height;
        PaintEverywhere(barcode);
    }
}

TEST(BadInput, DataTheSymbologyRefuses) {
    const std::u16string letters(255, u'x');
    std::u16string wide(255, u'\u6587');
    for (int symbology : {13, 34, 37, 89, 129, 18, 72, 20, 58, 55, 71, 57, 142, 84, 9999, -5, 0}) {
        for (int type : {kBarcode, kCode2D}) {
            LabelElement e = Sized(type, 10, 10, 300, 80, letters);
            e.nBarcodeType = symbology;
            PaintEverywhere(e);
            SetElementText(e, wide);
            PaintEverywhere(e);
        }
    }
}

TEST(BadInput, UnknownKindDrawsNothing) {
    LabelElement e = Sized(kText, 10, 10, 100, 40, u"Text");
    e.nType = 77;
    CodeImageCache codes;
    EXPECT_TRUE(test::InkBounds(test::PaintForOutput(e, codes, 200, 100)).isEmpty());
    e.nType = kShape;
    e.nShapeType = 12;
    EXPECT_TRUE(test::InkBounds(test::PaintForOutput(e, codes, 200, 100)).isEmpty());
}

TEST(BadInput, PicturePathsThatAreNotPictures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A sparse 1 GB file of zeros, and the same with a picture's name.
    for (const char* name : {"zeros.bin", "zeros.png", "zeros.bmp"}) {
        QFile big(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(qint64(1) << 30));
        big.close();
        LabelElement e = Sized(kPicture, 10, 10, 100, 100, big.fileName().toStdU16String());
        PaintEverywhere(e);
    }
    LabelElement folder = Sized(kPicture, 10, 10, 100, 100, dir.path().toStdU16String());
    CodeImageCache codes;
    EXPECT_TRUE(test::InkBounds(test::PaintForOutput(folder, codes, 200, 200)).isEmpty());
    PaintEverywhere(folder);
}

}  // namespace
}  // namespace kestrix
