// The direct print job's stages on a 100 x 150 mm label at 203 dpi
// (799 x 1199 dots) holding 50 elements of every drawn kind.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <string>

#include "output/ColorToBW.h"
#include "output/DrawLabel.h"
#include "output/PrintStream.h"
#include "render/CodeImageCache.h"

namespace kestrix {
namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "bench-output";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

LabelElement Sized(LabelElement e, int w, int h) {
    e.nWidth = w;
    e.nHeight = h;
    e.bSelected = 0;
    return e;
}

// 16 texts, 8 barcodes, 6 QR codes, 8 lines and 12 shapes spread over the label.
LabelDocument MixedLabel() {
    LabelDocument doc;
    doc.widthMm = 100;
    doc.heightMm = 150;
    for (int i = 0; i < 16; ++i) {
        const std::u16string text = u"Item " + std::u16string(1, char16_t(u'A' + i)) + u" 12.50 EUR";
        LabelElement t = Sized(CreateElement(kText, {10 + (i % 2) * 400, 20 + (i / 2) * 140}, text), 300, 36);
        t.logFont.lfHeight = 36;
        doc.elements.push_back(t);
    }
    for (int i = 0; i < 8; ++i) {
        const std::u16string data = u"K-2024-" + std::u16string(1, char16_t(u'0' + i)) + u"01";
        doc.elements.push_back(Sized(CreateElement(kBarcode, {10 + (i % 2) * 400, 70 + (i / 2) * 280}, data), 340, 70));
    }
    for (int i = 0; i < 6; ++i)
        doc.elements.push_back(Sized(CreateElement(kCode2D, {620 - (i % 2) * 150, 900 + (i / 2) * 100}, u"Kestrix 2D"), 90, 90));
    for (int i = 0; i < 8; ++i) {
        LabelElement line = CreateElement(kLine, {10, 60 + i * 140}, {}, {780, 60 + i * 140 + (i % 3) * 20});
        line.nLineWidth = 1 + i % 3;
        doc.elements.push_back(line);
    }
    for (int i = 0; i < 12; ++i) {
        LabelElement shape = Sized(CreateElement(kShape, {20 + (i % 4) * 190, 880 + (i / 4) * 100}), 150, 80);
        shape.nShapeType = i % 5;
        shape.nCornerSize = 20;
        shape.nLineWidth = 1 + i % 3;
        doc.elements.push_back(shape);
    }
    return doc;
}

struct Fixture {
    Fixture() {
        EnsureApplication();
        ctx.monoPictures = true;
        ctx.codes = &codes;
        raster = DrawLabelImage(doc, kDefaultDpiX, kDefaultDpiX, ctx);  // fills the code cache
        mono = ColorToBW(raster);
    }
    static constexpr int kDefaultDpiX = 203;
    LabelDocument doc = MixedLabel();
    CodeImageCache codes;
    RenderContext ctx;
    QImage raster;
    MonoImage mono;
};

Fixture& Shared() {
    static Fixture f;
    return f;
}

void BM_DrawLabelAndColorToBW(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        const QImage raster = DrawLabelImage(f.doc, Fixture::kDefaultDpiX, Fixture::kDefaultDpiX, f.ctx);
        benchmark::DoNotOptimize(ColorToBW(raster).Bytes().constData());
    }
    state.counters["elements"] = static_cast<double>(f.doc.elements.size());
}
BENCHMARK(BM_DrawLabelAndColorToBW)->Unit(benchmark::kMillisecond);

void BM_ColorToBW(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) benchmark::DoNotOptimize(ColorToBW(f.raster).Bytes().constData());
    state.SetBytesProcessed(state.iterations() * f.raster.sizeInBytes());
}
BENCHMARK(BM_ColorToBW)->Unit(benchmark::kMillisecond);

void BM_BandScanAndHeader(benchmark::State& state) {
    Fixture& f = Shared();
    const PrinterSettings settings;
    qsizetype sent = 0;
    for (auto _ : state) {
        const PrintStream stream = BuildPrintStream(f.mono, settings, f.doc.widthMm, f.doc.heightMm);
        sent = stream.header.size() + stream.body.size();
        benchmark::DoNotOptimize(stream.body.constData());
    }
    state.counters["bytes_sent"] = static_cast<double>(sent);
    state.counters["raster_bytes"] = static_cast<double>(f.mono.Stride()) * f.mono.Height();
}
BENCHMARK(BM_BandScanAndHeader)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrix
