// The built-in EAN-13: check digits and refusals (the module patterns are
// proven by decoding), and the bar columns drawn pixel for pixel.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "RenderTestSupport.h"
#include "render/Ean13Code.h"

namespace kestrix {
namespace {

TEST(Ean13CodeTest, ThirteenDigitsStandOthersAreRefused) {
    // Twelve digits get their check digit: odd places count once, even places three times.
    EXPECT_EQ(Ean13Code(u"400638133393").Digits(), QStringLiteral("4006381333931"));
    EXPECT_EQ(Ean13Code(u"978014300723").Digits(), QStringLiteral("9780143007234"));
    // A wrong check digit is kept as it stands.
    EXPECT_EQ(Ean13Code(u"5901234123450").Digits(), QStringLiteral("5901234123450"));
    for (std::u16string_view bad : {u"59012341234567", u"59012341234A", u""}) EXPECT_FALSE(Ean13Code(bad).IsValid());
}

// Bar columns laid out by hand ('1' ink): module i starts at left + 7u + i*u,
// shifted by the extra pixels handed out so far; the first `extra` modules of
// each half are one pixel wider.
std::string ExpectedColumns(const QString& modules, int left, int u, int extraLeft, int extraRight) {
    std::string columns(700, '0');
    for (int i = 0, shift = 0; i < 95; ++i) {
        const bool wide = i < 47 ? i < extraLeft : i - 47 < extraRight;
        shift += wide;
        if (modules[i] == u'1') columns.replace(left + 7 * u + i * u + shift, u + wide, u + wide, '1');
    }
    return columns;
}

// Box widths from 60 to 313 pixels at (37, 20). Below 102 pixels a module is 0
// pixels wide and the bars come from the extra pixels alone. At every width
// the digits are clipped to their band, so no ink leaves the box (with u = 1
// the 14-pixel digits would overrun a 10-pixel band).
TEST(Ean13DrawTest, BarColumnsPixelForPixelAndTheInkInTheBox) {
    const QString modules = Ean13Code(u"590123412345").Modules();
    // Box width and height, module width u and the extra pixels of each half.
    for (const auto [width, height, u, extraLeft, extraRight] : {std::array{204, 150, 2, 0, 0},
                                                                 {210, 150, 2, 3, 3},
                                                                 {313, 150, 3, 3, 4},
                                                                 {60, 40, 0, 30, 30},
                                                                 {101, 40, 0, 50, 51},
                                                                 {110, 40, 1, 4, 4},
                                                                 {150, 40, 1, 24, 24}}) {
        LabelElement e = test::Boxed(kBarcode, 37, 20, width, height, u"590123412345");
        e.nBarcodeType = kBuiltinEan13;
        const QImage img = test::PaintForOutput(e, 700, 200);
        EXPECT_TRUE(QRect(37, 20, width, height).contains(test::InkBounds(img))) << width;
        if (u == 1) continue;
        const int bottom = 20 + height;
        EXPECT_EQ(test::InkRow(img, u ? 20 + (height - 10 * u) / 2 : bottom - 1),
                  ExpectedColumns(modules, 37, u, extraLeft, extraRight))
            << width;
        if (u == 0) continue;
        // Guard bars reach 3u above the bottom, data bars stop 10u above it (the
        // first data bar is module 6, after the extra pixels of the left half).
        const int guardX = 37 + 7 * u + (extraLeft > 0), dataX = 37 + 13 * u + extraLeft;
        const auto ink = [&](int x, int y) { return test::IsInk(img, x, y) ? '1' : '0'; };
        EXPECT_EQ(std::string({ink(guardX, bottom - 3 * u - 1), ink(guardX, bottom - 3 * u),
                               ink(dataX, bottom - 10 * u - 1), ink(dataX, bottom - 10 * u)}),
                  "1010")
            << width;
    }
}

}  // namespace
}  // namespace kestrix
