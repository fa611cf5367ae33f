#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "render/GdiFont.h"

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

TEST(GdiFontTest, SongFaceKeepsTheCellModel) {
    // Two Latin letters are as wide as one ideograph at the natural size.
    const int latin = GdiFont(SongFont(100), QStringLiteral("AB"), true).Extent().width();
    const int ideograph =
        GdiFont(SongFont(100), QString::fromUtf16(u"\u4e2d"), true).Extent().width();
    EXPECT_GT(latin, 0);
    EXPECT_NEAR(latin, ideograph, 1);
}

TEST(GdiFontTest, CellHeightAndStretchedWidthFillTheBox) {
    for (int height : {12, 20, 47, 120}) {
        const QString text = QStringLiteral("Label 42");
        const GdiFont font(SongFont(height, 9), text, false);
        EXPECT_EQ(font.Extent().height(), height);
        EXPECT_EQ(font.Extent().width(), 9 * 8);
    }
}

LabelElement TextElement(std::u16string_view text, int x, int y, int w, int h) {
    LabelElement e = CreateElement(kText, {x, y}, text);
    e.nWidth = w;
    e.nHeight = h;
    e.bSelected = 0;
    return e;
}

TEST(TextOutput, FillsTheBoxAndWritesTheFontFields) {
    CodeImageCache codes;
    LabelElement e = TextElement(u"HXMH", 20, 30, 200, 60);
    const QImage img = test::PaintForOutput(e, codes, 300, 120);
    EXPECT_EQ(e.logFont.lfHeight, 60);
    EXPECT_EQ(e.logFont.lfWidth, 50);
    const QRect ink = test::InkBounds(img);
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.right(), 220);
    EXPECT_GE(ink.top(), 30);
    EXPECT_LE(ink.bottom(), 90);
    EXPECT_NEAR(ink.width(), 200, 200 * 0.03);
    EXPECT_EQ(GdiFont(e.logFont, QStringLiteral("HXMH"), false).Extent(), QSize(200, 60));
}

TEST(TextOutput, ChineseCharactersTakeTwoCells) {
    CodeImageCache codes;
    LabelElement latin = TextElement(u"ABCD", 10, 10, 240, 60);
    LabelElement chinese = TextElement(u"\u4e2d\u6587\u6807\u7b7e", 10, 10, 240, 60);
    test::PaintForOutput(latin, codes, 300, 100);
    const QImage img = test::PaintForOutput(chinese, codes, 300, 100);
    EXPECT_EQ(latin.logFont.lfWidth, 60);
    EXPECT_EQ(chinese.logFont.lfWidth, 30);
    const QRect ink = test::InkBounds(img);
    EXPECT_NEAR(ink.width(), 240, 240 * 0.06);  // ideographs keep a margin in their cell
    // Turned, the same box spreads its width over plain characters instead.
    chinese.nEscapement = 900;
    test::PaintForOutput(chinese, codes, 400, 400);
    EXPECT_EQ(chinese.logFont.lfWidth, 60);
    EXPECT_EQ(chinese.logFont.lfEscapement, 900);
}

TEST(TextOutput, UnderlineRunsUnderTheWholeText) {
    CodeImageCache codes;
    LabelElement e = TextElement(u"I  I", 10, 10, 160, 50);
    e.logFont.lfUnderline = 1;
    const QImage img = test::PaintForOutput(e, codes, 200, 80);
    int widest = 0;
    for (int y = 35; y < 60; ++y)
        widest = std::max(widest, test::InkCount(img, QRect(0, y, 200, 1)));
    EXPECT_GT(widest, 150);
}

TEST(TextOutput, LaterTextCoversEarlierCells) {
    QImage img = test::WhiteTarget(200, 80);
    CodeImageCache codes;
    RenderContext ctx;
    ctx.forOutput = true;
    ctx.codes = &codes;
    LabelElement under = TextElement(u"MMMM", 10, 10, 160, 50);
    LabelElement over = TextElement(u"....", 10, 10, 160, 50);
    QPainter p(&img);
    PaintElement(p, under, ctx);
    PaintElement(p, over, ctx);
    p.end();
    // The dots sit on the baseline; the top half of the cells is blank again.
    EXPECT_EQ(test::InkCount(img, QRect(10, 10, 160, 20)), 0);
}

TEST(TextScreen, NewTextTakesItsBoxFromTheNaturalSize) {
    LabelElement e = TextElement(u"Hello", 10, 10, 0, 0);
    e.bSelected = 1;
    QImage img = test::WhiteTarget(300, 120);
    RenderContext ctx;
    ctx.scaleX = 2.0;
    ctx.scaleY = 2.0;
    QPainter p(&img);
    PaintElement(p, e, ctx);
    p.end();
    const QSize natural = GdiFont(
                              [&] {
                                  LogFont lf = e.logFont;
                                  lf.lfHeight = 40;
                                  return lf;
                              }(),
                              QStringLiteral("Hello"), true)
                              .Extent();
    EXPECT_EQ(e.nHeight, 20);
    EXPECT_EQ(e.nWidth, natural.width() / 2);
    EXPECT_EQ(e.nOrgWidth, e.nWidth);
    EXPECT_EQ(e.nOrgHeight, e.nHeight);
    // Handles around the measured text at (20, 20).
    EXPECT_EQ(e.ptHandles[0].x, 12);
    EXPECT_EQ(e.ptHandles[0].y, 12);
    EXPECT_EQ(e.ptHandles[7].x, 20 + natural.width() + 8);
    EXPECT_EQ(e.ptHandles[7].y, 20 + 40 + 2);
    EXPECT_FALSE(test::InkBounds(img).isEmpty());
}

TEST(TextScreen, EmptyTextDrawsNothing) {
    LabelElement e = TextElement(u"", 10, 10, 50, 20);
    e.bSelected = 1;
    QImage img = test::WhiteTarget(100, 60);
    RenderContext ctx;
    QPainter p(&img);
    PaintElement(p, e, ctx);
    p.end();
    EXPECT_TRUE(test::InkBounds(img).isEmpty());
}

TEST(TextRotation, TurnedTextStaysOnTheBoxCentre) {
    CodeImageCache codes;
    for (int rotation : {900, 1800, 2700, -900}) {
        LabelElement e = TextElement(u"HHHHHH", 100, 120, 120, 30);
        e.nEscapement = rotation;
        const QImage img = test::PaintForOutput(e, codes, 400, 400);
        const QRect ink = test::InkBounds(img);
        ASSERT_FALSE(ink.isEmpty()) << rotation;
        EXPECT_NEAR(ink.center().x(), 160, 6) << rotation;
        EXPECT_NEAR(ink.center().y(), 135, 6) << rotation;
        const bool sideways = rotation == 900 || rotation == 2700 || rotation == -900;
        EXPECT_NEAR(sideways ? ink.height() : ink.width(), 120, 12) << rotation;
    }
}

}  // namespace
}  // namespace kestrix
