#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "render/Ean13Code.h"
#include "render/Ean13Drawing.h"

namespace kestrix {
namespace {

TEST(Ean13CodeTest, CheckDigitIsAppendedToTwelveDigits) {
    EXPECT_EQ(Ean13CheckDigit(u"590123412345"), QChar(u'7'));
    EXPECT_EQ(Ean13CheckDigit(u"400638133393"), QChar(u'1'));
    EXPECT_EQ(Ean13CheckDigit(u"000000000000"), QChar(u'0'));
    EXPECT_EQ(Ean13Code(u"590123412345").Digits(), QStringLiteral("5901234123457"));
    // Thirteen digits are taken as they stand, a wrong check digit included.
    EXPECT_EQ(Ean13Code(u"5901234123450").Digits(), QStringLiteral("5901234123450"));
}

TEST(Ean13CodeTest, RefusesWhatItCannotEncode) {
    EXPECT_FALSE(Ean13Code(u"12345").IsValid());
    EXPECT_FALSE(Ean13Code(u"59012341234567").IsValid());
    EXPECT_FALSE(Ean13Code(u"59012341234A").IsValid());
    EXPECT_FALSE(Ean13Code(u"").IsValid());
}

TEST(Ean13CodeTest, ModulesFollowTheParityOfTheLeadingDigit) {
    const QString m = Ean13Modules(u"0012345678905");
    ASSERT_EQ(m.size(), 95);
    EXPECT_EQ(m.left(3), QStringLiteral("101"));
    EXPECT_EQ(m.mid(45, 5), QStringLiteral("01010"));
    EXPECT_EQ(m.right(3), QStringLiteral("101"));
    // Leading 0: the left half is set A only (digits 0 1 2 3 4 5).
    EXPECT_EQ(m.mid(3, 42), QStringLiteral("000110100110010010011011110101000110110001"));
    // Right half is set C (digits 6 7 8 9 0 5).
    EXPECT_EQ(m.mid(50, 42), QStringLiteral("101000010001001001000111010011100101001110"));
    // Leading 5: A B B A A B for the left half; digit 9 in set B is 0010111.
    const QString five = Ean13Modules(u"5901234123457");
    EXPECT_EQ(five.mid(3, 7), QStringLiteral("0001011"));   // 9 in A
    EXPECT_EQ(five.mid(10, 7), QStringLiteral("0100111"));  // 0 in B
}

using Runs = std::vector<std::pair<int, int>>;

// Runs [start, end) of the columns x < n for which black(x) holds.
template <typename Black>
Runs ColumnRuns(int n, Black black) {
    Runs runs;
    for (int x = 0; x < n; ++x) {
        if (!black(x)) continue;
        if (!runs.empty() && runs.back().second == x)
            ++runs.back().second;
        else
            runs.push_back({x, x + 1});
    }
    return runs;
}

Runs BlackRuns(const QImage& img, int y) {
    return ColumnRuns(img.width(), [&](int x) { return test::IsInk(img, x, y); });
}

// Bars laid out by hand: module i starts at left + 7u + i*u, shifted by the
// extra pixels handed out so far; the first `extra` modules of each half are
// one pixel wider.
Runs ExpectedRuns(const QString& modules, int left, int u, int extraLeft, int extraRight) {
    std::vector<bool> black(2000, false);
    int shift = 0;
    for (int i = 0; i < 95; ++i) {
        const bool wide = i < 47 ? i < extraLeft : i - 47 < extraRight;
        shift += wide;
        if (modules[i] == u'1')
            for (int c = 0; c < u + wide; ++c) black[left + 7 * u + i * u + shift + c] = true;
    }
    return ColumnRuns(2000, [&](int x) { return black[x]; });
}

TEST(Ean13DrawTest, BarColumnsPixelForPixel) {
    struct Case {
        int width, u, extraLeft, extraRight;
    };
    for (const Case c :
         {Case{204, 2, 0, 0}, Case{210, 2, 3, 3}, Case{313, 3, 3, 4}, Case{408, 4, 0, 0}}) {
        CodeImageCache codes;
        LabelElement e = CreateElement(kBarcode, {37, 20}, u"590123412345");
        e.nBarcodeType = kBuiltinEan13;
        e.nWidth = c.width;
        e.nHeight = 150;
        e.bSelected = 0;
        const QImage img = test::PaintForOutput(e, codes, 700, 200);
        const QString modules = Ean13Modules(u"5901234123457");
        const int y = 20 + (150 - 10 * c.u) / 2;
        EXPECT_EQ(BlackRuns(img, y), ExpectedRuns(modules, 37, c.u, c.extraLeft, c.extraRight))
            << "width " << c.width;
        // Guard bars reach 3u above the bottom, data bars stop 10u above it.
        const int guardX = 37 + 7 * c.u + (c.extraLeft > 0 ? 1 : 0);
        EXPECT_TRUE(test::IsInk(img, guardX, 170 - 3 * c.u - 1));
        EXPECT_FALSE(test::IsInk(img, guardX, 170 - 3 * c.u));
        const int dataRow = 170 - 10 * c.u;
        const int firstDataBar = BlackRuns(img, y)[2].first;
        EXPECT_TRUE(test::IsInk(img, firstDataBar, dataRow - 1));
        EXPECT_FALSE(test::IsInk(img, firstDataBar, dataRow));
    }
}

TEST(Ean13DrawTest, InvalidContentDrawsNoCode) {
    CodeImageCache codes;
    LabelElement e = CreateElement(kBarcode, {10, 10}, u"12345");
    e.nBarcodeType = kBuiltinEan13;
    e.nWidth = 204;
    e.nHeight = 100;
    EXPECT_TRUE(test::InkBounds(test::PaintForOutput(e, codes, 300, 150)).isEmpty());
    // On screen a mark remains so the element can be found.
    QImage screen = test::WhiteTarget(300, 150);
    RenderContext ctx;
    ctx.codes = &codes;
    QPainter p(&screen);
    PaintElement(p, e, ctx);
    p.end();
    EXPECT_FALSE(test::InkBounds(screen).isEmpty());
    EXPECT_EQ(e.ptHandles[0].x, 2);
}

}  // namespace
}  // namespace kestrix
