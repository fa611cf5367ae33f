// Damaged or absurd records draw nothing or something bounded, without a crash or a
// hang (the test's time limit), on screen and on output, upright and turned.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "RenderTestSupport.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

// Paints the element in every rotation, for output and on screen at two zooms.
void PaintEverywhere(const LabelElement& original) {
    for (int rotation : {0, 900, 1800, 2700, 450}) {
        for (double scale : {0.0, 1.0, 3.5}) {
            LabelElement e = original;
            e.nEscapement = rotation;
            PictureCache pictures;
            const double zoom = std::max(scale, 1.0);
            test::Paint(e, 400, 300,
                        {.scaleX = zoom,
                         .scaleY = zoom,
                         .forOutput = scale == 0.0,
                         .monoPictures = scale == 0.0,
                         .pictures = &pictures});
        }
    }
}

TEST(BadInput, AbsurdSizesPositionsFontHeightsPathsAndData) {
    // Width, height, font height; an empty box measures the text at its font height.
    const int sizes[][3] = {{0, 0, 0},          {0, 0, 100000},   {0, 0, -100000},
                            {0, 0, 1},          {0, 0, -1},       {-50, -20, 20},
                            {300, 80, -100000}, {1000000, 3, -1}, {1000000, 1000000, 100000},
                            {-1000000, 5, 0}};
    const int positions[][2] = {{10, 10}, {-1000000, 5}, {2000000000, -2000000000}};
    for (const auto& size : sizes)
        for (const auto& pos : positions)
            for (int type : {kText, kBarcode, kCode2D, kLine, kShape}) {
                LabelElement e = test::Boxed(type, pos[0], pos[1], size[0], size[1],
                                             type == kText ? u"Text \u6587\u5b57" : u"0123456789");
                e.nEndX = e.nLineWidth = size[0];
                e.nEndY = e.nCornerSize = size[1];
                e.nShapeType = 1;
                e.logFont.lfHeight = e.logFont.lfWidth = e.logFont.lfWeight = size[2];
                PaintEverywhere(e);
                e.nBarcodeType = kBuiltinEan13;
                e.str[0] = u'5';
                if (type == kBarcode) PaintEverywhere(e);
            }
    // Picture paths that are not pictures: a sparse 1 GB file of zeros under several names, and a folder.
    QTemporaryDir dir;
    for (const char* name : {"zeros.bin", "zeros.png", "zeros.bmp"}) {
        QFile big(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(qint64(1) << 30));
        PaintEverywhere(test::Boxed(kPicture, 10, 10, 100, 100, big.fileName().toStdU16String()));
    }
    LabelElement folder = test::Boxed(kPicture, 10, 10, 100, 100, dir.path().toStdU16String());
    EXPECT_TRUE(test::InkBounds(test::PaintForOutput(folder, 200, 200)).isEmpty());
    PaintEverywhere(folder);
    // Data the symbology refuses, and symbologies that do not exist.
    for (int symbology : {13, 34, 37, 89, 129, 18, 72, 20, 58, 55, 71, 57, 142, 84, 9999, -5, 0})
        for (int type : {kBarcode, kCode2D})
            for (const char16_t fill : {u'x', u'\u6587'}) {
                LabelElement e = test::Boxed(type, 10, 10, 300, 80, std::u16string(255, fill));
                e.nBarcodeType = symbology;
                PaintEverywhere(e);
            }
}

// Codes that cannot be drawn leave the output blank; the screen shows a
// marked box with the handles of a selected element.
TEST(BadInput, CodesThatCannotBeDrawnAreMarkedOnScreenOnly) {
    // Kind, symbology, turn, content and the x of the top-left handle.
    for (const auto& [type, symbology, rotation, content, handleX] : {std::tuple{kBarcode, 34, 0, u"ABC", 2},
                                                                      {kBarcode, 34, 900, u"ABC", 52},
                                                                      {kCode2D, 58, 0, u"", 2},
                                                                      {kBarcode, kBuiltinEan13, 0, u"12345", 2}}) {
        LabelElement e = test::Boxed(type, 10, 10, 200, 100, content);
        std::tie(e.nBarcodeType, e.nEscapement, e.bSelected) = std::tuple{symbology, rotation, 1};
        EXPECT_TRUE(test::InkBounds(test::PaintForOutput(e, 300, 300)).isEmpty()) << symbology;
        EXPECT_FALSE(test::InkBounds(test::Paint(e, 300, 300)).isEmpty()) << symbology;
        EXPECT_EQ(e.ptHandles[0].x, handleX) << symbology;
    }
}

}  // namespace
}  // namespace kestrix
