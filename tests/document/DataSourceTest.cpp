// The data file of a merged run: only regular files, the checks made before
// anything prints, the rows of a range, and a file written to meanwhile.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>

#include "DocumentTestSupport.h"
#include "document/DataSource.h"

namespace kestrix {
namespace {

class DataSourceTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(test::WriteFileBytes(dir_.filePath(name), bytes));
        return dir_.filePath(name);
    }
    std::vector<LabelElement> Label(std::u16string_view content) { return {CreateElement(kText, {0, 0}, content)}; }

    QTemporaryDir dir_;
};

TEST_F(DataSourceTest, OnlyRegularFilesAreRead) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir_.filePath("fifo")).constData(), 0600), 0);
    const std::pair<QString, QString> cases[] = {
        {dir_.path(), "is a folder"},
        {dir_.filePath("fifo"), "is not a regular file"},
        {dir_.filePath("none.csv"), "no such file"},
    };
    for (const auto& [path, why] : cases) {
        QString error;
        EXPECT_EQ(DataSource::Open(path, &error), nullptr);
        EXPECT_EQ(error, path + ": " + why);
    }
}

TEST_F(DataSourceTest, CheckNamesWhatStopsTheRun) {
    const QString path = Write("d.csv", "A,B,B\n1,2,3\n4,5,6\n");
    QString error;
    std::unique_ptr<DataSource> data = DataSource::Open(path, &error);
    ASSERT_TRUE(data) << error.toStdString();
    DataCheck check;
    const std::tuple<std::u16string_view, RowRange, QString> cases[] = {
        {u"${A} ${C} ${D}", {}, path + ": no column for the label's fields ${C}, ${D} (the columns are: A, B, B)"},
        {u"${B}", {}, path + ": two columns are named for the field ${B}; give them different names"},
        {u"${A}", {3, 3}, path + " has 2 data rows; row 3 was asked for"},
        {u"${A}", {1, 5}, path + " has 2 data rows; row 5 was asked for"},
    };
    for (const auto& [content, range, message] : cases) {
        EXPECT_FALSE(data->Check(Label(content), range, check, &error));
        EXPECT_EQ(error, message);
    }
    const QString headerOnly = Write("h.csv", "A\r\n");
    data = DataSource::Open(headerOnly, &error);
    ASSERT_TRUE(data);
    EXPECT_FALSE(data->Check(Label(u"${A}"), {}, check, &error));
    EXPECT_EQ(error, headerOnly + ": no data rows below the header");
}

TEST_F(DataSourceTest, RangeRowsAndCutValues) {
    QByteArray bytes = "N,V\n";
    for (int i = 1; i <= 30; ++i) bytes += QByteArray::number(i) + "," + QByteArray(i == 7 ? 300 : 3, 'v') + "\n";
    QString error;
    std::unique_ptr<DataSource> data = DataSource::Open(Write("r.csv", bytes), &error);
    ASSERT_TRUE(data);
    DataCheck check;
    ASSERT_TRUE(data->Check(Label(u"${N}:${V}"), {5, 8}, check, &error)) << error.toStdString();
    EXPECT_EQ((std::tuple{check.rows, check.cuts, data->Count()}), (std::tuple{4, 1, 4}));
    ASSERT_EQ(check.cutNotes.size(), 1);
    EXPECT_TRUE(check.cutNotes[0].endsWith(
        "r.csv, line 8 (row 7): the text \"${N}:${V}\" comes to 302 characters with this row's values; only the first "
        "255 are used"))
        << check.cutNotes[0].toStdString();
    for (int pass = 0; pass < 2; ++pass) {
        QStringList numbers;
        while (const DataRow* row = data->Next()) numbers << row->values[0];
        EXPECT_EQ(numbers, QStringList({"5", "6", "7", "8"}));
        ASSERT_TRUE(data->Rewind(&error));
    }
    ASSERT_TRUE(data->Check(Label(u"${N}"), {29, 0}, check, &error));
    EXPECT_EQ(data->Count(), 2);
}

// Rows are never taken from a file that is being written: the run stops at
// the next read, naming the file and the line.
TEST_F(DataSourceTest, FileWrittenWhilePrintingStopsTheRun) {
    QByteArray bytes = "N\n";
    for (int i = 0; i < 100000; ++i) bytes += QByteArray::number(i) + "\n";
    const QString path = Write("c.csv", bytes);
    QString error;
    std::unique_ptr<DataSource> data = DataSource::Open(path, &error);
    DataCheck check;
    ASSERT_TRUE(data && data->Check(Label(u"${N}"), {}, check, &error));
    ASSERT_NE(data->Next(), nullptr);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append) && file.write("more\n") == 5);
    file.close();
    qint64 rows = 1;
    while (data->Next()) ++rows;
    EXPECT_LT(rows, 100000);
    EXPECT_TRUE(data->Error().startsWith(path + ", line ")) << data->Error().toStdString();
    EXPECT_TRUE(data->Error().endsWith("the file changed while it was being read")) << data->Error().toStdString();
}

}  // namespace
}  // namespace kestrix
