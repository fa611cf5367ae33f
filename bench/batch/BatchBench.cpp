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

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <vector>

#include "document/LabelFile.h"

extern char** environ;

namespace kestrix {
namespace {

LabelElement Unselected(LabelElement e) {
    e.bSelected = 0;
    return e;
}

LabelElement Sized(int type, ElementPoint at, std::u16string_view content, int w, int h) {
    LabelElement e = CreateElement(type, at, content);
    e.nWidth = w;
    e.nHeight = h;
    return Unselected(e);
}

LabelDocument BatchLabel() {
    LabelDocument doc;
    doc.widthMm = 100;
    doc.heightMm = 150;
    LabelElement border = Sized(kShape, {16, 16}, {}, 767, 1167);
    border.nLineWidth = 4;
    LabelElement title = Sized(kText, {48, 40}, u"Shipping label", 700, 88);
    title.logFont.lfWeight = 700;
    LabelElement rule = Unselected(CreateElement(kLine, {32, 144}, {}, {768, 144}));
    rule.nLineWidth = 3;
    LabelElement serial = Sized(kText, {48, 176}, u"Serial: K-000001", 700, 64);
    serial.nSerialMode = 1;
    LabelElement code128 = Sized(kBarcode, {80, 288}, u"K-000001", 640, 240);
    code128.nSerialMode = 1;
    LabelElement qr = Sized(kCode2D, {240, 608}, u"K-000001", 320, 100);
    doc.elements = {border, title, rule, serial, code128, qr};
    return doc;
}

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

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
}

struct Run {
    double seconds = 0;
    double peakMiB = 0;
    bool ok = false;
};

// Runs a program to its end: wall time and the child's peak resident memory.
Run RunProgram(const std::vector<QByteArray>& args, const QString& folder) {
    std::vector<char*> argv;
    for (const QByteArray& a : args) argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray log = QDir(folder).filePath(QStringLiteral("program.log")).toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, 1, log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const QByteArray dir = folder.toLocal8Bit();
    posix_spawn_file_actions_addchdir_np(&actions, dir.constData());
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

QString ProgramBeside(const char* name) {
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).dir().filePath(QString::fromLatin1(name));
}

// Times the program making `copies` labels in `folder`, once per iteration.
void Measure(benchmark::State& state, const std::vector<QByteArray>& args, const QString& folder, int copies) {
    for (auto _ : state) {
        const Run run = RunProgram(args, folder);
        if (!run.ok) {
            state.SkipWithError((args[0] + " failed").constData());
            return;
        }
        state.SetIterationTime(run.seconds);
        state.counters["labels_per_second"] = copies / run.seconds;
        state.counters["peak_MiB"] = run.peakMiB;
    }
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
