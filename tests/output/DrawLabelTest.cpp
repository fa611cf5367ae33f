// The output raster: the serial advance with its cached code images.

#include <gtest/gtest.h>

#include "output/DrawLabel.h"
#include "render/CodeImageCache.h"

namespace kestrix {
namespace {

class DrawLabelTest : public ::testing::Test {
protected:
    QImage Draw() { return DrawLabelImage(doc_, 203, 203, RenderContext{.codes = &codes_}); }
    QString Content(int i) const { return QString::fromStdU16String(ElementText(doc_.elements[i])); }

    LabelDocument doc_{50, 70, {}, {}, {}};
    CodeImageCache codes_;
};

TEST_F(DrawLabelTest, AdvancesTextsAndBarcodesRenewingChangedCodes) {
    LabelElement text = CreateElement(kText, {10, 10}, u"0009");
    std::tie(text.nWidth, text.nHeight) = std::tuple{96, 28};
    LabelElement barcode = CreateElement(kBarcode, {10, 60}, u"X9");
    LabelElement fixed = CreateElement(kBarcode, {10, 160}, u"LOT12");
    LabelElement code = CreateElement(kCode2D, {10, 260}, u"0001");
    text.nSerialMode = barcode.nSerialMode = code.nSerialMode = 1;
    doc_.elements = {text, barcode, fixed, code};
    const QImage first = Draw();
    EXPECT_EQ(QStringList({Content(0), Content(1), Content(2), Content(3)}),
              QStringList({"0010", "X0", "LOT12", "0001"}))
        << "2D codes do not advance";
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
