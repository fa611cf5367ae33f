// Merged printing timed as a user runs it: kestrix-cli tspl --data, one row
// per label, against tspl --copies of the same label counting on by itself
// (both make the same stream); a million-row data file streamed into a FIFO
// (peak memory); and the first rows of that file read for a preview.
// Run: build/bin/bench-batch --benchmark_filter='Merge|Rows|Copies'

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <sys/stat.h>

#include <thread>

#include "BatchLabel.h"
#include "ProgramRun.h"
#include "document/DataSource.h"
#include "document/LabelFile.h"

namespace kestrix {
namespace {

// The batch label with its serial number taken from a column instead.
LabelDocument MergedBatchLabel() {
    LabelDocument doc = BatchLabel();
    for (LabelElement& e : doc.elements) {
        if (e.nSerialMode == 0) continue;
        e.nSerialMode = 0;
        SetElementText(e, e.nType == kText ? u"Serial: ${SERIAL}" : u"${SERIAL}");
    }
    return doc;
}

// A small product label for the long run: two texts from columns.
LabelDocument ProductLabel() {
    LabelDocument doc;
    doc.widthMm = 40;
    doc.heightMm = 20;
    doc.elements = {Sized(kText, {16, 16}, u"${NAME}", 280, 40), Sized(kText, {16, 80}, u"${PRICE}", 120, 48)};
    return doc;
}

// A million rows of about 100 bytes each.
const QString& MillionRows() {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("million.csv"));
    if (QFileInfo::exists(path)) return path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    QByteArray block = "SKU,NAME,PRICE,URL\n";
    for (int i = 1; i <= 1000000; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(7, '0');
        block += n + ",\"Product " + n + ", a name long enough for a shelf\"," + QByteArray::number(i % 100) + ".50," +
                 "https://example.org/items/" + n + "/detail\n";
        if (block.size() > (1 << 20) || i == 1000000) {
            file.write(block);
            block.clear();
        }
    }
    return path;
}

// `rows` labels: the merged label from a data file, or the serialized one copied.
void TsplRun(benchmark::State& state, bool merged) {
    const int rows = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    if (!WriteLabelFile(dir.filePath(QStringLiteral("label.lab")), merged ? MergedBatchLabel() : BatchLabel(),
                        nullptr)) {
        state.SkipWithError("cannot write the label");
        return;
    }
    WriteFile(dir.filePath(QStringLiteral("empty.ini")), {});
    QByteArray csv = "SERIAL\n";
    for (int i = 1; i <= rows; ++i) csv += "K-" + QByteArray::number(i).rightJustified(6, '0') + '\n';
    WriteFile(dir.filePath(QStringLiteral("rows.csv")), csv);
    std::vector<QByteArray> args = {
        ProgramBeside("kestrix-cli").toLocal8Bit(), "tspl", "label.lab", "--settings", "empty.ini", "-o", "out.tspl"};
    if (merged)
        args.insert(args.end(), {"--data", "rows.csv"});
    else
        args.insert(args.end(), {"--copies", QByteArray::number(rows)});
    Measure(state, args, dir.path(), rows);
}

void BM_TsplCopies(benchmark::State& state) { TsplRun(state, false); }
void BM_TsplMergedRows(benchmark::State& state) { TsplRun(state, true); }
BENCHMARK(BM_TsplCopies)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TsplMergedRows)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// tspl --data of the million-row file into a FIFO that is read as it is written.
void BM_TsplMillionRowsToFifo(benchmark::State& state) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("out.fifo"));
    if (!WriteLabelFile(dir.filePath(QStringLiteral("product.lab")), ProductLabel(), nullptr) ||
        ::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0) {
        state.SkipWithError("cannot set up");
        return;
    }
    WriteFile(dir.filePath(QStringLiteral("empty.ini")), {});
    const QByteArray data = MillionRows().toLocal8Bit();
    qint64 received = 0;
    std::thread reader([&] {
        QFile in(fifo);
        if (!in.open(QIODevice::ReadOnly)) return;
        QByteArray buffer(1 << 16, Qt::Uninitialized);
        for (qint64 n; (n = in.read(buffer.data(), buffer.size())) > 0;) received += n;
    });
    Measure(state,
            {ProgramBeside("kestrix-cli").toLocal8Bit(), "tspl", "product.lab", "--settings", "empty.ini", "--data",
             data, "-o", "out.fifo"},
            dir.path(), 1000000);
    reader.join();
    state.counters["data_MiB"] = QFileInfo(MillionRows()).size() / 1048576.0;
    state.counters["stream_MiB"] = received / 1048576.0;
}
BENCHMARK(BM_TsplMillionRowsToFifo)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// What the editor's data dialog does on opening the file: the columns and the first 100 rows.
void BM_PreviewFirstRows(benchmark::State& state) {
    const QString& path = MillionRows();
    for (auto _ : state) {
        QString error;
        std::unique_ptr<DataSource> data = DataSource::Open(path, &error);
        std::vector<DataRow> rows;
        if (!data || !data->FirstRows(100, rows, &error) || rows.size() != 100) {
            state.SkipWithError("cannot read the rows");
            return;
        }
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_PreviewFirstRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrix
