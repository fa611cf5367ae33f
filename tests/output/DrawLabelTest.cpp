// The output raster: which elements are drawn, and the serial advance with its
// cached code images.

#include <gtest/gtest.h>

#include "output/DrawLabel.h"
#include "render/CodeImageCache.h"

namespace kestrix {
namespace {

class DrawLabelTest : public ::testing::Test {
protected:
    QImage Draw(std::vector<LabelElement> elements) {
        doc_.widthMm = 50;
        doc_.heightMm = 70;
        doc_.elements = std::move(elements);
        return Draw();
    }
    QImage Draw() { return DrawLabelImage(doc_, 203, 203, RenderContext{.codes = &codes_}); }
    QString Content(int i) const { return QString::fromStdU16String(ElementText(doc_.elements[i])); }

    static bool AllWhite(const QImage& image) {
        QImage white(image.size(), image.format());
        white.fill(Qt::white);
        return image == white;
    }

    LabelDocument doc_;
    CodeImageCache codes_;
};

TEST_F(DrawLabelTest, LeavesOutEmptyTextsMissingPicturesAndUnknownKinds) {
    LabelElement empty = CreateElement(kText, {10, 10});
    LabelElement picture = CreateElement(kPicture, {10, 60}, u"/nonexistent/picture.png");
    LabelElement unknown = CreateElement(kShape, {10, 200});
    for (LabelElement* e : {&empty, &picture, &unknown}) e->nWidth = e->nHeight = 100;
    unknown.nType = 9;
    EXPECT_TRUE(AllWhite(Draw({empty, picture, unknown})));
    doc_.elements[2].nType = kShape;  // the same box as a shape does draw
    EXPECT_FALSE(AllWhite(Draw()));
}

TEST_F(DrawLabelTest, AdvancesTextsAndBarcodesRenewingChangedCodes) {
    LabelElement text = CreateElement(kText, {10, 10}, u"0009");
    text.nWidth = 96;
    text.nHeight = 28;
    LabelElement barcode = CreateElement(kBarcode, {10, 60}, u"X9");
    LabelElement fixed = CreateElement(kBarcode, {10, 160}, u"LOT12");
    LabelElement code = CreateElement(kCode2D, {10, 260}, u"0001");
    text.nSerialMode = barcode.nSerialMode = code.nSerialMode = 1;
    fixed.nSerialMode = 0;

    const QImage first = Draw({text, barcode, fixed, code});
    EXPECT_EQ(Content(0), QStringLiteral("0010"));
    EXPECT_EQ(Content(1), QStringLiteral("X0"));
    EXPECT_EQ(Content(2), QStringLiteral("LOT12"));
    EXPECT_EQ(Content(3), QStringLiteral("0001")) << "2D codes do not advance";
    EXPECT_EQ(doc_.elements[1].hCache, 0u) << "the changed barcode's image is released";
    EXPECT_NE(doc_.elements[3].hCache, 0u);
    EXPECT_EQ(codes_.Size(), 2);

    const uint32_t kept = doc_.elements[2].hCache;
    ASSERT_NE(kept, 0u);
    const QImage second = Draw();
    EXPECT_EQ(doc_.elements[2].hCache, kept) << "an unchanged code is drawn from the cache";
    EXPECT_NE(first.copy(0, 60, 400, 100), second.copy(0, 60, 400, 100)) << "the new number is encoded";
    EXPECT_EQ(first.copy(0, 160, 400, 100), second.copy(0, 160, 400, 100));
}

}  // namespace
}  // namespace kestrix
