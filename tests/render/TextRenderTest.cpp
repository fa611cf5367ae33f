#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "render/GdiFont.h"

namespace kestrix {
namespace {

using test::Boxed;

TEST(TextCells, CountsNonzeroUtf16Bytes) {
    const std::pair<std::u16string_view, int> cases[] = {
        {u"ABCD", 4}, {u"\u4e2d\u6587\u6807\u7b7e", 8}, {u"\u0100", 1}, {u"\u4e00", 1}, {u"", 0}};
    for (const auto& [text, cells] : cases) EXPECT_EQ(CountTextCells(text), cells) << cells;
}

TEST(GdiFontTest, CellHeightAndStretchedWidthFillTheBox) {
    LogFont lf = CreateElement(kText, {0, 0}).logFont;  // the default Song face
    lf.lfWidth = 9;
    for (int height : {12, 20, 47, 120}) {
        lf.lfHeight = height;
        EXPECT_EQ(GdiFont(lf, QStringLiteral("Label 42"), false).Extent(), QSize(9 * 8, height));
    }
}

TEST(TextOutput, FillsTheBoxAndWritesTheFontFields) {
    CodeImageCache codes;
    LabelElement e = Boxed(kText, 20, 30, 200, 60, u"HXMH");
    const QRect ink = test::InkBounds(test::PaintForOutput(e, codes, 300, 120));
    EXPECT_EQ(e.logFont.lfHeight, 60);
    EXPECT_EQ(e.logFont.lfWidth, 50);
    EXPECT_TRUE(QRect(20, 30, 201, 61).contains(ink)) << ink.x() << "," << ink.y();
    EXPECT_NEAR(ink.width(), 200, 200 * 0.03);
}

TEST(TextOutput, ChineseCharactersTakeTwoCells) {
    CodeImageCache codes;
    LabelElement latin = Boxed(kText, 10, 10, 240, 60, u"ABCD");
    LabelElement chinese = Boxed(kText, 10, 10, 240, 60, u"\u4e2d\u6587\u6807\u7b7e");
    test::PaintForOutput(latin, codes, 300, 100);
    const QImage img = test::PaintForOutput(chinese, codes, 300, 100);
    EXPECT_EQ(latin.logFont.lfWidth, 60);
    EXPECT_EQ(chinese.logFont.lfWidth, 30);
    EXPECT_NEAR(test::InkBounds(img).width(), 240, 240 * 0.06);  // ideographs keep a margin
    // Turned, the same box spreads its width over plain characters instead.
    chinese.nEscapement = 900;
    test::PaintForOutput(chinese, codes, 400, 400);
    EXPECT_EQ(chinese.logFont.lfWidth, 60);
    EXPECT_EQ(chinese.logFont.lfEscapement, 900);
}

TEST(TextOutput, UnderlineRunsUnderTheWholeText) {
    CodeImageCache codes;
    LabelElement e = Boxed(kText, 10, 10, 160, 50, u"I  I");
    e.logFont.lfUnderline = 1;
    const QImage img = test::PaintForOutput(e, codes, 200, 80);
    int widest = 0;
    for (int y = 35; y < 60; ++y)
        widest = std::max(widest, test::InkCount(img, QRect(0, y, 200, 1)));
    EXPECT_GT(widest, 150);
}

TEST(TextOutput, LaterTextCoversEarlierCells) {
    CodeImageCache codes;
    LabelElement under = Boxed(kText, 10, 10, 160, 50, u"MMMM");
    LabelElement over = Boxed(kText, 10, 10, 160, 50, u"....");
    QImage img = test::PaintForOutput(under, codes, 200, 80);
    RenderContext ctx;
    ctx.forOutput = true;
    ctx.codes = &codes;
    test::PaintInto(img, over, ctx);
    // The dots sit on the baseline; the top half of the cells is blank again.
    EXPECT_EQ(test::InkCount(img, QRect(10, 10, 160, 20)), 0);
}

TEST(TextScreen, NewTextTakesItsBoxFromTheNaturalSize) {
    LabelElement e = CreateElement(kText, {10, 10}, u"Hello");
    RenderContext ctx;
    ctx.scaleX = ctx.scaleY = 2.0;
    QImage img = test::WhiteTarget(300, 120);
    test::PaintInto(img, e, ctx);
    LogFont zoomed = e.logFont;
    zoomed.lfHeight = 40;
    const int naturalWidth = GdiFont(zoomed, QStringLiteral("Hello"), true).Extent().width();
    // Box and original size in dots; handles around the measured text at (20, 20).
    EXPECT_EQ(std::vector<int>({e.nWidth, e.nHeight, e.nOrgWidth, e.nOrgHeight, e.ptHandles[0].x,
                                e.ptHandles[0].y, e.ptHandles[7].x, e.ptHandles[7].y}),
              std::vector<int>({naturalWidth / 2, 20, naturalWidth / 2, 20, 12, 12,
                                20 + naturalWidth + 8, 20 + 40 + 2}));
    EXPECT_FALSE(test::InkBounds(img).isEmpty());
}

TEST(TextRotation, TurnedTextStaysOnTheBoxCentre) {
    CodeImageCache codes;
    for (int rotation : {900, 1800, 2700, -900}) {
        LabelElement e = Boxed(kText, 100, 120, 120, 30, u"HHHHHH");
        e.nEscapement = rotation;
        const QRect ink = test::InkBounds(test::PaintForOutput(e, codes, 400, 400));
        ASSERT_FALSE(ink.isEmpty()) << rotation;
        EXPECT_NEAR(ink.center().x(), 160, 6) << rotation;
        EXPECT_NEAR(ink.center().y(), 135, 6) << rotation;
        EXPECT_NEAR(rotation == 1800 ? ink.width() : ink.height(), 120, 12) << rotation;
    }
}

}  // namespace
}  // namespace kestrix
