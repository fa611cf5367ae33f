// The element record: creation values, the text field's limits, turns, serial
// numbers, and millimetres and dots as the dialogs convert them.

#include <gtest/gtest.h>

#include <climits>

#include "DocumentTestSupport.h"
#include "document/SerialNumber.h"
#include "document/Units.h"

namespace kestrix {
namespace {

// The creation values of the other kinds are those of the example labels (LabelFileTest).
TEST(ElementCreation, LinesShapesAndPictures) {
    const LabelElement line = CreateElement(kLine, {10, 20}, {}, {25, 50});
    const LabelElement shape = CreateElement(kShape, {30, 40});
    const LabelElement picture = CreatePictureElement({0, 0}, u"/home/u/logo.png", 300, 200);
    EXPECT_EQ((std::array{line.nEndX, line.nEndY, line.nLineWidth, line.nSize, shape.nEndX, shape.nEndY, shape.nSize}),
              (std::array{25, 50, 4, 1, 30, 40, 7}));
    EXPECT_EQ((std::array{picture.nWidth, picture.nHeight, picture.nSrcWidth}), (std::array{100, 66, 300}));
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
        {u"999", 1, 1, u"000", true},
        {u"000", 2, 1, u"999", true},
        {u"A-0099", 1, 1, u"A-0100", true},
        {u"B-1000", 2, 1, u"B-0999", true},
        {u"9", 1, 11, u"0", true},
        {u"\u6807\u7b7e9", 1, 1, u"\u6807\u7b7e0", true},
        {u"12A", 1, 1, u"12A", false},
        {u"0001", 0, 5, u"0001", false},
        {u"0001", 3, 1, u"0001", false},
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

// A 300 x 80 barcode opens as 38 x 10 mm, which stores 304 x 80. Each case: mm, dpi, dots.
TEST(Units, MillimetresAndDotsRoundTheWayTheDialogsShowThem) {
    for (auto [mm, dpi, dots] : {std::tuple{38, 203, 304},
                                 {10, 203, 80},
                                 {13, 203, 104},
                                 {-5, 203, -39},
                                 {99999, 203, 799205},
                                 {10, 300, 118},
                                 {INT_MAX, 203, INT_MAX},
                                 {INT_MIN, 203, INT_MIN}})
        EXPECT_EQ(MmToDots(mm, dpi), dots) << mm;
    for (auto [mm, dpi, dots] : {std::tuple{38, 203, 300}, {10, 203, 80}, {13, 203, 100}, {8, 203, 66}})
        EXPECT_EQ(DotsToMm(dots, dpi), mm) << dots;
}

}  // namespace
}  // namespace kestrix
