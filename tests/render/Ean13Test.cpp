// The built-in EAN-13: check digits and refusals (the module patterns are
// proven by decoding), and the bar columns drawn pixel for pixel.
#include <gtest/gtest.h>

#include <string>

#include "RenderTestSupport.h"
#include "render/Ean13Code.h"

namespace kestrix {
namespace {

TEST(Ean13CodeTest, ThirteenDigitsStandOthersAreRefused) {
    // A wrong check digit is kept as it stands.
    EXPECT_EQ(Ean13Code(u"5901234123450").Digits(), QStringLiteral("5901234123450"));
    for (std::u16string_view bad : {u"59012341234567", u"59012341234A", u""})
        EXPECT_FALSE(Ean13Code(bad).IsValid());
}

// Bar columns laid out by hand ('1' ink): module i starts at left + 7u + i*u,
// shifted by the extra pixels handed out so far; the first `extra` modules of
// each half are one pixel wider.
std::string ExpectedColumns(const QString& modules, int left, int u, int extraLeft,
                            int extraRight) {
    std::string columns(700, '0');
    int shift = 0;
    for (int i = 0; i < 95; ++i) {
        const bool wide = i < 47 ? i < extraLeft : i - 47 < extraRight;
        shift += wide;
        const int at = left + 7 * u + i * u + shift;
        if (modules[i] == u'1') columns.replace(at, u + wide, u + wide, '1');
    }
    return columns;
}

TEST(Ean13DrawTest, BarColumnsPixelForPixel) {
    struct Case {
        int width, u, extraLeft, extraRight;
    };
    const QString modules = Ean13Code(u"590123412345").Modules();
    for (const Case c : {Case{204, 2, 0, 0}, Case{210, 2, 3, 3}, Case{313, 3, 3, 4}}) {
        CodeImageCache codes;
        LabelElement e = test::Boxed(kBarcode, 37, 20, c.width, 150, u"590123412345");
        e.nBarcodeType = kBuiltinEan13;
        const QImage img = test::PaintForOutput(e, codes, 700, 200);
        const int y = 20 + (150 - 10 * c.u) / 2;
        std::string row(700, '0');
        for (int x = 0; x < 700; ++x) row[x] = test::IsInk(img, x, y) ? '1' : '0';
        EXPECT_EQ(row, ExpectedColumns(modules, 37, c.u, c.extraLeft, c.extraRight)) << c.width;
        // Guard bars reach 3u above the bottom, data bars stop 10u above it (the
        // first data bar is module 6, after the extra pixels of the left half).
        const int guardX = 37 + 7 * c.u + (c.extraLeft > 0), dataX = 37 + 13 * c.u + c.extraLeft;
        EXPECT_TRUE(test::IsInk(img, guardX, 170 - 3 * c.u - 1));
        EXPECT_FALSE(test::IsInk(img, guardX, 170 - 3 * c.u));
        EXPECT_TRUE(test::IsInk(img, dataX, 170 - 10 * c.u - 1));
        EXPECT_FALSE(test::IsInk(img, dataX, 170 - 10 * c.u));
    }
}

// Below 102 pixels a module is 0 pixels wide and the bars come from the extra
// pixels alone. At every width the digits are clipped to their band, so no ink
// leaves the box (with u = 1 the 14-pixel digits would overrun a 10-pixel band).
TEST(Ean13DrawTest, NarrowBoxesDrawTheirBarsAndKeepTheInkInTheBox) {
    const QString modules = Ean13Code(u"590123412345").Modules();
    for (const int width : {60, 101, 110, 150}) {
        CodeImageCache codes;
        LabelElement e = test::Boxed(kBarcode, 37, 20, width, 40, u"590123412345");
        e.nBarcodeType = kBuiltinEan13;
        const QImage img = test::PaintForOutput(e, codes, 700, 200);
        EXPECT_TRUE(QRect(37, 20, width, 40).contains(test::InkBounds(img))) << width;
        if (width >= 102) continue;
        std::string row(700, '0');
        for (int x = 0; x < 700; ++x) row[x] = test::IsInk(img, x, 59) ? '1' : '0';
        EXPECT_EQ(row, ExpectedColumns(modules, 37, 0, width / 2, width - width / 2)) << width;
    }
}

TEST(Ean13DrawTest, InvalidContentDrawsNoCodeButAScreenMark) {
    CodeImageCache codes;
    LabelElement e = test::Boxed(kBarcode, 10, 10, 204, 100, u"12345");
    e.nBarcodeType = kBuiltinEan13;
    e.bSelected = 1;
    EXPECT_TRUE(test::InkBounds(test::PaintForOutput(e, codes, 300, 150)).isEmpty());
    QImage screen = test::WhiteTarget(300, 150);
    RenderContext ctx;
    ctx.codes = &codes;
    test::PaintInto(screen, e, ctx);
    EXPECT_FALSE(test::InkBounds(screen).isEmpty());
    EXPECT_EQ(e.ptHandles[0].x, 2);
}

}  // namespace
}  // namespace kestrix
