// Serial numbers: trailing digits count by one per output draw and wrap at
// the width of the number.

#include <gtest/gtest.h>

#include "document/SerialNumber.h"

namespace kestrix {
namespace {

struct SerialCase {
    const char16_t* before;
    int mode;
    int draws;
    const char16_t* after;
};

std::string Narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

class SerialAdvance : public ::testing::TestWithParam<SerialCase> {};

TEST_P(SerialAdvance, GivesTheExpectedContent) {
    const SerialCase& c = GetParam();
    LabelElement e = CreateElement(kText, {0, 0}, c.before);
    e.nSerialMode = c.mode;
    for (int i = 0; i < c.draws; ++i) AdvanceSerial(e);
    EXPECT_EQ(Narrow(ElementText(e)), Narrow(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerialAdvance,
    ::testing::Values(SerialCase{u"0001", 1, 3, u"0004"}, SerialCase{u"0010", 2, 1, u"0009"},
                      SerialCase{u"999", 1, 1, u"000"}, SerialCase{u"000", 2, 1, u"999"},
                      SerialCase{u"LOT7", 1, 1, u"LOT8"}, SerialCase{u"LOT9", 1, 1, u"LOT0"},
                      SerialCase{u"A-0099", 1, 1, u"A-0100"}, SerialCase{u"X9", 1, 1, u"X0"},
                      SerialCase{u"B-1000", 2, 1, u"B-0999"}, SerialCase{u"12A", 1, 1, u"12A"},
                      SerialCase{u"12A", 2, 1, u"12A"}, SerialCase{u"0001", 0, 5, u"0001"},
                      SerialCase{u"0001", 3, 1, u"0001"}, SerialCase{u"0001", -1, 1, u"0001"},
                      SerialCase{u"", 1, 1, u""}, SerialCase{u"9", 1, 11, u"0"},
                      SerialCase{u"\u6807\u7b7e9", 1, 1, u"\u6807\u7b7e0"}));

TEST(SerialAdvanceRules, StepAndLimitDoNotChangeTheCount) {
    LabelElement e = CreateElement(kBarcode, {0, 0}, u"98");
    e.nSerialMode = kSerialIncrement;
    e.nSerialStep = 5;
    e.nSerialLimit = 99;
    e.nSerialReset = 1;
    EXPECT_TRUE(AdvanceSerial(e));
    EXPECT_EQ(ElementText(e), u"99");
    EXPECT_TRUE(AdvanceSerial(e));
    EXPECT_EQ(ElementText(e), u"00");
}

TEST(SerialAdvanceRules, ReportsWhetherTheContentChanged) {
    LabelElement e = CreateElement(kText, {0, 0}, u"N1");
    EXPECT_FALSE(AdvanceSerial(e)) << "mode 0";
    e.nSerialMode = kSerialDecrement;
    EXPECT_TRUE(AdvanceSerial(e));
    SetElementText(e, u"N-");
    EXPECT_FALSE(AdvanceSerial(e));
}

TEST(SerialAdvanceRules, FullFieldKeepsItsLengthAndTerminator) {
    LabelElement e = CreateElement(kText, {0, 0}, std::u16string(255, u'9'));
    e.nSerialMode = kSerialIncrement;
    AdvanceSerial(e);
    EXPECT_EQ(ElementText(e), std::u16string(255, u'0'));
    EXPECT_EQ(e.str[255], u'\0');
}

}  // namespace
}  // namespace kestrix
