// render, tspl and print: drawing the label for output and the direct print job.

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <cstdio>
#include <optional>

#include "cli/CliCommand.h"
#include "cli/Commands.h"
#include "document/LabelFile.h"
#include "document/OutputFile.h"
#include "document/RegularFile.h"
#include "document/Units.h"
#include "output/ColorToBW.h"
#include "output/DirectPrintJob.h"
#include "output/DrawLabel.h"
#include "output/IniFile.h"
#include "output/PrintJobMaker.h"
#include "output/PrinterSettings.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"
#include "render/RenderContext.h"

namespace kestrix::cli {

namespace {

constexpr int kMaxDpi = 2400;

struct Resolution {
    int x = kDefaultDpi;
    int y = kDefaultDpi;
};

Resolution ParseDpi(const Arguments& a) {
    const std::optional<QString> text = a.Value(QStringLiteral("--dpi"));
    if (!text) return {};
    const QStringList parts = text->split(u',');
    Resolution r;
    bool okX = false, okY = parts.size() == 1;
    r.x = parts[0].trimmed().toInt(&okX);
    r.y = parts.size() == 2 ? parts[1].trimmed().toInt(&okY) : r.x;
    if (parts.size() > 2 || !okX || !okY || r.x < 1 || r.y < 1 || r.x > kMaxDpi || r.y > kMaxDpi)
        Fail(QStringLiteral("--dpi: \"%1\" is not N or NX,NY with N from 1 to %2").arg(*text).arg(kMaxDpi));
    return r;
}

// The canvas size given by --view as display scales: canvas pixels per dot.
std::pair<double, double> ParseView(const Arguments& a, const LabelDocument& doc, Resolution dpi) {
    const std::optional<QString> text = a.Value(QStringLiteral("--view"));
    if (!text) return {1.0, 1.0};
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^([0-9]{1,6})[xX]([0-9]{1,6})$")).match(text->trimmed());
    const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (w < 1 || h < 1) Fail(QStringLiteral("--view: \"%1\" is not WIDTHxHEIGHT in pixels").arg(*text));
    return {w / LabelDots(doc.widthMm, dpi.x), h / LabelDots(doc.heightMm, dpi.y)};
}

QString SingleLabel(const Arguments& a, const char* command) {
    if (a.Positional().size() != 1) UsageError(QStringLiteral("%1 takes one label file").arg(QLatin1String(command)));
    return a.Positional()[0];
}

QString OutputPath(const Arguments& a) {
    const std::optional<QString> out = a.Value(QStringLiteral("-o"));
    if (!out || out->isEmpty()) UsageError(QStringLiteral("-o OUT is required"));
    return *out;
}

PrinterSettings SettingsOf(const Arguments& a) {
    PrinterSettings settings;
    const std::optional<QString> path = a.Value(QStringLiteral("--settings"));
    if (path) {
        // Only a regular file: a FIFO without a writer would wait forever.
        const FileRead read = ReadRegularFile(*path, IniFile::kMaxBytes);
        if (read.problem != FileProblem::None)
            Fail(QStringLiteral("cannot read settings %1: %2").arg(*path, FileProblemText(read, 0)));
        LoadPrinterSettings(settings, IniFile::FromText(read.bytes));
    } else {
        LoadPrinterSettings(settings);
    }
    return settings;
}

// Every -o output goes through here.
void WriteOutput(const QString& path, QByteArrayView bytes) {
    QString error;
    if (!WriteOutputFile(path, bytes, &error)) Fail(error);
}

// One label file's direct-print jobs, `copies` of them, each written as soon
// as it is made.
void WriteLabelJobs(LabelDocument& doc, const PrinterSettings& settings, std::pair<double, double> view,
                    int copies, OutputFile& file) {
    CodeImageCache codes;
    PictureCache pictures;
    const DirectPrintInput in{doc, settings, codes, &pictures, kDefaultDpi, kDefaultDpi, view.first, view.second};
    PrintJobMaker maker(in);
    const SentJobs sent = SendPrintJobs(
        maker, copies, [&file](QByteArrayView bytes, QString* error) { return file.Write(bytes, error); });
    if (!sent.error.isEmpty() || sent.writeFailed) Fail(sent.error);
}

void SaveLabelBack(const LabelDocument& doc) {
    QString error;
    if (!WriteLabelFile(doc.labelPath, doc, &error)) Fail(error);
}

}  // namespace

int RunRender(const QStringList& args) {
    const Arguments a(args, {QStringLiteral("-o"), QStringLiteral("--dpi"), QStringLiteral("--view")},
                      {QStringLiteral("--mono")});
    const QString labelPath = SingleLabel(a, "render");
    const QString out = OutputPath(a);
    LabelDocument doc = OpenLabelOrFail(labelPath);
    const Resolution dpi = ParseDpi(a);
    const auto [viewX, viewY] = ParseView(a, doc, dpi);

    CodeImageCache codes;
    PictureCache pictures;
    RenderContext ctx;
    ctx.monoPictures = a.Flag(QStringLiteral("--mono"));
    ctx.viewScaleX = viewX;
    ctx.viewScaleY = viewY;
    ctx.codes = &codes;
    ctx.pictures = &pictures;
    const QImage raster = DrawLabelImage(doc, dpi.x, dpi.y, ctx);
    const QSize size = OutputTargetSize(doc, dpi.x, dpi.y);
    const QString tooLarge = QStringLiteral("the label (%1 x %2 dots) is too large to render").arg(size.width()).arg(size.height());
    if (raster.isNull()) Fail(tooLarge);

    if (ctx.monoPictures) {
        const MonoImage mono = ColorToBW(raster);
        if (mono.IsNull()) Fail(tooLarge);
        WriteOutput(out, mono.Bytes());
        return kOk;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(raster)) Fail(QStringLiteral("cannot make the PNG: %1").arg(writer.errorString()));
    WriteOutput(out, png);
    return kOk;
}

int RunTspl(const QStringList& args) {
    const Arguments a(args,
                      {QStringLiteral("-o"), QStringLiteral("--settings"), QStringLiteral("--copies"),
                       QStringLiteral("--view")},
                      {QStringLiteral("--update")});
    const QString labelPath = SingleLabel(a, "tspl");
    const QString out = OutputPath(a);
    const int copies = a.PositiveInt(QStringLiteral("--copies"), 1);
    const PrinterSettings settings = SettingsOf(a);
    LabelDocument doc = OpenLabelOrFail(labelPath);
    const auto [viewX, viewY] = ParseView(a, doc, {});

    OutputFile file(out);
    QString error;
    if (!file.Open(&error)) Fail(error);
    WriteLabelJobs(doc, settings, {viewX, viewY}, copies, file);
    if (!file.Commit(&error)) Fail(error);
    if (a.Flag(QStringLiteral("--update"))) SaveLabelBack(doc);
    return kOk;
}

int RunPrint(const QStringList& args) {
    const Arguments a(args,
                      {QStringLiteral("--settings"), QStringLiteral("--copies"), QStringLiteral("--device"),
                       QStringLiteral("--view"), QStringLiteral("--printer"), QStringLiteral("--timeout")},
                      {QStringLiteral("--update")});
    const QString labelPath = SingleLabel(a, "print");
    const int copies = a.PositiveInt(QStringLiteral("--copies"), 1);
    if (const std::optional<QString> queue = a.Value(QStringLiteral("--printer"))) {
        if (a.Value(QStringLiteral("--device")) || a.Value(QStringLiteral("--settings")))
            UsageError(QStringLiteral("--printer takes neither --device nor --settings"));
        LabelDocument doc = OpenLabelOrFail(labelPath);
        const auto [viewX, viewY] = ParseView(a, doc, {});
        PrintThroughDriver(doc, *queue, copies, viewX, viewY);
        if (a.Flag(QStringLiteral("--update"))) SaveLabelBack(doc);
        return kOk;
    }
    // A printer that stops taking data is waited for; --timeout gives up after that many seconds of it.
    StallWatch watch(qint64(a.PositiveInt(QStringLiteral("--timeout"), 0)) * 1000);
    watch.onStalled = [] {
        std::fprintf(stderr, "kestrix-cli print: %s; still waiting\n", qPrintable(PrinterStalledMessage(0).text));
    };
    const PrinterSettings settings = SettingsOf(a);
    LabelDocument doc = OpenLabelOrFail(labelPath);
    const auto [viewX, viewY] = ParseView(a, doc, {});

    PrinterTarget target;
    target.device = a.Value(QStringLiteral("--device")).value_or(settings.Device);
    // A plain file standing in for the printer receives just this run's jobs.
    if (QFileInfo(target.device).isFile()) {
        QFile file(target.device);
        if (!file.resize(0)) Fail(QStringLiteral("cannot write %1: %2").arg(target.device, file.errorString()));
    }

    CodeImageCache codes;
    PictureCache pictures;
    DirectPrintInput in{doc, settings, codes, &pictures, kDefaultDpi, kDefaultDpi, viewX, viewY};
    in.copies = copies;
    QStringList noQueue;
    const DirectPrintResult result = DirectPrintLabel(in, noQueue, 0, {}, target, &watch);
    // The numbers already used stay used: keep them out of the next run.
    if (result.rendered > 0 && a.Flag(QStringLiteral("--update"))) SaveLabelBack(doc);
    if (result.status != DirectPrintStatus::Printed) Fail(result.detail);
    return kOk;
}

}  // namespace kestrix::cli
