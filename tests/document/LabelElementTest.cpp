// The element record: creation values of every kind, byte-exact copies, the
// text field's limits and the unit conversions.

#include <gtest/gtest.h>

#include "DocumentTestSupport.h"
#include "document/LabelElement.h"
#include "document/Units.h"

namespace kestrix {
namespace {

using test::SameBytes;

const std::u16string kSong = u"\u5b8b\u4f53";

// A zero record with the fields every creator sets.
LabelElement Blank(int32_t type, int x, int y) {
    LabelElement e{};
    e.nType = type;
    e.nPosX = e.nOrgPosX = x;
    e.nPosY = e.nOrgPosY = y;
    e.nSize = -1;
    e.bSelected = 1;
    return e;
}

void ExpectSame(const LabelElement& got, const LabelElement& want) {
    EXPECT_TRUE(SameBytes(got, want)) << "kind " << got.nType << " differs from its creation values";
}

TEST(ElementCreation, TextIsNaturalSizeWithSongFace) {
    LabelElement want = Blank(kText, 12, 34);
    want.logFont.lfHeight = 20;
    want.logFont.lfWeight = 400;
    SetFaceName(want.logFont, kSong);
    SetElementText(want, u"Text");
    ExpectSame(CreateElement(kText, {12, 34}, u"Text"), want);
}

TEST(ElementCreation, BarcodeIsCode128WithCaption) {
    LabelElement want = Blank(kBarcode, 5, 6);
    want.nWidth = want.nOrgWidth = 300;
    want.nHeight = want.nOrgHeight = 80;
    want.logFont.lfHeight = 20;
    want.logFont.lfWeight = 800;
    SetFaceName(want.logFont, kSong);
    want.nBarcodeType = 20;
    want.nTextHeight = 15;
    want.bShowText = 1;
    SetElementText(want, u"0123456789");
    ExpectSame(CreateElement(kBarcode, {5, 6}, u"0123456789"), want);
}

TEST(ElementCreation, Code2DIsQrCodeOfHundredDots) {
    LabelElement want = Blank(kCode2D, 7, 8);
    want.nWidth = want.nOrgWidth = want.nSrcWidth = 100;
    want.nHeight = want.nOrgHeight = want.nSrcHeight = 100;
    want.logFont.lfHeight = 14;
    want.logFont.lfWeight = 400;
    SetFaceName(want.logFont, kSong);
    want.nBarcodeType = 58;
    SetElementText(want, u"012345678");
    ExpectSame(CreateElement(kCode2D, {7, 8}, u"012345678"), want);
}

TEST(ElementCreation, LineDragsItsEndFromTheStartInCanvasPixels) {
    LabelElement want = Blank(kLine, 10, 20);
    want.nEndX = 25;
    want.nEndY = 50;
    want.nLineWidth = 4;
    want.nSize = 1;
    ExpectSame(CreateElement(kLine, {10, 20}, {}, {25, 50}), want);
}

TEST(ElementCreation, ShapeIsAnEmptyRectangleDraggedByItsCorner) {
    LabelElement want = Blank(kShape, 30, 40);
    want.nEndX = 30;
    want.nEndY = 40;
    want.nLineWidth = 4;
    want.nSize = 7;
    ExpectSame(CreateElement(kShape, {30, 40}), want);
}

TEST(ElementCreation, PictureIsHundredDotsWideWithIntegerAspect) {
    LabelElement want = Blank(kPicture, 0, 0);
    want.nWidth = want.nOrgWidth = 100;
    want.nHeight = want.nOrgHeight = 66;  // 100 * 200 / 300, truncated
    want.nSrcWidth = 300;
    want.nSrcHeight = 200;
    SetElementText(want, u"/home/u/logo.png");
    ExpectSame(CreatePictureElement({0, 0}, u"/home/u/logo.png", 300, 200), want);

    EXPECT_EQ(CreatePictureElement({0, 0}, u"p", 0, 0).nHeight, 0) << "an empty image must not divide by zero";
    EXPECT_EQ(CreatePictureElement({0, 0}, u"p", 3, 100000).nHeight, 3333333);
}

TEST(ElementRecord, WrittenAndReadBackByteForByte) {
    const LabelElement e = test::OddRecord(3);
    const auto bytes = WriteRecord(e);
    EXPECT_EQ(std::memcmp(bytes.data(), &e, kRecordSize), 0);
    EXPECT_EQ(bytes[649], 1) << "padding travels with the record";
    EXPECT_EQ(bytes[760], 0xEF) << "hCache is written as it stands in memory";
    const LabelElement back = ReadRecord(bytes);
    EXPECT_TRUE(SameBytes(back, e));
}

TEST(ElementRecord, DuplicateKeepsEveryByteButTheCache) {
    const LabelElement e = test::OddRecord(1);
    LabelElement copy = DuplicateElement(e);
    EXPECT_EQ(copy.hCache, 0u);
    copy.hCache = e.hCache;
    EXPECT_TRUE(SameBytes(copy, e));
}

TEST(ElementText, HoldsAtMost255CodeUnits) {
    LabelElement e{};
    const std::u16string exact(255, u'x');
    SetElementText(e, exact);
    EXPECT_EQ(ElementText(e), exact);
    EXPECT_EQ(e.str[255], u'\0');

    SetElementText(e, std::u16string(300, u'y'));
    EXPECT_EQ(ElementText(e), std::u16string(255, u'y'));
    EXPECT_EQ(e.str[255], u'\0');

    SetElementText(e, u"short");
    EXPECT_EQ(ElementText(e), u"short") << "a shorter text clears the rest of the field";
    EXPECT_EQ(e.str[6], u'\0');
}

TEST(ElementText, NeverSplitsASurrogatePair) {
    LabelElement e{};
    std::u16string text(254, u'a');
    text += u"\U0001F600";  // units 254 and 255: the pair does not fit
    SetElementText(e, text);
    EXPECT_EQ(ElementText(e), std::u16string(254, u'a'));
}

TEST(ElementText, FieldWithoutTerminatorReadsWithinItsBounds) {
    LabelElement e{};
    std::fill(std::begin(e.str), std::end(e.str), u'z');
    std::fill(std::begin(e.logFont.lfFaceName), std::end(e.logFont.lfFaceName), u'f');
    EXPECT_EQ(ElementText(e).size(), 256u);
    EXPECT_EQ(FaceName(e.logFont).size(), 32u);
}

TEST(ElementAngles, NegativeTurnsCountFromAFullCircle) {
    EXPECT_EQ(NormalizedEscapement(-900), 2700);
    EXPECT_EQ(NormalizedEscapement(-2700), 900);
    EXPECT_EQ(NormalizedEscapement(1800), 1800);
    EXPECT_EQ(NormalizedEscapement(0), 0);
}

TEST(Units, MillimetresAndDotsRoundToNearest) {
    EXPECT_EQ(MmToDots(50, 203), 400);  // 399.6
    EXPECT_EQ(MmToDots(70, 203), 559);  // 559.4
    EXPECT_EQ(MmToDots(1, 300), 12);    // 11.8
    EXPECT_EQ(DotsToMm(400, 203), 50);
    EXPECT_EQ(DotsToMm(300, 203), 38);  // 37.54
    EXPECT_EQ(TargetDots(64, 203), 511);  // 511.996, truncated
    EXPECT_NEAR(LabelDots(50, 203), 400.1063, 1e-4) << "the drawing size is not rounded";
}

}  // namespace
}  // namespace kestrix
