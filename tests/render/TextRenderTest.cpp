#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "render/GdiFont.h"
#include "render/TextDrawing.h"

namespace kestrix {
namespace {

using test::InkBounds;
using test::WhiteTarget;

LogFont SongFont(int height, int width = 0) {
    LogFont lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfWeight = 400;
    SetFaceName(lf, u"\u5b8b\u4f53");
    return lf;
}

TEST(TextCells, CountsNonzeroUtf16Bytes) {
    EXPECT_EQ(CountTextCells(u"ABCD"), 4);
    EXPECT_EQ(CountTextCells(u"\u4e2d\u6587\u6807\u7b7e"), 8);
    EXPECT_EQ(CountTextCells(u"\u0100"), 1);  // low byte zero
    EXPECT_EQ(CountTextCells(u"\u4e00"), 1);  // 0x4E00: low byte zero
    EXPECT_EQ(CountTextCells(u""), 0);
}

TEST(GdiFontTest, CellHeightAndStretchedWidthFillTheBox) {
    for (int height : {12, 20, 47, 120}) {
        const QString text = QStringLiteral("Label 42");
        const GdiFont font(SongFont(height, 9), text, false);
        EXPECT_EQ(font.Extent().height(), height);
        EXPECT_EQ(font.Extent().width(), 9 * 8);
    }
}

TEST(GdiFontTest, DrawnLatinTextFillsItsBoxWidth) {
    const QString text = QStringLiteral("HXMH");
    const GdiFont font(SongFont(60, 30), text, false);
    QImage img = WhiteTarget(300, 120);
    {
        QPainter p(&img);
        font.Draw(p, {10, 10}, 0, false);
    }
    const QRect ink = InkBounds(img);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.width(), 120, 120 * 0.06);  // side bearings take a little
    EXPECT_GE(ink.top(), 10);
    EXPECT_LE(ink.bottom(), 70);
}

}  // namespace
}  // namespace kestrix
