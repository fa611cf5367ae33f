// The .lab file: the exact bytes Save writes, both layouts the reader takes,
// saving without ever losing the old file, damaged files refused cleanly, and
// the example label.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "DocumentTestSupport.h"
#include "document/DataSource.h"
#include "document/LabelFile.h"

namespace kestrix {
namespace {

using namespace test;

LabelDocument TwoElementLabel(const QByteArray& printer = "Thermal-203") {
    return {50, 70, printer, {}, {OddRecord(1), CreateElement(kBarcode, {40, 120}, u"ABC-123")}};
}

LabelDocument Parse(const QByteArray& bytes) {
    LabelDocument doc;
    doc.labelPath = "/labels/a.lab";
    LabelFileProblem problem;
    EXPECT_TRUE(ParseLabelFile(bytes, doc, &problem))
        << LabelFileProblemText(problem, UiLanguage::English).toStdString();
    EXPECT_EQ(doc.labelPath, "/labels/a.lab") << "the path is not the file's to change";
    return doc;
}

TEST(LabelFile, PrinterNameStoredAsUtf8CutAtACharacterBoundary) {
    const QString name = "a" + QString(40, QChar(0xE4));  // byte 64 would split a character
    EXPECT_EQ(PrinterNameText(StoredPrinterName(name)), name.left(32));
    EXPECT_EQ(PrinterNameText("Caf\xe9"), QString::fromLatin1("Caf\xe9")) << "not UTF-8: byte per character";
}

// The size text is read as scanf would, and a file shorter than it as far as it goes.
TEST(LabelFile, SizeTextAsScanfReadsItAndShortFiles) {
    EXPECT_EQ(Parse(SizeText("  1\t2000mm") + NameBlock("D")).heightMm, 2000);
    for (const QByteArray& shortFile : {QByteArray("50 70"), QByteArray("50 70").leftJustified(19, '\0')}) {
        const LabelDocument doc = Parse(shortFile);
        EXPECT_TRUE(doc.widthMm == 50 && doc.heightMm == 70 && doc.elements.empty()) << shortFile.size();
    }
}

// The first byte after the size text decides alone when the length does not:
// printable ASCII, 0x20 to 0x7E, starts a name block; anything else is the
// first byte of a record of the older layout.
TEST(LabelFile, NameBlockFirstByteRuleAtItsBounds) {
    const QByteArray one = Records({CreateElement(kText, {1, 1}, u"A")});
    const std::pair<char, bool> cases[] = {{'\x1f', false}, {' ', true}, {'A', true}, {'~', true}, {'\x7f', false}};
    for (const auto& [first, named] : cases) {
        const QByteArray block = NameBlock(first + QByteArray("Desk"));
        // 10 bytes over, so that neither layout's length fits and only the byte counts.
        const LabelDocument doc = Parse(SizeText("50 70") + block + one + QByteArray(10, '\0'));
        EXPECT_EQ(doc.printerName, named ? first + QByteArray("Desk") : QByteArray()) << int(first);
        EXPECT_EQ(Records(doc.elements), named ? one : (block + one).first(796)) << int(first);
    }
    // (An empty name block when the length fits, and omitted records left out of a save, are the
    // acceptance checks' file cases.)
}

TEST(LabelFile, RandomBytesAreRefusedOrOpenSanely) {
    QByteArray noise(10 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(20240607).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    LabelDocument doc;
    LabelFileProblem problem;
    EXPECT_TRUE(ParseLabelFile(noise, doc, &problem) ? IsValidLabelSize(doc.widthMm, doc.heightMm)
                                                     : problem.code != LabelFileProblem::None);
}

// Damaged or unreadable files are refused with their reason and change
// nothing; a failed save keeps the old file.
TEST(LabelFileOnDisk, DamagedInputsAreRefusedAndOnlyAGoodSaveReplacesTheOldFile) {
    QTemporaryDir dir;
    const auto Path = [&dir](const QString& name) { return dir.filePath(name); };
    const QString notTwo = "not a label file: the size text is not two numbers", out = " mm is outside 1 to 2000 mm";
    const std::tuple<const char*, QByteArray, QString> damaged[] = {
        {"empty", {}, notTwo},
        {"words", SizeText("abc def") + NameBlock({}) + Records({OddRecord(0)}), notTwo},
        {"no terminator", QByteArray(20, '7') + NameBlock("D"), notTwo},
        {"zero size", SizeText("0 0") + NameBlock("D"), "label size 0 x 0" + out},
        {"negative width", SizeText("-5 70") + NameBlock("D"), "label size -5 x 70" + out},
        {"too tall", SizeText("50 2001") + NameBlock("D"), "label size 50 x 2001" + out}};
    std::vector<std::pair<QString, QString>> cases = {
        {"missing", "no such file"}, {"pipe", "is not a regular file"}, {"", "is a folder"}};  // "": the folder
    for (const auto& [name, bytes, reason] : damaged) {
        ASSERT_TRUE(WriteFileBytes(Path(name), bytes));
        cases.emplace_back(name, reason);
    }
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe")).constData(), 0644), 0);
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name.toStdString());
        LabelDocument doc = TwoElementLabel();
        LabelFileProblem problem;
        EXPECT_FALSE(ReadLabelFile(Path(name), doc, &problem));
        EXPECT_EQ(LabelFileProblemText(problem, UiLanguage::English), reason);
        EXPECT_EQ(LabelFileBytes(doc), LabelFileBytes(TwoElementLabel())) << "the label is unchanged";
    }

    ASSERT_TRUE(WriteFileBytes(Path("a.lab"), QByteArray(5000, 'x')));
    EXPECT_TRUE(WriteLabelFile(Path("a.lab"), {}, nullptr)) << "an empty label writes nothing and succeeds";
    EXPECT_EQ(FileBytes(Path("a.lab")), QByteArray(5000, 'x'));
    QString error;
    WithFileSizeLimit(1000, [&] { EXPECT_FALSE(WriteLabelFile(Path("a.lab"), TwoElementLabel(), &error)); });
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(FileBytes(Path("a.lab")), QByteArray(5000, 'x')) << "a failed save keeps the old file";
    ASSERT_TRUE(WriteLabelFile(Path("a.lab"), TwoElementLabel(), &error)) << error.toStdString();
    EXPECT_EQ(FileBytes(Path("a.lab")), LabelFileBytes(TwoElementLabel()));
    EXPECT_EQ(QDir(dir.path()).entryList({"a.lab*"}, QDir::Files), QStringList{"a.lab"}) << "no temporary file stays";
}

TEST(LabelFile, ExtensionAddedOnlyToANameWithoutAny) {
    for (const auto& [name, saved] : {std::pair{"/home/u/shipping", "/home/u/shipping.lab"},
                                      {"/home/u/shipping.lab", "/home/u/shipping.lab"},
                                      {"/home/u/notes.txt", "/home/u/notes.txt"},
                                      {"/home/u/v1.2/shipping", "/home/u/v1.2/shipping.lab"},
                                      {"shipping.LAB", "shipping.LAB"}})
        EXPECT_EQ(WithLabelExtension(name), saved);
}

// examples/shipping.lab and products.lab are made here, from the element
// creators, and kept equal to what they make. Regenerate them with
//   KESTRIX_WRITE_EXAMPLES=1 build/bin/test-document --gtest_filter='ExampleLabel.*'

// Placed and sized as the editor leaves an element once the mouse is released.
LabelElement Placed(LabelElement e, int width, int height, std::u16string_view face = {}) {
    std::tie(e.nWidth, e.nOrgWidth, e.nHeight, e.nOrgHeight) = std::tuple{width, width, height, height};
    std::tie(e.nOrgEndX, e.nOrgEndY, e.nSize, e.bSelected) = std::tuple{e.nEndX, e.nEndY, -1, 0};
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
    // The rule is a flat rectangle: a line's end is held in canvas pixels of the
    // session it was drawn in, so only a shape stays level at every window size.
    LabelElement rule = Placed(CreateElement(kShape, {16, 57}), 448, 2);
    rule.nLineWidth = 1;
    LabelElement barcode = Placed(CreateElement(kBarcode, {16, 72}, u"KX-2026-000123"), 310, 110);
    std::tie(barcode.nSerialMode, barcode.nSerialStep, barcode.nSerialReset, barcode.nSerialLimit) =
        std::tuple{1, 1, 1, 99999};
    return {60,
            40,
            {},
            {},
            {frame, title, rule, barcode,
             Placed(CreateElement(kCode2D, {350, 72}, u"https://example.com/track/KX-2026-000123"), 110, 110),
             Placed(CreateElement(kText, {16, 204}, u"Ship to: A. Example"), 260, 30, u"DejaVu Sans"),
             Placed(CreateElement(kText, {16, 242}, u"12 Harbour Road, 4020 Linz"), 330, 28, u"DejaVu Sans")}};
}

TEST(ExampleLabel, ShippingLabelFileMatchesItsElements) {
    const QString path = QDir::cleanPath(QStringLiteral(KESTRIX_TEST_DATA "/../../../examples/shipping.lab"));
    const LabelDocument doc = ShippingLabel();
    ASSERT_TRUE(!qEnvironmentVariableIsSet("KESTRIX_WRITE_EXAMPLES") || WriteLabelFile(path, doc, nullptr));
    EXPECT_EQ(FileBytes(path), LabelFileBytes(doc)) << path.toStdString();
}

// A 50 x 30 mm (400 x 240 dots) shelf label filled from examples/products.csv:
// product name, price, a Code 128 of the SKU and a QR code of the product's page.
LabelDocument ProductLabel() {
    LabelElement name = Placed(CreateElement(kText, {12, 10}, u"${NAME}"), 376, 40, u"DejaVu Sans");
    name.logFont.lfWeight = 700;
    return {50,
            30,
            {},
            {},
            {name, Placed(CreateElement(kText, {12, 58}, u"${PRICE}"), 150, 44, u"DejaVu Sans"),
             Placed(CreateElement(kBarcode, {12, 116}, u"${SKU}"), 260, 110),
             Placed(CreateElement(kCode2D, {290, 116}, u"https://example.com/p/${SKU}"), 100, 100)}};
}

TEST(ExampleLabel, ProductLabelFileMatchesItsElementsAndItsData) {
    const QString examples = QDir::cleanPath(QStringLiteral(KESTRIX_TEST_DATA "/../../../examples"));
    const LabelDocument doc = ProductLabel();
    const QString path = examples + QStringLiteral("/products.lab");
    ASSERT_TRUE(!qEnvironmentVariableIsSet("KESTRIX_WRITE_EXAMPLES") || WriteLabelFile(path, doc, nullptr));
    EXPECT_EQ(FileBytes(path), LabelFileBytes(doc)) << path.toStdString();
    // The data shipped beside it fills every field, without a value cut.
    QString error;
    std::unique_ptr<DataSource> data = DataSource::Open(examples + QStringLiteral("/products.csv"), &error);
    DataCheck check;
    ASSERT_TRUE(data && data->Check(doc.elements, {}, check, &error)) << error.toStdString();
    EXPECT_EQ((std::pair{check.rows, check.cuts}), (std::pair{qint64(5), qint64(0)}));
}

}  // namespace
}  // namespace kestrix
