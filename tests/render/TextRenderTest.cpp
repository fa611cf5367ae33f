// Texts: cells and font sizes from the box, ink within it, turns about its
// centre, and the natural size a new text takes on screen.
#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "render/GdiFont.h"

namespace kestrix {
namespace {

using test::Boxed;

// A character takes one cell per nonzero byte of its UTF-16 form.
TEST(TextCells, CellHeightAndStretchedWidthFillTheBox) {
    const std::pair<std::u16string_view, int> cases[] = {
        {u"ABCD", 4}, {u"\u4e2d\u6587\u6807\u7b7e", 8}, {u"\u0100", 1}, {u"\u4e00", 1}, {u"", 0}};
    for (const auto& [text, cells] : cases) EXPECT_EQ(CountTextCells(text), cells) << cells;
    LogFont lf = CreateElement(kText, {0, 0}).logFont;  // the default Song face
    lf.lfWidth = 9;
    for (int height : {12, 20, 47, 120}) {
        lf.lfHeight = height;
        EXPECT_EQ(GdiFont(lf, QStringLiteral("Label 42"), false).Extent(), QSize(9 * 8, height));
    }
}

// Output sets the font fields from the box: the height, the width over the cells.
TEST(TextOutput, FillsTheBoxOverItsCells) {
    LabelElement e = Boxed(kText, 20, 30, 200, 60, u"HXMH");
    const QRect ink = test::InkBounds(test::PaintForOutput(e, 300, 120));
    EXPECT_EQ(QSize(e.logFont.lfWidth, e.logFont.lfHeight), QSize(50, 60));
    EXPECT_TRUE(QRect(20, 30, 201, 61).contains(ink)) << ink.x() << "," << ink.y();
    EXPECT_NEAR(ink.width(), 200, 200 * 0.03);

    LabelElement chinese = Boxed(kText, 10, 10, 240, 60, u"\u4e2d\u6587\u6807\u7b7e");
    EXPECT_NEAR(test::InkBounds(test::PaintForOutput(chinese, 300, 100)).width(), 240, 240 * 0.06);
    EXPECT_EQ(chinese.logFont.lfWidth, 30) << "ideographs take two cells";
    // Turned, the same box spreads its width over plain characters instead.
    chinese.nEscapement = 900;
    test::PaintForOutput(chinese, 400, 400);
    EXPECT_EQ(QSize(chinese.logFont.lfWidth, chinese.logFont.lfEscapement), QSize(60, 900));
}

// An underline runs under the whole text; a later text covers the cells of an earlier one.
TEST(TextOutput, UnderlineRunsUnderTheWholeTextAndLaterTextCoversEarlierCells) {
    LabelElement e = Boxed(kText, 10, 10, 160, 50, u"I  I");
    e.logFont.lfUnderline = 1;
    const QImage underlined = test::PaintForOutput(e, 200, 80);
    long widest = 0;
    for (int y = 35; y < 60; ++y) widest = std::max(widest, std::ranges::count(test::InkRow(underlined, y), '1'));
    EXPECT_GT(widest, 150);

    LabelElement under = Boxed(kText, 10, 10, 160, 50, u"MMMM");
    LabelElement over = Boxed(kText, 10, 10, 160, 50, u"....");
    const QImage img = test::Paint(over, 0, 0, {.forOutput = true}, test::PaintForOutput(under, 200, 80));
    // The dots sit on the baseline; the top half of the cells is blank again.
    EXPECT_TRUE(test::InkBounds(img, QRect(10, 10, 160, 20)).isEmpty());
}

TEST(TextScreen, NewTextTakesItsBoxFromTheNaturalSize) {
    LabelElement e = CreateElement(kText, {10, 10}, u"Hello");
    const QImage img = test::Paint(e, 300, 120, {.scaleX = 2.0, .scaleY = 2.0});
    LogFont zoomed = e.logFont;
    zoomed.lfHeight = 40;
    const int naturalWidth = GdiFont(zoomed, QStringLiteral("Hello"), true).Extent().width();
    // Box and original size in dots; handles around the measured text at (20, 20).
    EXPECT_EQ(
        std::vector<int>({e.nWidth, e.nHeight, e.nOrgWidth, e.nOrgHeight, e.ptHandles[0].x, e.ptHandles[0].y,
                          e.ptHandles[7].x, e.ptHandles[7].y}),
        std::vector<int>({naturalWidth / 2, 20, naturalWidth / 2, 20, 12, 12, 20 + naturalWidth + 8, 20 + 40 + 2}));
    EXPECT_FALSE(test::InkBounds(img).isEmpty());
}

TEST(TextRotation, TurnedTextStaysOnTheBoxCentre) {
    for (int rotation : {900, 1800, 2700, -900}) {
        LabelElement e = Boxed(kText, 100, 120, 120, 30, u"HHHHHH");
        e.nEscapement = rotation;
        const QRect ink = test::InkBounds(test::PaintForOutput(e, 400, 400));
        ASSERT_FALSE(ink.isEmpty()) << rotation;
        EXPECT_NEAR(ink.center().x(), 160, 6) << rotation;
        EXPECT_NEAR(ink.center().y(), 135, 6) << rotation;
        EXPECT_NEAR(rotation == 1800 ? ink.width() : ink.height(), 120, 12) << rotation;
    }
}

}  // namespace
}  // namespace kestrix
