// The element record: creation values of every kind, the text field's limits,
// turns and serial numbers.

#include <gtest/gtest.h>

#include "DocumentTestSupport.h"
#include "document/SerialNumber.h"

namespace kestrix {
namespace {

// What a creator must return: position, size, the font of the kinds with text.
LabelElement Want(int32_t type, ElementPoint at, int width, int height, int fontHeight, int fontWeight,
                  std::u16string_view content) {
    LabelElement e{};
    std::tie(e.nType, e.nPosX, e.nOrgPosX, e.nPosY, e.nOrgPosY) = std::tuple{type, at.x, at.x, at.y, at.y};
    std::tie(e.nWidth, e.nOrgWidth, e.nHeight, e.nOrgHeight) = std::tuple{width, width, height, height};
    std::tie(e.nSize, e.bSelected, e.logFont.lfHeight, e.logFont.lfWeight) = std::tuple{-1, 1, fontHeight, fontWeight};
    if (fontHeight != 0) SetFaceName(e.logFont, u"\u5b8b\u4f53");
    SetElementText(e, content);
    return e;
}

TEST(ElementCreation, EveryKindStartsWithItsOwnValues) {
    LabelElement barcode = Want(kBarcode, {5, 6}, 300, 80, 20, 800, u"0123456789");  // Code 128 with caption
    std::tie(barcode.nBarcodeType, barcode.nTextHeight, barcode.bShowText) = std::tuple(20, 15, 1);
    LabelElement qr = Want(kCode2D, {7, 8}, 100, 100, 14, 400, u"012345678");
    std::tie(qr.nSrcWidth, qr.nSrcHeight, qr.nBarcodeType) = std::tuple(100, 100, 58);
    // A line's end is dragged from its start, in canvas pixels; a rectangle by its corner.
    LabelElement line = Want(kLine, {10, 20}, 0, 0, 0, 0, {});
    std::tie(line.nEndX, line.nEndY, line.nLineWidth, line.nSize) = std::tuple(25, 50, 4, 1);
    LabelElement shape = Want(kShape, {30, 40}, 0, 0, 0, 0, {});
    std::tie(shape.nEndX, shape.nEndY, shape.nLineWidth, shape.nSize) = std::tuple(30, 40, 4, 7);
    LabelElement picture = Want(kPicture, {0, 0}, 100, 66, 0, 0, u"/home/u/logo.png");  // 200 / 300, truncated
    std::tie(picture.nSrcWidth, picture.nSrcHeight) = std::tuple(300, 200);
    const std::pair<LabelElement, LabelElement> cases[] = {
        // A text has no size of its own: it is drawn at its natural size.
        {CreateElement(kText, {12, 34}, u"Text"), Want(kText, {12, 34}, 0, 0, 20, 400, u"Text")},
        {CreateElement(kBarcode, {5, 6}, u"0123456789"), barcode},
        {CreateElement(kCode2D, {7, 8}, u"012345678"), qr},
        {CreateElement(kLine, {10, 20}, {}, {25, 50}), line},
        {CreateElement(kShape, {30, 40}), shape},
        {CreatePictureElement({0, 0}, u"/home/u/logo.png", 300, 200), picture},
    };
    for (const auto& [got, want] : cases) EXPECT_EQ(test::Records({got}), test::Records({want})) << want.nType;
    EXPECT_EQ(CreatePictureElement({0, 0}, u"p", 0, 0).nHeight, 0) << "an empty image must not divide by zero";
    // Negative turns count from a full circle.
    EXPECT_EQ(std::pair(NormalizedEscapement(-900), NormalizedEscapement(1800)), std::pair(2700, 1800));
}

TEST(ElementText, HoldsAtMost255CodeUnitsAndReadsWithinItsField) {
    LabelElement e = CreateElement(kText, {0, 0});  // bSelected 1 right behind the field
    SetElementText(e, std::u16string(300, u'y'));
    EXPECT_EQ(ElementText(e), std::u16string(255, u'y'));
    EXPECT_EQ(e.str[255], u'\0');
    SetElementText(e, u"short");
    EXPECT_EQ(e.str[6], u'\0') << "a shorter text clears the rest of the field";
    SetElementText(e, std::u16string(254, u'a') + u"\U0001F600");
    EXPECT_EQ(ElementText(e), std::u16string(254, u'a')) << "a surrogate pair is never split";
    std::fill(std::begin(e.str), std::end(e.str), u'z');
    EXPECT_EQ(ElementText(e).size(), 256u) << "no terminator";
}

// Trailing digits count by one per output draw and wrap at the width of the
// number; step, limit and reset play no part. Each case: the text, the mode,
// the draws, the text after them and whether the last draw changed it.
TEST(SerialNumber, AdvancesTheTrailingDigitsAndReportsAChange) {
    const std::tuple<std::u16string, int, int, std::u16string, bool> cases[] = {
        {u"0001", 1, 3, u"0004", true},
        {u"0010", 2, 1, u"0009", true},
        {u"999", 1, 1, u"000", true},
        {u"000", 2, 1, u"999", true},
        {u"LOT9", 1, 1, u"LOT0", true},
        {u"A-0099", 1, 1, u"A-0100", true},
        {u"B-1000", 2, 1, u"B-0999", true},
        {u"98", 1, 2, u"00", true},
        {u"9", 1, 11, u"0", true},
        {u"\u6807\u7b7e9", 1, 1, u"\u6807\u7b7e0", true},
        {u"12A", 1, 1, u"12A", false},
        {u"N-", 2, 1, u"N-", false},
        {u"0001", 0, 5, u"0001", false},
        {u"0001", 3, 1, u"0001", false},
        {u"0001", -1, 1, u"0001", false},
        {u"", 1, 1, u"", false},
        {std::u16string(255, u'9'), 1, 1, std::u16string(255, u'0'), true},
    };
    for (const auto& [before, mode, draws, after, changes] : cases) {
        SCOPED_TRACE(QString::fromStdU16String(before).toStdString() + " mode " + std::to_string(mode));
        LabelElement e = CreateElement(kBarcode, {0, 0}, before);
        std::tie(e.nSerialMode, e.nSerialStep, e.nSerialLimit, e.nSerialReset) = std::tuple(mode, 5, 99, 1);
        bool changed = false;
        for (int i = 0; i < draws; ++i) changed = AdvanceSerial(e);
        EXPECT_EQ(ElementText(e), after);
        EXPECT_EQ(changed, changes);
    }
}

}  // namespace
}  // namespace kestrix
