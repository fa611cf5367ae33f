// The .lab file: the exact bytes Save writes, both layouts the reader takes,
// saving without ever losing the old file, and damaged files refused cleanly.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "DocumentTestSupport.h"
#include "document/LabelFile.h"

namespace kestrix {
namespace {

using test::NameBlock;
using test::Records;
using test::SizeText;

LabelDocument TwoElementLabel(const QByteArray& printer = "Thermal-203") {
    return {50, 70, printer, {}, {test::OddRecord(1), CreateElement(kBarcode, {40, 120}, u"ABC-123")}};
}

LabelDocument Parse(const QByteArray& bytes) {
    LabelDocument doc;
    QString error;
    EXPECT_TRUE(ParseLabelFile(bytes, doc, &error)) << error.toStdString();
    return doc;
}

// Names the reader could take for a missing block must still come back.
TEST(LabelFile, SavedBytesReadBackExactlyWithoutCacheOrOmittedRecords) {
    for (const QByteArray& name : {QByteArray("Thermal-203"), QByteArray(), QByteArray("\xc3\x84tikett"),
                                   QByteArray(64, 'x'), QByteArray("\x01")}) {
        SCOPED_TRACE(name.toStdString());
        LabelDocument doc = TwoElementLabel(name);
        const QByteArray records = Records(doc.elements);
        doc.elements.insert(doc.elements.begin() + 1, CreateElement(kShape, {1, 2}));
        doc.elements[1].bOmit = -1;
        const QByteArray bytes = LabelFileBytes(doc);
        EXPECT_EQ(bytes, SizeText("50 70") + NameBlock(name) + records) << "hCache is written too";
        const LabelDocument back = Parse(bytes);
        EXPECT_EQ(back.widthMm, 50);
        EXPECT_EQ(back.heightMm, 70);
        EXPECT_EQ(back.printerName, name);
        EXPECT_EQ(Records(back.elements), Records(TwoElementLabel().elements, true));
    }
}

TEST(LabelFile, PrinterNameStoredAsUtf8CutAtACharacterBoundary) {
    const QString name = "a" + QString(40, QChar(0xE4));  // byte 64 would split a character
    EXPECT_EQ(StoredPrinterName(name).size(), 63);
    EXPECT_EQ(PrinterNameText(StoredPrinterName(name)), name.left(32));
}

TEST(LabelFile, BothLayoutsTheNameBlockRuleAndShortTails) {
    const QByteArray one = Records({CreateElement(kText, {1, 1}, u"A")});
    const QByteArray odd = Records({test::OddRecord(2)});
    const QByteArray oddRead = Records({test::OddRecord(2)}, true);
    const struct {
        QByteArray file, printer, records;
    } cases[] = {
        {SizeText("50 70") + odd + one, {}, oddRead + one},  // older layout: records from byte 20
        // A printable first byte marks a name block, even when the length does not fit.
        {SizeText("50 70") + NameBlock("Desk") + one + QByteArray(10, '\x7f'), "Desk", one},
        // An empty name is a block when the file is exactly 84 + N x 796 bytes, else the older layout.
        {SizeText("50 70") + NameBlock({}) + one, {}, one},
        {SizeText("50 70") + NameBlock({}) + one + QByteArray(5, '\0'), {}, (NameBlock({}) + one).first(796)},
        // A short last piece is dropped.
        {SizeText("50 70") + NameBlock("D") + odd + QByteArray(795, 'U'), "D", oddRead},
        {SizeText("50 70") + odd + QByteArray(100, '\x01'), {}, oddRead},
    };
    for (const auto& c : cases) {
        const LabelDocument doc = Parse(c.file);
        EXPECT_EQ(doc.printerName, c.printer);
        EXPECT_EQ(Records(doc.elements), c.records) << c.file.size() << " bytes";
    }
    EXPECT_EQ(Parse(SizeText("  60\t40mm") + one).heightMm, 40) << "the size text is read as scanf would";
}

TEST(LabelFile, RandomBytesAreRefusedOrOpenSanely) {
    QByteArray noise(10 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(20240607).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    LabelDocument doc;
    QString error;
    if (ParseLabelFile(noise, doc, &error)) {
        EXPECT_TRUE(IsValidLabelSize(doc.widthMm, doc.heightMm));
    } else {
        EXPECT_FALSE(error.isEmpty());
    }
}

class LabelFileOnDisk : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files); }
    QTemporaryDir dir_;
};

TEST_F(LabelFileOnDisk, DamagedOrUnreadableInputsAreRefusedNamingTheFile) {
    const std::pair<const char*, QByteArray> damaged[] = {
        {"empty", {}},
        {"19 bytes", QByteArray("50 70").leftJustified(19, '\0')},
        {"words", SizeText("abc def") + NameBlock({}) + Records({test::OddRecord(0)})},
        {"one number", SizeText("50") + NameBlock("D")},
        {"comma", SizeText("50,70") + NameBlock("D")},
        {"zero size", SizeText("0 0") + NameBlock("D")},
        {"negative width", SizeText("-5 70") + NameBlock("D")},
        {"too tall", SizeText("50 2001") + NameBlock("D")},
        {"huge", SizeText("99999999999 5") + NameBlock("D")},
        {"no terminator", QByteArray(20, '7') + NameBlock("D")},
    };
    QStringList names = {"missing", "pipe", ""};  // "" is the folder itself
    for (const auto& [name, bytes] : damaged) {
        ASSERT_TRUE(test::WriteFileBytes(Path(name), bytes));
        names << name;
    }
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe")).constData(), 0644), 0);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        LabelDocument doc = TwoElementLabel();
        QString error;
        EXPECT_FALSE(ReadLabelFile(Path(name), doc, &error));
        EXPECT_TRUE(error.contains(Path(name))) << error.toStdString();
        EXPECT_EQ(LabelFileBytes(doc), LabelFileBytes(TwoElementLabel())) << "the label is unchanged";
    }
}

TEST_F(LabelFileOnDisk, SaveReplacesALongerFileAndOpensAsTheSameLabel) {
    ASSERT_TRUE(test::WriteFileBytes(Path("a.lab"), QByteArray(5000, 'x')));
    QString error;
    ASSERT_TRUE(WriteLabelFile(Path("a.lab"), TwoElementLabel(), &error)) << error.toStdString();
    EXPECT_EQ(test::FileBytes(Path("a.lab")), LabelFileBytes(TwoElementLabel()));
    EXPECT_EQ(Files(), QStringList{"a.lab"}) << "no temporary file stays";
    LabelDocument back;
    ASSERT_TRUE(ReadLabelFile(Path("a.lab"), back, &error)) << error.toStdString();
    EXPECT_EQ(Records(back.elements), Records(TwoElementLabel().elements, true));
}

TEST_F(LabelFileOnDisk, EmptyLabelWritesNothingAndSucceeds) {
    EXPECT_TRUE(WriteLabelFile(Path("new.lab"), {}, nullptr));
    EXPECT_FALSE(QFile::exists(Path("new.lab")));
    ASSERT_TRUE(test::WriteFileBytes(Path("old.lab"), "old"));
    EXPECT_TRUE(WriteLabelFile(Path("old.lab"), {}, nullptr));
    EXPECT_EQ(test::FileBytes(Path("old.lab")), QByteArray("old"));
}

TEST_F(LabelFileOnDisk, FailedSaveKeepsTheOldFile) {
    ASSERT_TRUE(test::WriteFileBytes(Path("a.lab"), "old label"));
    QString error;
    bool saved = true;
    {
        test::FileSizeLimit limit(1000);  // the write fails half way, also for root
        saved = WriteLabelFile(Path("a.lab"), TwoElementLabel(), &error);
    }
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(test::FileBytes(Path("a.lab")), QByteArray("old label"));
    EXPECT_EQ(Files(), QStringList{"a.lab"}) << "no temporary file stays";
    EXPECT_FALSE(WriteLabelFile(Path("no/such/a.lab"), TwoElementLabel(), &error));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("sub.lab"));
    EXPECT_FALSE(WriteLabelFile(Path("sub.lab"), TwoElementLabel(), &error));
    EXPECT_TRUE(QFileInfo(Path("sub.lab")).isDir());
}

TEST(LabelFile, ExtensionAddedOnlyToANameWithoutAny) {
    EXPECT_EQ(WithLabelExtension("/home/u/shipping"), "/home/u/shipping.lab");
    EXPECT_EQ(WithLabelExtension("/home/u/shipping.lab"), "/home/u/shipping.lab");
    EXPECT_EQ(WithLabelExtension("/home/u/notes.txt"), "/home/u/notes.txt");
    EXPECT_EQ(WithLabelExtension("/home/u/v1.2/shipping"), "/home/u/v1.2/shipping.lab");
    EXPECT_EQ(WithLabelExtension("shipping.LAB"), "shipping.LAB");
}

}  // namespace
}  // namespace kestrix
