// The built-in EAN-13: check digits and refusals (the module patterns are
// proven by decoding), and where its ink goes.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "RenderTestSupport.h"
#include "render/Ean13Code.h"

namespace kestrix {
namespace {

TEST(Ean13CodeTest, ThirteenDigitsStandOthersAreRefused) {
    // Twelve digits get their check digit: odd places count once, even places three times (the
    // acceptance checks' code has the same check digit whichever places count three times).
    EXPECT_EQ(Ean13Code(u"400638133393").Digits(), QStringLiteral("4006381333931"));
    EXPECT_EQ(Ean13Code(u"978014300723").Digits(), QStringLiteral("9780143007234"));
    // A wrong check digit is kept as it stands.
    EXPECT_EQ(Ean13Code(u"5901234123450").Digits(), QStringLiteral("5901234123450"));
    for (std::u16string_view bad : {u"59012341234567", u"59012341234A", u""}) EXPECT_FALSE(Ean13Code(bad).IsValid());
}

// The bar columns of a row are the acceptance checks' (with and without extra pixels). Here: at
// box widths from 60 to 313 pixels at (37, 20) the ink stays in the box (the digits are clipped to
// their band: with u = 1 the 14-pixel digits would overrun a 10-pixel band), and guard bars reach
// 3u above the bottom where data bars stop 10u above it.
TEST(Ean13DrawTest, TheInkStaysInTheBoxAndGuardBarsReachLower) {
    // Box width and height, module width u and the extra pixels of the left half.
    for (const auto [width, height, u, extraLeft] :
         {std::array{204, 150, 2, 0}, {313, 150, 3, 3}, {60, 40, 0, 30}, {110, 40, 1, 4}}) {
        LabelElement e = test::Boxed(kBarcode, 37, 20, width, height, u"590123412345");
        e.nBarcodeType = kBuiltinEan13;
        const QImage img = test::PaintForOutput(e, 700, 200);
        EXPECT_TRUE(QRect(37, 20, width, height).contains(test::InkBounds(img))) << width;
        if (u < 2) continue;
        // The first data bar is module 6, after the extra pixels of the left half.
        const int bottom = 20 + height, guardX = 37 + 7 * u + (extraLeft > 0), dataX = 37 + 13 * u + extraLeft;
        const auto ink = [&](int x, int y) { return test::IsInk(img, x, y) ? '1' : '0'; };
        EXPECT_EQ(std::string({ink(guardX, bottom - 3 * u - 1), ink(guardX, bottom - 3 * u),
                               ink(dataX, bottom - 10 * u - 1), ink(dataX, bottom - 10 * u)}),
                  "1010")
            << width;
    }
}

}  // namespace
}  // namespace kestrix
