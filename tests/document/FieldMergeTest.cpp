// Data merge fields: ${NAME} filled from a row into a copy of the record, cut
// to what the record holds, the record itself untouched.

#include <gtest/gtest.h>

#include "document/FieldMerge.h"

namespace kestrix {
namespace {

DataRow Row(QStringList columns, QStringList values) {
    return {std::make_shared<const QStringList>(std::move(columns)), std::move(values), 1, 2};
}

TEST(FieldMerge, FillsNamedColumnsOnly) {
    const DataRow row = Row({"NAME", "SKU", "Name", ""}, {"Ann", "A-1", "lower", "blank"});
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"Hi ${NAME}!", u"Hi Ann!"},
        {u"${SKU}${NAME}", u"A-1Ann"},
        {u"${Name}", u"lower"},                        // names are case-sensitive
        {u"$${NAME} costs $5", u"${NAME} costs $5"},   // $${ writes ${
        {u"${MISSING} ${NAME", u"${MISSING} ${NAME"},  // unknown or unclosed: as written
        {u"${}", u"blank"},
        {u"\u540D${NAME}\u540D", u"\u540DAnn\u540D"},
    };
    for (const auto& [content, merged] : cases)
        EXPECT_EQ(MergeFields(QString::fromUtf16(content), row), QString::fromUtf16(merged))
            << QString::fromUtf16(content).toStdString();
    // A value is never read as a field itself.
    EXPECT_EQ(MergeFields(u"${A}", Row({"A", "B"}, {"${B}", "no"})), QStringLiteral("${B}"));
    EXPECT_EQ(FieldNames(u"${A} $${B} ${C} ${A} ${D"), QStringList({"A", "C"}));
}

TEST(FieldMerge, MergedCopyKeepsTheRecordAndItsLimits) {
    const QString longValue(300, u'x');
    const DataRow row = Row({"V"}, {longValue});

    LabelElement text = CreateElement(kText, {5, 5}, u"${V}");
    text.hCache = 7;
    const LabelElement before = text;
    FieldCut cut;
    LabelElement merged = MergedElement(text, row, &cut);
    EXPECT_EQ(ElementText(merged), longValue.left(255).toStdU16String());
    EXPECT_EQ((std::tuple{cut.length, cut.limit, cut.bytes}), (std::tuple{300, 255, false}));
    EXPECT_EQ(merged.hCache, 0u) << "a copy never shows the record's code image";
    EXPECT_EQ(std::memcmp(&text, &before, sizeof text), 0) << "the record keeps ${V}";

    // Barcode data: 100 Chinese characters fit the record but not the library's 255 bytes.
    const LabelElement code = CreateElement(kCode2D, {0, 0}, u"${V}");
    MergedElement(code, Row({"V"}, {QString(100, QChar(0x540D))}), &cut);
    EXPECT_EQ((std::tuple{cut.length, cut.limit, cut.bytes}), (std::tuple{300, 255, true}));
    MergedElement(code, Row({"V"}, {"short"}), &cut);
    EXPECT_EQ(cut.limit, 0);

    // Pictures and shapes take no fields: their text is a path.
    const LabelElement picture = CreatePictureElement({0, 0}, u"/tmp/${V}.png", 10, 10);
    EXPECT_FALSE(TakesFields(picture));
    EXPECT_EQ(ElementText(MergedElement(picture, row)), u"/tmp/${V}.png");
    EXPECT_EQ(LabelFieldNames({picture, text, code, CreateElement(kBarcode, {0, 0}, u"${W}$${X}")}),
              QStringList({"V", "W"}));
}

}  // namespace
}  // namespace kestrix
