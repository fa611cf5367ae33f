// Many copies of one serialized label, timed as a user runs them: the whole
// kestrix-cli process, next to gLabels 3 making the same labels as a PDF.
//
// The label: 100 x 150 mm with a border, a title, a rule, a serialized text,
// a serialized Code 128 and a QR code. gLabels gets the same layout with the
// serial numbers merged from a CSV file, one record per label.
//
// gLabels is not part of the build set-up; install it only to compare:
//     apt-get install glabels        (gives glabels-3-batch)
// Run: build/bin/bench-batch [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "BatchLabel.h"
#include "ProgramRun.h"
#include "document/LabelFile.h"

namespace kestrix {
namespace {

// The same layout for gLabels 3, its serials merged from `csv`.
QByteArray GlabelsDocument(const QString& csv) {
    const QByteArray m = " a0=\"1\" a1=\"0\" a2=\"0\" a3=\"1\" a4=\"0\" a5=\"0\"";
    const QByteArray black = "0x000000ff";
    return "<?xml version=\"1.0\"?>\n"
           "<Glabels-document xmlns=\"http://glabels.org/xmlns/3.0/\">\n"
           " <Template brand=\"Kestrix\" part=\"bench\" size=\"Other\" width=\"100mm\" height=\"150mm\">\n"
           "  <Label-rectangle id=\"0\" width=\"100mm\" height=\"150mm\" round=\"0mm\">\n"
           "   <Layout nx=\"1\" ny=\"1\" x0=\"0mm\" y0=\"0mm\" dx=\"100mm\" dy=\"150mm\"/>\n"
           "  </Label-rectangle>\n"
           " </Template>\n"
           " <Objects id=\"0\" rotate=\"False\">\n"
           "  <Object-box" +
           m + " x=\"2mm\" y=\"2mm\" w=\"96mm\" h=\"146mm\" line_width=\"0.5mm\" line_color=\"" + black +
           "\" fill_color=\"0x00000000\"/>\n"
           "  <Object-text" +
           m +
           " x=\"6mm\" y=\"5mm\" w=\"87.6mm\" h=\"11mm\" justify=\"Left\" valign=\"Top\">"
           "<Span font_family=\"Sans\" font_size=\"28\" font_weight=\"bold\" color=\"" +
           black +
           "\" line_spacing=\"1\">Shipping label</Span></Object-text>\n"
           "  <Object-line" +
           m + " x=\"4mm\" y=\"18mm\" dx=\"92mm\" dy=\"0mm\" line_width=\"0.4mm\" line_color=\"" + black +
           "\"/>\n"
           "  <Object-text" +
           m +
           " x=\"6mm\" y=\"22mm\" w=\"87.6mm\" h=\"8mm\" justify=\"Left\" valign=\"Top\">"
           "<Span font_family=\"Sans\" font_size=\"20\" font_weight=\"normal\" color=\"" +
           black +
           "\" line_spacing=\"1\">Serial: <Field name=\"serial\"/></Span></Object-text>\n"
           "  <Object-barcode" +
           m +
           " x=\"10mm\" y=\"36mm\" w=\"80mm\" h=\"30mm\" backend=\"gnu-barcode\" "
           "style=\"Code128\" text=\"True\" checksum=\"True\" color=\"" +
           black +
           "\" field=\"serial\"/>\n"
           "  <Object-barcode" +
           m +
           " x=\"30mm\" y=\"76mm\" w=\"40mm\" h=\"40mm\" backend=\"libqrencode\" "
           "style=\"IEC18004\" text=\"False\" checksum=\"True\" color=\"" +
           black +
           "\" field=\"serial\"/>\n"
           " </Objects>\n"
           " <Merge type=\"Text/Comma/Line1Keys\" src=\"" +
           csv.toUtf8() +
           "\"/>\n"
           "</Glabels-document>\n";
}

void BM_KestrixTspl(benchmark::State& state) {
    const int copies = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    QString error;
    if (!WriteLabelFile(dir.filePath(QStringLiteral("batch.lab")), BatchLabel(), &error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    WriteFile(dir.filePath(QStringLiteral("empty.ini")), {});
    const std::vector<QByteArray> args = {ProgramBeside("kestrix-cli").toLocal8Bit(),
                                          "tspl",
                                          "batch.lab",
                                          "--settings",
                                          "empty.ini",
                                          "--copies",
                                          QByteArray::number(copies),
                                          "-o",
                                          "out.tspl"};
    Measure(state, args, dir.path(), copies);
}
BENCHMARK(BM_KestrixTspl)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_KestrixTspl)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GlabelsBatch(benchmark::State& state) {
    const int copies = static_cast<int>(state.range(0));
    const QString glabels = QStandardPaths::findExecutable(QStringLiteral("glabels-3-batch"));
    if (glabels.isEmpty()) {
        state.SkipWithError("glabels-3-batch not installed (apt-get install glabels)");
        return;
    }
    QTemporaryDir dir;
    QByteArray csv = "serial\n";
    for (int i = 1; i <= copies; ++i) csv += "K-" + QByteArray::number(i).rightJustified(6, '0') + '\n';
    const QString csvPath = dir.filePath(QStringLiteral("serials.csv"));
    WriteFile(csvPath, csv);
    WriteFile(dir.filePath(QStringLiteral("batch.glabels")), GlabelsDocument(csvPath));
    Measure(state, {glabels.toLocal8Bit(), "-o", "out.pdf", "batch.glabels"}, dir.path(), copies);
}
BENCHMARK(BM_GlabelsBatch)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace
}  // namespace kestrix
