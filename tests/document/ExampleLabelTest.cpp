// examples/shipping.lab is made here, from the element creators, and kept
// equal to what they make. Regenerate it with
//   KESTRIX_WRITE_EXAMPLES=1 build/bin/test-document --gtest_filter='ExampleLabel.*'

#include <gtest/gtest.h>

#include <QDir>

#include "DocumentTestSupport.h"
#include "document/LabelFile.h"

namespace kestrix {
namespace {

// Placed and sized as the editor leaves an element once the mouse is released.
LabelElement Placed(LabelElement e, int width, int height, std::u16string_view face = {}) {
    e.nWidth = e.nOrgWidth = width;
    e.nHeight = e.nOrgHeight = height;
    e.nOrgEndX = e.nEndX;
    e.nOrgEndY = e.nEndY;
    e.nSize = -1;
    e.bSelected = 0;
    if (!face.empty()) SetFaceName(e.logFont, face);
    return e;
}

// A 60 x 40 mm (480 x 320 dots) shipping label: frame, title, rule, Code 128
// with its text (counting up with every printed label), tracking QR code and
// the address.
LabelDocument ShippingLabel() {
    LabelElement frame = Placed(CreateElement(kShape, {4, 4}), 472, 312);
    frame.nLineWidth = 3;
    LabelElement title = Placed(CreateElement(kText, {16, 14}, u"SHIPPING LABEL"), 300, 36, u"DejaVu Sans");
    title.logFont.lfWeight = 900;
    // Line ends are canvas pixels; the label is drawn at one pixel per dot here.
    LabelElement rule = Placed(CreateElement(kLine, {16, 58}, {}, {464, 58}), 0, 0);
    rule.nLineWidth = 2;
    LabelElement barcode = Placed(CreateElement(kBarcode, {16, 72}, u"KX-2026-000123"), 310, 110);
    barcode.nSerialMode = barcode.nSerialStep = barcode.nSerialReset = 1;
    barcode.nSerialLimit = 99999;
    return {60, 40, {}, {},
            {frame, title, rule, barcode,
             Placed(CreateElement(kCode2D, {350, 72}, u"https://example.com/track/KX-2026-000123"), 110, 110),
             Placed(CreateElement(kText, {16, 204}, u"Ship to: A. Example"), 260, 30, u"DejaVu Sans"),
             Placed(CreateElement(kText, {16, 242}, u"12 Harbour Road, 4020 Linz"), 330, 28, u"DejaVu Sans")}};
}

TEST(ExampleLabel, ShippingLabelFileMatchesItsElementsAndFitsTheLabel) {
    const QString path = QDir::cleanPath(QStringLiteral(KESTRIX_TEST_DATA "/../../../examples/shipping.lab"));
    const LabelDocument doc = ShippingLabel();
    ASSERT_TRUE(!qEnvironmentVariableIsSet("KESTRIX_WRITE_EXAMPLES") || WriteLabelFile(path, doc, nullptr));
    EXPECT_EQ(test::FileBytes(path), LabelFileBytes(doc)) << path.toStdString();
    LabelDocument read;
    ASSERT_TRUE(ReadLabelFile(path, read, nullptr));
    for (const LabelElement& e : read.elements) {
        EXPECT_GE(std::min(e.nPosX, e.nPosY), 0);
        EXPECT_LE(e.nPosX + e.nWidth, 480) << "inside the label";
        EXPECT_LE(e.nPosY + e.nHeight, 320);
    }
}

}  // namespace
}  // namespace kestrix
