// The output raster frame: target size, which elements are drawn, and the
// serial advance with its cached code images.

#include <gtest/gtest.h>

#include "output/DrawLabel.h"
#include "render/CodeImageCache.h"

namespace kestrix {
namespace {

bool AllWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xFFFFFF) != 0xFFFFFF) return false;
    }
    return true;
}

LabelDocument Label(std::vector<LabelElement> elements) {
    LabelDocument doc;
    doc.widthMm = 50;
    doc.heightMm = 70;
    doc.elements = std::move(elements);
    return doc;
}

TEST(DrawLabel, TargetIsWholeDotsAtEachResolution) {
    LabelDocument doc = Label({});
    EXPECT_EQ(OutputTargetSize(doc, 203, 203), QSize(400, 559));
    EXPECT_EQ(OutputTargetSize(doc, 300, 203), QSize(591, 559));
    CodeImageCache codes;
    RenderContext ctx;
    ctx.codes = &codes;
    const QImage image = DrawLabelImage(doc, 203, 300, ctx);
    EXPECT_EQ(image.size(), QSize(400, 827));
    EXPECT_TRUE(AllWhite(image));
}

TEST(DrawLabel, LeavesOutEmptyTextsMissingPicturesAndUnknownKinds) {
    LabelElement empty = CreateElement(kText, {10, 10});
    empty.nWidth = 100;
    empty.nHeight = 30;
    LabelElement picture = CreateElement(kPicture, {10, 60}, u"/nonexistent/picture.png");
    picture.nWidth = picture.nHeight = 100;
    LabelElement unknown = CreateElement(kShape, {10, 200});
    unknown.nWidth = unknown.nHeight = 100;
    unknown.nType = 9;
    LabelDocument doc = Label({empty, picture, unknown});
    CodeImageCache codes;
    RenderContext ctx;
    ctx.codes = &codes;
    EXPECT_TRUE(AllWhite(DrawLabelImage(doc, 203, 203, ctx)));

    doc.elements[2].nType = kShape;  // the same box as a shape does draw
    EXPECT_FALSE(AllWhite(DrawLabelImage(doc, 203, 203, ctx)));
}

TEST(DrawLabel, AdvancesTextsAndBarcodesRenewingChangedCodes) {
    LabelElement text = CreateElement(kText, {10, 10}, u"0009");
    text.nWidth = 96;
    text.nHeight = 28;
    text.nSerialMode = 1;
    LabelElement barcode = CreateElement(kBarcode, {10, 60}, u"X9");
    barcode.nSerialMode = 1;
    LabelElement fixed = CreateElement(kBarcode, {10, 160}, u"LOT12");
    fixed.nSerialMode = 0;
    LabelElement code = CreateElement(kCode2D, {10, 260}, u"0001");
    code.nSerialMode = 1;
    LabelDocument doc = Label({text, barcode, fixed, code});
    CodeImageCache codes;
    RenderContext ctx;
    ctx.codes = &codes;

    const QImage first = DrawLabelImage(doc, 203, 203, ctx);
    const auto content = [&](int i) { return QString::fromStdU16String(ElementText(doc.elements[i])); };
    EXPECT_EQ(content(0), QStringLiteral("0010"));
    EXPECT_EQ(content(1), QStringLiteral("X0"));
    EXPECT_EQ(content(2), QStringLiteral("LOT12"));
    EXPECT_EQ(content(3), QStringLiteral("0001")) << "2D codes do not advance";
    EXPECT_EQ(doc.elements[1].hCache, 0u) << "the changed barcode's image is released";
    EXPECT_NE(doc.elements[2].hCache, 0u);
    EXPECT_NE(doc.elements[3].hCache, 0u);
    EXPECT_EQ(codes.Size(), 2);

    const uint32_t kept = doc.elements[2].hCache;
    const QImage second = DrawLabelImage(doc, 203, 203, ctx);
    EXPECT_EQ(doc.elements[2].hCache, kept) << "an unchanged code is drawn from the cache";
    EXPECT_NE(first.copy(0, 60, 400, 100), second.copy(0, 60, 400, 100)) << "the new number is encoded";
    EXPECT_EQ(first.copy(0, 160, 400, 100), second.copy(0, 160, 400, 100));
}

}  // namespace
}  // namespace kestrix
