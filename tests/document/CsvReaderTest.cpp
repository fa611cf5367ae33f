// The data file reader: spreadsheet CSV in its usual shapes, row by row with
// the lines they start on, and damaged files refused with the line named.

#include <gtest/gtest.h>

#include <QBuffer>

#include "document/CsvReader.h"

namespace kestrix {
namespace {

struct Read {
    QStringList columns;
    std::vector<QStringList> rows;
    std::vector<qint64> lines;
    QString error;
    char separator = 0;
    QString encoding;
};

Read ReadAll(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer, QStringLiteral("data.csv"));
    Read read;
    if (!reader.ReadHeader()) {
        read.error = reader.Error();
        return read;
    }
    read.columns = *reader.Columns();
    DataRow row;
    while (reader.Next(row)) {
        read.rows.push_back(row.values);
        read.lines.push_back(row.line);
    }
    read.error = reader.Error();
    read.separator = reader.Separator();
    read.encoding = reader.EncodingName();
    return read;
}

struct GoodCase {
    const char* name;
    QByteArray bytes;
    QStringList columns;
    std::vector<QStringList> rows;
    std::vector<qint64> lines;
};

TEST(CsvReader, ReadsWhatSpreadsheetsWrite) {
    const GoodCase cases[] = {
        {"quoted separators, quotes and line breaks, CRLF",
         "NAME,NOTE\r\n\"Lee, Ann\",\"say \"\"hi\"\"\r\nthen go\"\r\nBo,x\r\n",
         {"NAME", "NOTE"},
         {{"Lee, Ann", "say \"hi\"\r\nthen go"}, {"Bo", "x"}},
         {2, 4}},
        {"semicolons after a byte-order mark; commas are text, also quoted in the header",
         "\xEF\xBB\xBFItem;\"Price, EUR\"\n\"Tee\";9,90\n",
         {"Item", "Price, EUR"},
         {{"Tee", "9,90"}},
         {2}},
        {"tabs, blanks kept", "a\tb\n 1 \t2 \n", {"a", "b"}, {{" 1 ", "2 "}}, {2}},
        {"no line break at the end; blank lines skipped",
         "\r\na,b\n\n1,2\n\n3,4",
         {"a", "b"},
         {{"1", "2"}, {"3", "4"}},
         {4, 6}},
        {"fewer fields: the missing ones are empty",
         "a,b,c\n1\n,\n",
         {"a", "b", "c"},
         {{"1", "", ""}, {"", "", ""}},
         {2, 3}},
        {"UTF-8", "Name\n\xC3\x96l \xE5\x90\x8D\n", {"Name"}, {{u"\u00D6l \u540D"_qs}}, {2}},
        {"GB18030 when not UTF-8",
         "\xC3\xFB\xB3\xC6\n\xD6\xD0\xCE\xC4\n",
         {u"\u540D\u79F0"_qs},
         {{u"\u4E2D\u6587"_qs}},
         {2}},
        {"header only", "a,b\r\n", {"a", "b"}, {}, {}},
    };
    for (const GoodCase& c : cases) {
        const Read read = ReadAll(c.bytes);
        EXPECT_EQ(read.error, QString()) << c.name;
        EXPECT_EQ(read.columns, c.columns) << c.name;
        EXPECT_EQ(read.rows, c.rows) << c.name;
        EXPECT_EQ(read.lines, c.lines) << c.name;
    }
    EXPECT_EQ(ReadAll("Item;Price\n").separator, ';');
    EXPECT_EQ(ReadAll("a\tb;c\td\n").separator, '\t');
    EXPECT_EQ(ReadAll("one column\n").separator, ',');
    EXPECT_EQ(ReadAll("\xC3\xFB\n1\n").encoding, QStringLiteral("GB18030"));
}

TEST(CsvReader, DamagedFilesAreRefusedNamingTheLine) {
    const std::pair<QByteArray, const char*> cases[] = {
        {"", "data.csv: the file is empty"},
        {"a,b\n1,2\n3,4,5\n", "data.csv, line 3: row 2 has 3 fields, but the header names 2 columns"},
        {"a\n1\n\"open\nstill open\n", "data.csv, line 3: a quoted field is never closed"},
        {"a\n\"x\"y\n", "data.csv, line 2: a \" inside a field"},
        {QByteArray("a\n1\n2\0\n", 7), "data.csv, line 3: holds a NUL byte"},
        {"a,b\n1,\xFF\xFE\n", "data.csv, line 2: row 1, column \"b\": bytes that are neither UTF-8 nor GB18030"},
        {"\xEF\xBB\xBF"
         "a\n\xD6\xD0\n",
         "data.csv, line 2: row 1, column \"a\": bytes that are not UTF-8"},
        {"a\n\"" + QByteArray(CsvReader::kMaxFieldBytes + 10, 'x'), "data.csv, line 2: a field runs on for more than"},
        {QByteArray(CsvReader::kMaxColumns + 1, ',') + "\n", "data.csv, line 1: the header names more than"},
    };
    for (const auto& [bytes, error] : cases)
        EXPECT_TRUE(ReadAll(bytes).error.startsWith(QString::fromUtf8(error)))
            << error << "\n got: " << ReadAll(bytes).error.toStdString();
}

// A preview of the first rows of a large file reads only the start of it, and
// reading again from the start gives the same rows.
TEST(CsvReader, ReadsOnlyAsFarAsAsked) {
    QByteArray bytes = "SKU,NAME\n";
    for (int i = 0; i < 200000; ++i) bytes += QByteArray::number(i) + ",\"item\n" + QByteArray::number(i) + "\"\n";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer, QStringLiteral("big.csv"));
    ASSERT_TRUE(reader.ReadHeader());
    DataRow row;
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(reader.Next(row));
    EXPECT_LT(buffer.pos(), 256 * 1024);
    EXPECT_EQ(row.values, QStringList({"99", "item\n99"}));
    EXPECT_EQ(row.line, 2 + 99 * 2);
    ASSERT_TRUE(reader.Rewind());
    ASSERT_TRUE(reader.Next(row));
    EXPECT_EQ(row.number, 1);
    EXPECT_EQ(row.values, QStringList({"0", "item\n0"}));
}

}  // namespace
}  // namespace kestrix
