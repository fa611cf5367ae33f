// kestrix-cli --data from outside: a merged label is the label with the
// row's values written in (render pixel for pixel, tspl byte for byte), bad
// data stops the run before anything is written, and progress is told only
// when asked for.

#include <QImage>
#include <algorithm>

#include "CliFixture.h"
#include "document/FieldMerge.h"

namespace kestrix {
namespace {

LabelElement Boxed(int type, int x, int y, int w, int h, std::u16string_view content, int escapement = 0) {
    LabelElement e = CreateElement(type, {x, y}, content);
    std::tie(e.nWidth, e.nHeight, e.bSelected, e.nEscapement) = std::tuple{w, h, 0, escapement};
    return e;
}

// A label of every kind that takes fields, turned and not, using the same three columns.
LabelDocument FieldLabel() {
    LabelElement pdf = Boxed(kCode2D, 200, 150, 200, 80, u"${NAME}|${SKU}");
    pdf.nBarcodeType = kPdf417;
    return {60,
            50,
            {},
            {},
            {Boxed(kText, 10, 10, 250, 36, u"${NAME}"), Boxed(kBarcode, 10, 60, 300, 80, u"${SKU}"),
             Boxed(kCode2D, 360, 10, 100, 100, u"${URL}"), Boxed(kText, 20, 150, 30, 120, u"${SKU} $${x}", 900), pdf}};
}

const char kRows[] =
    "NAME;SKU;URL\n"
    "Ann Lee;A-100;https://example.org/a\n"
    "\"B\xC3\xB6, \"\"the\"\" \xE5\x90\x8D\";B-2;\"https://example.org/b;c\"\n"
    "Cy;C-3;\n";

using MergeCli = CliFolder;

// The oracle: every row of the label, rendered and streamed, against the
// label with that row's values written in.
TEST_F(MergeCli, MergedLabelsAreTheLabelsWithTheValuesWrittenIn) {
    Write("rows.csv", kRows);
    const QStringList columns = {"NAME", "SKU", "URL"};
    const std::vector<QStringList> values = {{"Ann Lee", "A-100", "https://example.org/a"},
                                             {u"B\u00F6, \"the\" \u540D"_qs, "B-2", "https://example.org/b;c"},
                                             {"Cy", "C-3", ""}};
    ASSERT_TRUE(WriteLabelFile(Path("m.lab"), FieldLabel(), nullptr));
    QByteArray literalStreams, laterRows;  // rows 2 and 3
    for (std::size_t r = 0; r < values.size(); ++r) {
        LabelDocument literal = FieldLabel();
        const DataRow row{std::make_shared<const QStringList>(columns), values[r], qint64(r) + 1, 0};
        for (LabelElement& e : literal.elements) e = MergedElement(e, row);
        ASSERT_TRUE(WriteLabelFile(Path("lit.lab"), literal, nullptr));
        const QString rowArg = QString::number(r + 1);
        ASSERT_EQ(Run({"render", "m.lab", "--data", "rows.csv", "--row", rowArg, "-o", "m.png"}).exitCode, 0);
        ASSERT_EQ(Run({"render", "lit.lab", "-o", "lit.png"}).exitCode, 0);
        EXPECT_EQ(QImage(Path("m.png")), QImage(Path("lit.png"))) << "row " << r + 1;
        ASSERT_EQ(Run({"tspl", "lit.lab", "--copies", "2", "-o", "lit.tspl"}).exitCode, 0);
        literalStreams += Read("lit.tspl");
        if (r > 0) laterRows += Read("lit.tspl");
    }
    ASSERT_EQ(Run({"tspl", "m.lab", "--data", "rows.csv", "--copies", "2", "-o", "m.tspl"}).exitCode, 0);
    EXPECT_EQ(Read("m.tspl"), literalStreams);
    Write("printer", {});
    ASSERT_EQ(
        Run({"print", "m.lab", "--data", "rows.csv", "--rows", "2-", "--copies", "2", "--device", "printer"}).exitCode,
        0);
    EXPECT_EQ(Read("printer"), laterRows);
}

// What is wrong with the data itself is the data reader's test (CsvReader, DataSource): here, that each
// stage (reading, checking against the label, the options) stops the run before anything is written.
TEST_F(MergeCli, BadDataStopsTheRunBeforeAnythingIsWritten) {
    ASSERT_TRUE(WriteLabelFile(Path("m.lab"), FieldLabel(), nullptr));
    const std::tuple<QByteArray, QStringList, QString> cases[] = {
        {"NAME,SKU\nA,B\n", {}, "m.lab: data.csv: no column for the label's field ${URL} (the columns are: NAME, SKU)"},
        {"NAME,SKU,URL\n1,2,3\n\"4,5,6\n", {}, "m.lab: data.csv, line 3: a quoted field is never closed"},
        {"NAME,SKU,URL\n1,2,3\n", {"--rows", "2-1"}, "--rows: \"2-1\" is not A-B or A-"},
    };
    for (const auto& [csv, extra, error] : cases) {
        Write("data.csv", csv);
        for (const QString command : {"tspl", "print"}) {
            QStringList args = {command, "m.lab", "--data", "data.csv"};
            args << extra << (command == u"tspl" ? QStringList{"-o", "out"} : QStringList{"--device", "out"});
            const CliRun run = Run(args);
            const std::string expected = QStringLiteral("kestrix-cli %1: %2").arg(command, error).toStdString();
            EXPECT_EQ(run.exitCode, 1) << expected;
            EXPECT_TRUE(run.err.starts_with(expected)) << run.err << "wanted: " << expected;
            EXPECT_TRUE(run.err.ends_with('\n') && std::ranges::count(run.err, '\n') == 1) << run.err;
            EXPECT_FALSE(QFile::exists(Path("out"))) << "nothing written: " << expected;
        }
    }
    Write("data.csv", "NAME,SKU,URL\n1,2,3\n");
    EXPECT_EQ(Run({"render", "m.lab", "--data", "data.csv", "--row", "2", "-o", "out"}).err,
              "kestrix-cli render: m.lab: data.csv has 1 data row; row 2 was asked for\n");
    EXPECT_EQ(Run({"tspl", "m.lab", "--rows", "1-2", "-o", "out"}).exitCode, 2) << "--rows without --data";
    EXPECT_EQ(Run({"render", "m.lab", "--data", "data.csv", "--rows", "1-2", "-o", "out"}).exitCode, 2);
    EXPECT_EQ(Run({"tspl", "m.lab", "--data", "data.csv", "--row", "1", "-o", "out"}).exitCode, 2) << "--rows 1-1";
    EXPECT_EQ(Run({"tspl", "m.lab", "--rwos", "1-2", "-o", "out"}).exitCode, 2) << "an unknown option";
    EXPECT_FALSE(QFile::exists(Path("out")));
}

// A value longer than its text is cut with a warning; progress only with --progress.
TEST_F(MergeCli, CutValuesAreWarnedOfAndProgressToldWhenAsked) {
    LabelDocument label = FieldLabel();
    label.elements.resize(3);  // the text, the barcode and the QR code
    ASSERT_TRUE(WriteLabelFile(Path("m.lab"), label, nullptr));
    Write("data.csv", "NAME,SKU,URL\n" + QByteArray(300, 'n') + ",S,U\nA,B,C\n");
    CliRun run = Run({"tspl", "m.lab", "--data", "data.csv", "-o", "out"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "kestrix-cli tspl: warning: data.csv, line 2 (row 1): the text \"${NAME}\" comes to 300 characters "
              "with this row's values; only the first 255 are used\n");
    EXPECT_TRUE(run.out.isEmpty());
    run = Run({"tspl", "m.lab", "--data", "data.csv", "--rows", "2-", "--progress", "-o", "out"});
    EXPECT_EQ(run.err, "kestrix-cli tspl: 1 of 1 labels sent (100%)\n");
    Write("printer", {});
    run = Run({"print", "m.lab", "--data", "data.csv", "--rows", "2-2", "--device", "printer"});
    EXPECT_EQ((std::pair{run.exitCode, run.err}), (std::pair{0, std::string()}));
    EXPECT_EQ(Read("printer"), Read("out"));
}

}  // namespace
}  // namespace kestrix
