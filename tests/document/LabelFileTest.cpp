// The .lab file: the exact bytes Save writes, both layouts the reader takes,
// saving without ever losing the old file, and damaged files refused cleanly.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "DocumentTestSupport.h"
#include "document/LabelFile.h"

namespace kestrix {
namespace {

using test::NameBlock;
using test::RecordBytes;
using test::Records;
using test::SameBytes;
using test::SizeText;

LabelDocument TwoElementLabel() {
    LabelDocument doc;
    doc.widthMm = 50;
    doc.heightMm = 70;
    doc.printerName = "Thermal-203";
    doc.elements = {test::OddRecord(1), CreateElement(kBarcode, {40, 120}, u"ABC-123")};
    return doc;
}

LabelDocument Parse(const QByteArray& bytes) {
    LabelDocument doc;
    QString error;
    EXPECT_TRUE(ParseLabelFile(bytes, doc, &error)) << error.toStdString();
    return doc;
}

// The records as a reader must return them: every byte kept, hCache 0.
std::vector<LabelElement> AsRead(std::vector<LabelElement> elements) {
    for (LabelElement& e : elements) e.hCache = 0;
    return elements;
}

void ExpectRecords(const std::vector<LabelElement>& got, const std::vector<LabelElement>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_TRUE(SameBytes(got[i], want[i])) << "record " << i;
}

TEST(LabelFileBytes, HeaderNameBlockAndRecordsInOrder) {
    const LabelDocument doc = TwoElementLabel();
    const QByteArray bytes = LabelFileBytes(doc);
    ASSERT_EQ(bytes.size(), 1676);  // 84 + 2 x 796
    EXPECT_EQ(bytes.first(20), QByteArray("50 70") + QByteArray(15, '\0'));
    EXPECT_EQ(bytes.sliced(20, 64), NameBlock("Thermal-203"));
    EXPECT_EQ(bytes.sliced(84), Records(doc.elements)) << "records are stored as they stand, hCache too";
}

TEST(LabelFileBytes, OmittedRecordsAreLeftOut) {
    LabelDocument doc = TwoElementLabel();
    LabelElement omitted = CreateElement(kShape, {1, 2});
    omitted.bOmit = -1;
    doc.elements.insert(doc.elements.begin() + 1, omitted);
    const QByteArray bytes = LabelFileBytes(doc);
    EXPECT_EQ(bytes.size(), 84 + 2 * 796);
    EXPECT_EQ(bytes.sliced(84), RecordBytes(doc.elements[0]) + RecordBytes(doc.elements[2]));
}

TEST(LabelFileBytes, PrinterNameOf64BytesOrMoreIsCutWithoutTerminator) {
    LabelDocument doc = TwoElementLabel();
    doc.printerName = QByteArray(70, 'P');
    const QByteArray bytes = LabelFileBytes(doc);
    EXPECT_EQ(bytes.sliced(20, 64), QByteArray(64, 'P'));
    EXPECT_EQ(Parse(bytes).printerName, QByteArray(64, 'P'));
}

TEST(PrinterName, StoredAsUtf8CutAtACharacterBoundary) {
    EXPECT_EQ(StoredPrinterName("Desk"), QByteArray("Desk"));
    const QString umlauts = QString(32, QChar(0xE4)) + "x";  // 2 bytes each: 66 bytes
    EXPECT_EQ(StoredPrinterName(umlauts), umlauts.left(32).toUtf8());
    const QString shifted = "a" + QString(40, QChar(0xE4));  // byte 64 would split a character
    EXPECT_EQ(StoredPrinterName(shifted).size(), 63);
    EXPECT_EQ(PrinterNameText(StoredPrinterName(shifted)), shifted.left(32));
    EXPECT_EQ(PrinterNameText("Caf\xe9"), QString::fromLatin1("Caf\xe9")) << "not UTF-8: byte per character";
}

TEST(LabelFileRoundTrip, EverySavedLabelReadsBackExactly) {
    // Names the reader could take for a missing block must still come back.
    for (const QByteArray& name : {QByteArray("Thermal-203"), QByteArray(), QByteArray("\xc3\x84tikett"),
                                   QByteArray(64, 'x'), QByteArray("\x01")}) {
        SCOPED_TRACE(name.toStdString());
        LabelDocument doc = TwoElementLabel();
        doc.printerName = name;
        const QByteArray bytes = LabelFileBytes(doc);
        const LabelDocument back = Parse(bytes);
        EXPECT_EQ(back.widthMm, 50);
        EXPECT_EQ(back.heightMm, 70);
        EXPECT_EQ(back.printerName, name);
        ExpectRecords(back.elements, AsRead(doc.elements));
        EXPECT_EQ(LabelFileBytes(back), LabelFileBytes(LabelDocument{doc.widthMm, doc.heightMm, name, {},
                                                                      AsRead(doc.elements)}));
    }
}

TEST(LabelFileRoundTrip, ParseLeavesTheLabelPathAlone) {
    LabelDocument doc;
    doc.labelPath = QStringLiteral("/labels/a.lab");
    ASSERT_TRUE(ParseLabelFile(LabelFileBytes(TwoElementLabel()), doc, nullptr));
    EXPECT_EQ(doc.labelPath, QStringLiteral("/labels/a.lab"));
}

TEST(LabelFileLayouts, OlderLayoutHasRecordsRightAfterTheSizeText) {
    const std::vector<LabelElement> elements = {CreateElement(kText, {1, 1}, u"A"), test::OddRecord(2),
                                                CreateElement(kLine, {5, 5}, {}, {9, 9})};
    const LabelDocument doc = Parse(SizeText("60 40") + Records(elements));
    EXPECT_EQ(doc.widthMm, 60);
    EXPECT_EQ(doc.heightMm, 40);
    EXPECT_TRUE(doc.printerName.isEmpty());
    ExpectRecords(doc.elements, AsRead(elements));
    // Saving it writes the current layout, which reads back the same.
    ExpectRecords(Parse(LabelFileBytes(doc)).elements, doc.elements);
}

TEST(LabelFileLayouts, NameBlockRecognisedByPrintableFirstByteOrByLength) {
    const std::vector<LabelElement> one = {CreateElement(kText, {1, 1}, u"A")};
    // Printable first byte: a name block, even when the length does not fit.
    LabelDocument doc = Parse(SizeText("50 70") + NameBlock("Desk") + Records(one) + QByteArray(10, '\x7f'));
    EXPECT_EQ(doc.printerName, QByteArray("Desk"));
    EXPECT_EQ(doc.elements.size(), 1u);
    // Empty name: taken as a block because the file is exactly 84 + N x 796 bytes.
    doc = Parse(SizeText("50 70") + NameBlock({}) + Records(one));
    EXPECT_TRUE(doc.printerName.isEmpty());
    ExpectRecords(doc.elements, one);
    // Empty name and a stray tail: the older layout, records from byte 20.
    const QByteArray odd = SizeText("50 70") + NameBlock({}) + Records(one) + QByteArray(5, '\0');
    doc = Parse(odd);
    ASSERT_EQ(doc.elements.size(), 1u);
    EXPECT_EQ(RecordBytes(doc.elements[0]), odd.sliced(20, 796));
}

TEST(LabelFileLayouts, ShortLastPieceIsDropped) {
    const std::vector<LabelElement> two = {test::OddRecord(4), CreateElement(kCode2D, {3, 3}, u"Q")};
    QByteArray bytes = SizeText("50 70") + NameBlock("Desk") + Records(two) + QByteArray(795, '\x55');
    ExpectRecords(Parse(bytes).elements, AsRead(two));
    bytes = SizeText("50 70") + Records(two) + QByteArray(100, '\x01');
    ExpectRecords(Parse(bytes).elements, AsRead(two));
    EXPECT_TRUE(Parse(SizeText("50 70") + NameBlock("Desk") + QByteArray(795, '\x55')).elements.empty());
}

TEST(LabelFileLayouts, SizeTextIsReadLikeScanf) {
    EXPECT_EQ(Parse(SizeText("  7\t9mm") + NameBlock("D")).widthMm, 7);
    EXPECT_EQ(Parse(SizeText("2000 1")).heightMm, 1);
    EXPECT_EQ(Parse(SizeText("1 2000")).heightMm, 2000);
}

TEST(LabelFileDamage, RefusedWithAReasonAndTheLabelUnchanged) {
    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"empty", {}},
        {"19 bytes", QByteArray("50 70").leftJustified(19, '\0')},
        {"words", SizeText("abc def") + NameBlock({}) + RecordBytes(test::OddRecord(0))},
        {"one number", SizeText("50") + NameBlock("D")},
        {"comma", SizeText("50,70") + NameBlock("D")},
        {"zero size", SizeText("0 0") + NameBlock("D")},
        {"negative width", SizeText("-5 70") + NameBlock("D")},
        {"too tall", SizeText("50 2001") + NameBlock("D")},
        {"huge", SizeText("99999999999 5") + NameBlock("D")},
        {"no terminator", QByteArray(20, '7') + NameBlock("D")},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        LabelDocument doc = TwoElementLabel();
        QString error;
        EXPECT_FALSE(ParseLabelFile(bytes, doc, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(LabelFileBytes(doc), LabelFileBytes(TwoElementLabel()));
    }
}

TEST(LabelFileDamage, RandomBytesAreRefusedOrOpenSanely) {
    QRandomGenerator random(20240607);
    QByteArray noise(10 * 1024 * 1024, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    LabelDocument doc;
    QString error;
    if (ParseLabelFile(noise, doc, &error)) {
        EXPECT_TRUE(IsValidLabelSize(doc.widthMm, doc.heightMm));
    } else {
        EXPECT_FALSE(error.isEmpty());
    }
    // Behind a valid size text the noise is simply records.
    noise.replace(0, 20, SizeText("50 70"));
    noise[20] = 'N';
    doc = Parse(noise);
    EXPECT_EQ(doc.elements.size(), std::size_t((noise.size() - 84) / 796));
    for (const LabelElement& e : doc.elements) ASSERT_EQ(e.hCache, 0u);
}

class LabelFileOnDisk : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(LabelFileOnDisk, SavedFileOpensAsTheSameLabel) {
    const LabelDocument doc = TwoElementLabel();
    QString error;
    ASSERT_TRUE(WriteLabelFile(Path("a.lab"), doc, &error)) << error.toStdString();
    EXPECT_EQ(test::FileBytes(Path("a.lab")), LabelFileBytes(doc));
    LabelDocument back;
    ASSERT_TRUE(ReadLabelFile(Path("a.lab"), back, &error)) << error.toStdString();
    EXPECT_EQ(back.printerName, doc.printerName);
    ExpectRecords(back.elements, AsRead(doc.elements));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"a.lab"}) << "no temporary file stays";
}

TEST_F(LabelFileOnDisk, EmptyLabelWritesNothingAndSucceeds) {
    LabelDocument empty;
    EXPECT_TRUE(WriteLabelFile(Path("new.lab"), empty, nullptr));
    EXPECT_FALSE(QFile::exists(Path("new.lab")));
    ASSERT_TRUE(test::WriteFileBytes(Path("old.lab"), "old"));
    EXPECT_TRUE(WriteLabelFile(Path("old.lab"), empty, nullptr));
    EXPECT_EQ(test::FileBytes(Path("old.lab")), QByteArray("old"));
}

TEST_F(LabelFileOnDisk, SaveOverwritesAnOlderLongerFile) {
    ASSERT_TRUE(test::WriteFileBytes(Path("a.lab"), QByteArray(5000, 'x')));
    ASSERT_TRUE(WriteLabelFile(Path("a.lab"), TwoElementLabel(), nullptr));
    EXPECT_EQ(test::FileBytes(Path("a.lab")), LabelFileBytes(TwoElementLabel()));
}

TEST_F(LabelFileOnDisk, FailedSaveKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder; the next test covers root";
    ASSERT_TRUE(test::WriteFileBytes(Path("a.lab"), "old label"));
    ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0555), 0);
    QString error;
    EXPECT_FALSE(WriteLabelFile(Path("a.lab"), TwoElementLabel(), &error));
    chmod(QFile::encodeName(dir_.path()).constData(), 0755);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(test::FileBytes(Path("a.lab")), QByteArray("old label"));
}

TEST_F(LabelFileOnDisk, SaveCutShortByTheDiskKeepsTheOldFile) {
    // A file size limit makes the write fail half way, also for root.
    ASSERT_TRUE(test::WriteFileBytes(Path("a.lab"), "old label"));
    QString error;
    bool saved = true;
    {
        test::FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.Active());
        saved = WriteLabelFile(Path("a.lab"), TwoElementLabel(), &error);
    }
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(test::FileBytes(Path("a.lab")), QByteArray("old label"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"a.lab"}) << "no temporary file stays";
}

TEST_F(LabelFileOnDisk, SaveIntoAMissingFolderOrOverAFolderFails) {
    QString error;
    EXPECT_FALSE(WriteLabelFile(Path("no/such/a.lab"), TwoElementLabel(), &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(QDir(dir_.path()).mkdir("sub.lab"));
    EXPECT_FALSE(WriteLabelFile(Path("sub.lab"), TwoElementLabel(), &error));
    EXPECT_TRUE(QFileInfo(Path("sub.lab")).isDir());
}

TEST_F(LabelFileOnDisk, UnreadableInputsAreRefusedWithAReason) {
    ASSERT_TRUE(test::WriteFileBytes(Path("zero.lab"), {}));
    ASSERT_TRUE(test::WriteFileBytes(Path("short.lab"), QByteArray("50 70").leftJustified(19, '\0')));
    ASSERT_TRUE(test::WriteFileBytes(Path("words.lab"), SizeText("abc def") + NameBlock({})));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.lab")).constData(), 0644), 0);
    for (const char* name : {"zero.lab", "short.lab", "words.lab", "missing.lab", "pipe.lab", ""}) {
        SCOPED_TRACE(name);
        LabelDocument doc = TwoElementLabel();
        QString error;
        EXPECT_FALSE(ReadLabelFile(Path(name), doc, &error));  // "" is the folder itself
        EXPECT_TRUE(error.contains(Path(name))) << "the message names the file: " << error.toStdString();
        EXPECT_EQ(LabelFileBytes(doc), LabelFileBytes(TwoElementLabel()));
    }
}

TEST_F(LabelFileOnDisk, FileWithoutReadPermissionIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads files whatever their permissions";
    ASSERT_TRUE(WriteLabelFile(Path("locked.lab"), TwoElementLabel(), nullptr));
    ASSERT_EQ(chmod(QFile::encodeName(Path("locked.lab")).constData(), 0), 0);
    LabelDocument doc;
    QString error;
    EXPECT_FALSE(ReadLabelFile(Path("locked.lab"), doc, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(doc.elements.empty());
}

TEST(LabelExtension, AddedOnlyToANameWithoutAnyExtension) {
    EXPECT_EQ(WithLabelExtension("/home/u/shipping"), "/home/u/shipping.lab");
    EXPECT_EQ(WithLabelExtension("/home/u/shipping.lab"), "/home/u/shipping.lab");
    EXPECT_EQ(WithLabelExtension("/home/u/notes.txt"), "/home/u/notes.txt");
    EXPECT_EQ(WithLabelExtension("/home/u/v1.2/shipping"), "/home/u/v1.2/shipping.lab")
        << "a dot in a folder name is no extension";
    EXPECT_EQ(WithLabelExtension("shipping.LAB"), "shipping.LAB");
}

}  // namespace
}  // namespace kestrix
