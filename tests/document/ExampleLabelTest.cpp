// examples/shipping.lab is made here, from the element creators, and kept
// equal to what they make. Regenerate it with
//   KESTRIX_WRITE_EXAMPLES=1 build/bin/test-document --gtest_filter='ExampleLabel.*'

#include <gtest/gtest.h>

#include <QDir>

#include "DocumentTestSupport.h"
#include "document/LabelFile.h"
#include "document/Units.h"

namespace kestrix {
namespace {

// Placed and sized as the editor leaves an element once the mouse is released.
LabelElement Placed(LabelElement e, int width, int height) {
    e.nWidth = e.nOrgWidth = width;
    e.nHeight = e.nOrgHeight = height;
    e.nOrgEndX = e.nEndX;
    e.nOrgEndY = e.nEndY;
    e.nSize = -1;
    e.bSelected = 0;
    return e;
}

// A 60 x 40 mm shipping label: frame, title, rule, Code 128 with its text
// (counting up with every printed label), tracking QR code and the address.
LabelDocument ShippingLabel() {
    LabelDocument doc;
    doc.widthMm = 60;
    doc.heightMm = 40;
    const int w = MmToDots(60, kDefaultDpi);  // 480
    const int h = MmToDots(40, kDefaultDpi);  // 320

    LabelElement frame = Placed(CreateElement(kShape, {4, 4}), w - 8, h - 8);
    frame.nLineWidth = 3;

    LabelElement title = Placed(CreateElement(kText, {16, 14}, u"SHIPPING LABEL"), 300, 36);
    title.logFont.lfWeight = 900;
    SetFaceName(title.logFont, u"DejaVu Sans");

    // Line ends are canvas pixels; the label is drawn at one pixel per dot here.
    LabelElement rule = Placed(CreateElement(kLine, {16, 58}, {}, {w - 16, 58}), 0, 0);
    rule.nLineWidth = 2;

    LabelElement barcode = Placed(CreateElement(kBarcode, {16, 72}, u"KX-2026-000123"), 310, 110);
    barcode.nSerialMode = 1;
    barcode.nSerialStep = 1;
    barcode.nSerialLimit = 99999;
    barcode.nSerialReset = 1;

    LabelElement qr = Placed(CreateElement(kCode2D, {350, 72}, u"https://example.com/track/KX-2026-000123"),
                             110, 110);

    LabelElement to = Placed(CreateElement(kText, {16, 204}, u"Ship to: A. Example"), 260, 30);
    LabelElement street = Placed(CreateElement(kText, {16, 242}, u"12 Harbour Road, 4020 Linz"), 330, 28);
    for (LabelElement* text : {&to, &street}) SetFaceName(text->logFont, u"DejaVu Sans");

    doc.elements = {frame, title, rule, barcode, qr, to, street};
    return doc;
}

TEST(ExampleLabel, ShippingLabelFileMatchesItsElements) {
    const QString path = QDir::cleanPath(QStringLiteral(KESTRIX_TEST_DATA "/../../../examples/shipping.lab"));
    const LabelDocument doc = ShippingLabel();
    if (qEnvironmentVariableIsSet("KESTRIX_WRITE_EXAMPLES")) {
        QString error;
        ASSERT_TRUE(WriteLabelFile(path, doc, &error)) << error.toStdString();
    }
    EXPECT_EQ(test::FileBytes(path), LabelFileBytes(doc)) << path.toStdString();

    LabelDocument read;
    QString error;
    ASSERT_TRUE(ReadLabelFile(path, read, &error)) << error.toStdString();
    EXPECT_EQ(read.widthMm, 60);
    EXPECT_EQ(read.heightMm, 40);
    ASSERT_EQ(read.elements.size(), 7u);
    for (const LabelElement& e : read.elements) {
        EXPECT_GE(e.nPosX, 0);
        EXPECT_LE(e.nPosX + e.nWidth, MmToDots(60, kDefaultDpi)) << "inside the label";
        EXPECT_LE(e.nPosY + e.nHeight, MmToDots(40, kDefaultDpi));
    }
}

}  // namespace
}  // namespace kestrix
