// Every symbology the independent decoder reads is rendered in output form,
// upright and turned, and decoded back to its content.
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "RenderTestSupport.h"

namespace kestrix {
namespace {

struct CodeCase {
    const char* name;
    int type, symbology;  // nType (2 linear, 3 two-dimensional), nBarcodeType
    const char16_t* data;
    std::string expect;  // a part of the decoded text
    int width, height;
    bool uprightOnly = false;  // the decoder finds this symbology only upright
};

std::string Decode(const QImage& img) {
    const ZXing::ImageView view(img.constBits(), img.width(), img.height(), ZXing::ImageFormat::BGRX,
                                img.bytesPerLine());
    const ZXing::Result result = ZXing::ReadBarcode(
        view, ZXing::DecodeHints().setTryHarder(true).setTryRotate(true).setTryCode39ExtendedMode(true));
    return result.isValid() ? result.text() : std::string("<none>");
}

class CodeDecodes : public testing::TestWithParam<CodeCase> {};

TEST_P(CodeDecodes, UprightAndTurned) {
    const CodeCase& c = GetParam();
    const int side = std::max(c.width, c.height) + 160;  // any turn fits, with a quiet margin
    for (int rotation : {0, 900, 1800, 2700}) {
        if (c.uprightOnly && rotation != 0) continue;
        LabelElement e = test::Boxed(c.type, (side - c.width) / 2, (side - c.height) / 2, c.width, c.height, c.data);
        e.nBarcodeType = c.symbology;
        e.nEscapement = rotation;
        const std::string got = Decode(test::PaintForOutput(e, side, side));
        EXPECT_NE(got.find(c.expect), std::string::npos) << c.name << " turned " << rotation << " decoded as " << got;
    }
}

const CodeCase kCases[] = {{"code128", 2, 20, u"Kestrix-128", "Kestrix-128", 500, 160},
                           {"code128b", 2, 60, u"ABC-123", "ABC-123", 420, 160},
                           {"code39", 2, 8, u"CODE39", "CODE39", 520, 160},
                           {"excode39", 2, 9, u"Ext39ab", "Ext39ab", 600, 160},
                           {"code93", 2, 25, u"CODE93", "CODE93", 420, 160},
                           {"ean_x", 2, 13, u"590123412345", "5901234123457", 400, 200},
                           {"gs1_128", 2, 16, u"[01]09501101530003", "09501101530003", 520, 160},
                           {"upc_a", 2, 34, u"01234567890", "12345678905", 400, 200},
                           {"upc_e", 2, 37, u"0123456", "123456", 300, 200},
                           {"itf14", 2, 89, u"1234567890123", "1234567890123", 600, 200},
                           {"codabar", 2, 18, u"A123456B", "123456", 420, 160},
                           {"ean14", 2, 72, u"1234567890123", "1234567890123", 600, 160},
                           {"ean13_builtin", 2, 113, u"590123412345", "5901234123457", 306, 150},
                           {"qr", 3, 58, u"Kestrix QR 0042", "Kestrix QR 0042", 200, 200},
                           {"pdf417", 3, 55, u"PDF417 label", "PDF417 label", 440, 180},
                           {"datamatrix", 3, 71, u"DM-4567", "DM-4567", 160, 160},
                           {"pdf417trunc", 3, 56, u"Compact 417", "Compact 417", 300, 300},
                           {"maxicode", 3, 57, u"Kestrix Maxi", "Kestrix Maxi", 300, 300, true},
                           {"qr_utf8", 3, 58, u"\u6807\u7b7e Label", "\xe6\xa0\x87\xe7\xad\xbe Label", 200, 200}};

INSTANTIATE_TEST_SUITE_P(Symbologies, CodeDecodes, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrix
