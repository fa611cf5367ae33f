// The direct print job's stages on a 100 x 150 mm label at 203 dpi
// (799 x 1199 dots) holding 50 elements of every drawn kind, and 100 of its
// streams sent to a network printer on 127.0.0.1 (the simulated printer) and
// to a file.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "SimulatedPrinter.h"
#include "output/ColorToBW.h"
#include "output/DrawLabel.h"
#include "output/PrintStream.h"
#include "output/PrinterAddress.h"
#include "output/PrinterDevice.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"

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

// A 240 x 160 photo-like picture file with a gradient and a disc.
QString WritePicture(const QTemporaryDir& dir) {
    QImage image(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, y, (x + y) / 2));
    QPainter p(&image);
    p.setBrush(Qt::black);
    p.drawEllipse(80, 40, 80, 80);
    p.end();
    const QString path = dir.filePath(QStringLiteral("photo.png"));
    image.save(path);
    return path;
}

// 16 texts, 8 barcodes, 6 QR codes, 8 lines, 10 shapes and 2 pictures.
LabelDocument MixedLabel(const QString& picture) {
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
        doc.elements.push_back(
            Sized(CreateElement(kCode2D, {620 - (i % 2) * 150, 900 + (i / 2) * 100}, u"Kestrix 2D"), 90, 90));
    for (int i = 0; i < 8; ++i) {
        LabelElement line = CreateElement(kLine, {10, 60 + i * 140}, {}, {780, 60 + i * 140 + (i % 3) * 20});
        line.nLineWidth = 1 + i % 3;
        doc.elements.push_back(line);
    }
    for (int i = 0; i < 2; ++i)
        doc.elements.push_back(
            Sized(CreatePictureElement({400 + i * 200, 1060}, picture.toStdU16String(), 240, 160), 180, 120));
    for (int i = 0; i < 10; ++i) {
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
        ctx.monoPictures = true;
        ctx.codes = &codes;
        ctx.pictures = &pictures;
        raster = DrawLabelImage(doc, kDefaultDpiX, kDefaultDpiX, ctx);  // fills the code cache
        mono = ColorToBW(raster);
    }
    static constexpr int kDefaultDpiX = 203;
    bool ready = (EnsureApplication(), true);  // before anything draws
    QTemporaryDir dir;
    LabelDocument doc = MixedLabel(WritePicture(dir));
    CodeImageCache codes;
    PictureCache pictures;
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

// 100 labels through one opening of the printer, until the printer has read them all.
void SendLabels(benchmark::State& state, const std::function<QString()>& makePrinter,
                const std::function<void(qsizetype)>& waitUntilRead) {
    Fixture& f = Shared();
    constexpr int kLabels = 100;
    const PrintStream stream = BuildPrintStream(f.mono, PrinterSettings(), f.doc.widthMm, f.doc.heightMm);
    for (auto _ : state) {
        state.PauseTiming();
        const std::optional<PrinterAddress> address = ParsePrinterAddress(makePrinter());
        state.ResumeTiming();
        PrinterDevice device;
        StallWatch watch;
        QString error;
        if (!address || !device.Open(*address, &error)) return state.SkipWithError(qPrintable(error));
        for (int label = 0; label < kLabels; ++label) {
            device.Write(stream.header, watch, &error);
            device.Write(stream.body, watch, &error);
        }
        if (device.Finish(watch, &error) != StallWatch::Outcome::Sent) return state.SkipWithError(qPrintable(error));
        device.Close();
        waitUntilRead(kLabels * (stream.header.size() + stream.body.size()));
    }
    state.counters["labels"] = kLabels;
    state.counters["label_bytes"] = static_cast<double>(stream.header.size() + stream.body.size());
}

void BM_SendLabelsToNetworkPrinter(benchmark::State& state) {
    std::unique_ptr<SimulatedPrinter> printer;
    SendLabels(
        state,
        [&] {
            printer = std::make_unique<SimulatedPrinter>();
            return printer->Address();
        },
        [&](qsizetype bytes) {
            if (!printer->WaitForJobBytes(bytes, 60000)) state.SkipWithError("the printer did not get every label");
        });
}
BENCHMARK(BM_SendLabelsToNetworkPrinter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SendLabelsToFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printer"));
    SendLabels(
        state,
        [&] {
            QFile(path).open(QIODevice::WriteOnly | QIODevice::Truncate);
            return path;
        },
        [](qsizetype) {});
}
BENCHMARK(BM_SendLabelsToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kestrix
