// One driver page of a 100 x 150 mm label (texts, barcodes, QR codes and a
// colour picture) drawn in bands into the PDF: at the label's own 203 dpi
// (black and white), and scaled to 600 dpi with the picture, whose colour
// is looked for first, and without it.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "document/Units.h"
#include "print/DriverPage.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

struct Fixture {
    Fixture() {
        QImage photo(240, 160, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x) photo.setPixel(x, y, qRgb(x, y, (x + y) / 2));
        photo.save(dir.filePath(QStringLiteral("photo.png")));
        for (int i = 0; i < 8; ++i) {
            LabelElement text = CreateElement(kText, {10, 20 + i * 140}, u"Item 12.50 EUR");
            std::tie(text.nWidth, text.nHeight) = std::tuple{300, 36};
            LabelElement code = CreateElement(kBarcode, {400, 20 + i * 140}, u"K-2024-001");
            std::tie(code.nWidth, code.nHeight) = std::tuple{340, 70};
            elements.insert(elements.end(), {text, code, CreateElement(kCode2D, {10, 60 + i * 140}, u"Kestrix")});
        }
        LabelElement picture =
            CreatePictureElement({400, 1000}, dir.filePath(QStringLiteral("photo.png")).toStdU16String(), 240, 160);
        std::tie(picture.nWidth, picture.nHeight) = std::tuple{360, 180};
        elements.push_back(picture);
        ctx.codes = &codes;
        ctx.pictures = &pictures;
    }
    static QGuiApplication& App() {
        static int argc = 1;
        static char name[] = "bench-print";
        static char* argv[] = {name, nullptr};
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
        return app;
    }
    bool ready = (App(), true);  // before anything draws
    QTemporaryDir dir;
    std::vector<LabelElement> elements;
    CodeImageCache codes;
    PictureCache pictures;
    RenderContext ctx;
};

// Arguments: the job's resolution, whether the label keeps its picture.
void BM_DriverPage(benchmark::State& state) {
    static Fixture f;
    std::vector<LabelElement> elements = f.elements;
    if (!state.range(1)) elements.pop_back();
    const int resolution = static_cast<int>(state.range(0));
    const DriverPageSetup setup = PlanDriverPage({resolution}, resolution, 203, 203);
    const QSize dots(TargetDots(100, resolution), TargetDots(150, resolution));
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        LabelPdf pdf(file, QSizeF(100, 150), resolution, resolution);
        AddDriverPage(pdf, elements, setup, dots, f.ctx, nullptr);
        pdf.Finish();
        bytes = file.size();
    }
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(BM_DriverPage)->Args({203, 1})->Args({600, 1})->Args({600, 0})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrix
