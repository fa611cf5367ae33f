// libFuzzer target for the data file reader: any bytes either give rows or
// stop with a message naming the line, and never a row that breaks the rules
// (as many values as columns, rows numbered on and lines never going back);
// reading again from the start gives the same rows.

#include <QBuffer>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "document/CsvReader.h"
#include "document/FieldMerge.h"

namespace {

void Check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "data file reader broken: %s\n", what);
    std::abort();
}

// Reads every row (at most `limit`), checking each as it comes.
std::vector<kestrix::DataRow> ReadAll(kestrix::CsvReader& reader, std::size_t limit) {
    std::vector<kestrix::DataRow> rows;
    kestrix::DataRow row;
    qint64 line = 0;
    while (rows.size() < limit && reader.Next(row)) {
        Check(row.values.size() == reader.Columns()->size(), "a row without one value per column");
        Check(row.number == qint64(rows.size()) + 1, "rows not numbered on");
        Check(row.line >= line && row.line >= 1, "a row before the one above it");
        line = row.line;
        // Filling every column into a content made of them never breaks the record's limit.
        QString content;
        for (const QString& name : *row.columns) content += QStringLiteral("${%1}$${").arg(name);
        kestrix::LabelElement e = kestrix::CreateElement(kestrix::kText, {0, 0}, content.toStdU16String());
        kestrix::FieldCut cut;
        const kestrix::LabelElement merged = kestrix::MergedElement(e, row, &cut);
        Check(kestrix::ElementText(merged).size() < kestrix::kStrUnits, "a merged content past the record");
        rows.push_back(row);
    }
    Check(reader.Error().isEmpty() || reader.Error().contains(QStringLiteral("line ")), "an error without its line");
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrix;
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer, QStringLiteral("fuzz.csv"));
    if (!reader.ReadHeader()) {
        Check(!reader.Error().isEmpty(), "header refused without a reason");
        return 0;
    }
    Check(!reader.Columns()->isEmpty() && reader.Columns()->size() <= CsvReader::kMaxColumns, "columns");
    const std::vector<DataRow> first = ReadAll(reader, 1000);
    const QString error = reader.Error();
    Check(reader.Rewind(), "cannot read again");
    const std::vector<DataRow> again = ReadAll(reader, 1000);
    Check(again.size() == first.size() && reader.Error() == error, "a second reading differs");
    for (std::size_t i = 0; i < first.size(); ++i)
        Check(first[i].values == again[i].values && first[i].line == again[i].line, "a row read differently");
    return 0;
}
