// The editor's two costs a user feels: repainting a busy label, and the time
// from starting the program to its first painted window.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QWidget>

#include "document/Units.h"
#include "editor/LabelCanvas.h"

namespace kestrix {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench-editor";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// 200 elements of every kind but pictures spread over a 100 x 150 mm label.
// With `only` from 0 to 4, every element is of kind `only` of that mix
// instead; with 5 the label stays empty (the fill alone).
void FillLabel(std::vector<LabelElement>& elements, double scale, int only) {
    for (int i = 0; i < 200 && only != 5; ++i) {
        const ElementPoint at{(i * 37) % 700, (i * 53) % 1100};
        LabelElement e;
        switch (only >= 0 ? only : i % 5) {
        case 0: e = CreateElement(kText, at, u"Serial 000123 标签"); break;
        case 1: e = CreateElement(kBarcode, at, u"0123456789"); break;
        case 2: e = CreateElement(kCode2D, at, u"0123456789"); break;
        case 3:
            e = CreateElement(kLine, at, {},
                              {static_cast<int>((at.x + 90) * scale), static_cast<int>((at.y + 40) * scale)});
            break;
        default:
            e = CreateElement(kShape, at);
            e.nWidth = 80;
            e.nHeight = 50;
            e.nShapeType = i % 3;
            break;
        }
        e.bSelected = i % 10 == 0;
        e.nSize = -1;
        elements.push_back(e);
    }
}

void BM_CanvasPaint200Elements(benchmark::State& state) {
    App();
    QWidget view;
    view.resize(1800, 2600);
    LabelCanvas canvas(UiLanguage::English, &view, QDir::tempPath());
    canvas.Session().Document().widthMm = 100;
    canvas.Session().Document().heightMm = 150;
    // Double size: two pixels per dot.
    canvas.resize(static_cast<int>(2 * LabelDots(100, 203)), static_cast<int>(2 * LabelDots(150, 203)));
    FillLabel(canvas.Elements(), canvas.ScaleX(), static_cast<int>(state.range(0)));
    QImage target(canvas.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.RenderLabel(target);  // encodes the codes once, as the first paint does
    for (auto _ : state) {
        canvas.RenderLabel(target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["codes"] = static_cast<double>(canvas.Codes().Size());
}
// Argument -1: the mixed label; 0..4: 200 texts, barcodes, 2D codes, lines or
// shapes; 5: an empty label.
BENCHMARK(BM_CanvasPaint200Elements)->Arg(-1)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The whole program under the offscreen platform, from process start until
// its canvas has painted once.
void BM_StartupToFirstPaint(benchmark::State& state) {
    App();
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/kestrix");
    if (!QFile::exists(program)) {
        state.SkipWithError("bin/kestrix not built");
        return;
    }
    for (auto _ : state) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(program, {QStringLiteral("--quit-after-paint")});
        if (!process.waitForFinished(10000) || process.exitCode() != 0) {
            state.SkipWithError("kestrix did not paint and quit");
            return;
        }
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace kestrix
