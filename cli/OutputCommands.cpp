// render, tspl, print and status: drawing the label for output, the direct
// print job and the printer's state.

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSize>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/Commands.h"
#include "cli/DataOptions.h"
#include "cli/RunLabels.h"
#include "cli/StopSignals.h"
#include "document/LabelFile.h"
#include "document/OutputFile.h"
#include "document/RegularFile.h"
#include "document/Units.h"
#include "output/ColorToBW.h"
#include "output/CupsJobState.h"
#include "output/DirectPrintJob.h"
#include "output/DrawLabel.h"
#include "output/IniFile.h"
#include "output/PrintJobMaker.h"
#include "output/PrinterAddress.h"
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

// The canvas size --view gives, in pixels.
std::optional<QSize> ViewSize(const Arguments& a) {
    const std::optional<QString> text = a.Value(QStringLiteral("--view"));
    if (!text) return std::nullopt;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^([0-9]{1,6})[xX]([0-9]{1,6})$")).match(text->trimmed());
    const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (w < 1 || h < 1) Fail(QStringLiteral("--view: \"%1\" is not WIDTHxHEIGHT in pixels").arg(*text));
    return QSize(w, h);
}

// The display scales of a canvas that size showing `doc`: canvas pixels per dot.
std::pair<double, double> ViewScales(const std::optional<QSize>& view, const LabelDocument& doc, Resolution dpi = {}) {
    if (!view) return {1.0, 1.0};
    return {view->width() / LabelDots(doc.widthMm, dpi.x), view->height() / LabelDots(doc.heightMm, dpi.y)};
}

QString SingleLabel(const Arguments& a, const char* command) {
    if (a.Positional().size() != 1) UsageError(QStringLiteral("%1 takes one label file").arg(QLatin1String(command)));
    return a.Positional()[0];
}

QStringList LabelFiles(const Arguments& a, const char* command) {
    if (a.Positional().isEmpty())
        UsageError(QStringLiteral("%1 takes one or more label files").arg(QLatin1String(command)));
    return a.Positional();
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
            Fail(QStringLiteral("cannot read settings %1: %2").arg(*path, FileProblemText(read, UiLanguage::English)));
        LoadPrinterSettings(settings, IniFile::FromText(read.bytes));
    } else {
        LoadPrinterSettings(settings);
    }
    return settings;
}

// Pictures that could not be drawn are told, never left off in silence.
void ReportLeftOff(const QString& command, PictureCache& pictures) {
    for (const QString& line : pictures.TakeLeftOff(UiLanguage::English))
        Report(command, QStringLiteral("warning: ") + line);
}

// Every -o output goes through here.
void WriteOutput(const QString& path, QByteArrayView bytes) {
    QString error;
    if (!WriteOutputFile(path, bytes, &error)) Fail(error);
}

// Checks the --data file against every label that can be read, before
// anything is written or sent.
void CheckDataForLabels(const QString& command, DataSource* data, const QStringList& labels, RowRange range) {
    if (!data) return;
    for (const QString& path : labels) {
        QString problem;  // reported when the label's turn comes
        if (std::optional<LabelDocument> doc = OpenLabel(path, &problem))
            CheckDataForLabel(command, *data, *doc, range);
    }
}

// The rows of a checked data file from the start of the range again.
void RewindData(DataSource* data) {
    QString error;
    if (data && !data->Rewind(&error)) Fail(error);
}

// One label's direct-print jobs, `copies` of them (of every row of `data`),
// each written as soon as it is made. A failed write, or a data file that can
// no longer be read, ends the run; a label that cannot be rendered is
// returned as the problem.
QString WriteLabelJobs(LabelDocument& doc, const PrinterSettings& settings, std::pair<double, double> view, int copies,
                       DataSource* data, const std::function<void(qint64, qint64)>& progress, OutputFile& file) {
    CodeImageCache codes;
    PictureCache pictures;
    DirectPrintInput in{doc, settings, codes, &pictures, kDefaultDpi, kDefaultDpi, view.first, view.second};
    in.copies = copies;
    in.rows = data;
    RewindData(data);
    PrintJobMaker maker(in);
    const qint64 jobs = maker.Jobs();
    std::function<void(qint64)> sentOne;
    if (progress) sentOne = [&progress, jobs](qint64 sent) { progress(sent, jobs); };
    const SentJobs sent = SendPrintJobs(
        maker, jobs, [&file](QByteArrayView bytes, QString* error) { return file.Write(bytes, error); }, sentOne);
    ReportLeftOff(QStringLiteral("tspl"), pictures);
    if (sent.writeFailed || (data && !sent.error.isEmpty())) Fail(sent.error);
    return sent.error.isEmpty() ? QString() : doc.labelPath + QStringLiteral(": ") + sent.error;
}

// The problem, if any, of saving the label back with its advanced numbers.
QString SaveLabelBack(const LabelDocument& doc) {
    QString error;
    return WriteLabelFile(doc.labelPath, doc, &error) ? QString() : error;
}

// The device the direct print job goes to: --device, else Device= of the settings.
PrinterTarget TargetOf(const Arguments& a, const PrinterSettings& settings) {
    PrinterTarget target;
    target.device = a.Value(QStringLiteral("--device")).value_or(settings.Device);
    return target;
}

// Before a direct print: a printer that reports a state that stops the job gets none.
void RefuseAStoppedPrinter(const PrinterTarget& target) {
    const PrinterStatus status = AskPrinterStatus(target);
    if (!status.StopsJob()) return;
    NotReady(QStringLiteral("the printer reports %1; nothing sent (%2, or print anyway with --force)")
                 .arg(PrinterStateText(status.state, UiLanguage::English),
                      PrinterStateRemedy(status.state, UiLanguage::English)));
}

// A regular file stands for a printer only while it is empty: one that holds
// data, above all a label of the run, is never overwritten by the stream.
void RefuseAFileAsDevice(const PrinterTarget& target, const QStringList& labels) {
    QString error;
    const std::optional<PrinterAddress> address = ParsePrinterAddress(target.device, &error);
    if (!address || address->kind != PrinterAddress::Kind::Path) return;
    const QFileInfo device(address->path);
    if (!device.isFile()) return;
    for (const QString& label : labels)
        if (QFileInfo(label) == device)
            Fail(QStringLiteral("%1 is one of the labels being printed, not a printer; nothing sent")
                     .arg(device.filePath()));
    if (device.size() > 0)
        Fail(QStringLiteral("%1 is a file that holds data, not a printer; nothing sent (give a new or empty file)")
                 .arg(device.filePath()));
}

}  // namespace

int RunRender(const QStringList& args) {
    const Arguments a(
        args, QStringList{QStringLiteral("-o"), QStringLiteral("--dpi"), QStringLiteral("--view")} + DataValueOptions(),
        {QStringLiteral("--mono")});
    const QString labelPath = SingleLabel(a, "render");
    const QString out = OutputPath(a);
    const RowRange range = RowsOption(a, true);
    LabelDocument doc = OpenLabelOrFail(labelPath);
    const std::unique_ptr<DataSource> data = OpenDataOption(a);
    const DataRow* row = nullptr;
    if (data) {
        CheckDataForLabel(QStringLiteral("render"), *data, doc, range);
        if (!(row = data->Next())) Fail(data->Error());
    }
    const Resolution dpi = ParseDpi(a);
    const auto [viewX, viewY] = ViewScales(ViewSize(a), doc, dpi);

    CodeImageCache codes;
    PictureCache pictures;
    RenderContext ctx;
    ctx.monoPictures = a.Flag(QStringLiteral("--mono"));
    ctx.viewScaleX = viewX;
    ctx.viewScaleY = viewY;
    ctx.codes = &codes;
    ctx.pictures = &pictures;
    const QSize size = OutputTargetSize(doc, dpi.x, dpi.y);
    if (ctx.monoPictures) {
        const MonoImage mono = DrawLabelMono(doc, dpi.x, dpi.y, ctx, row);
        if (mono.IsNull()) Fail(TooLargeText(size));
        ReportLeftOff(QStringLiteral("render"), pictures);
        WriteOutput(out, mono.Bytes());
        return kOk;
    }
    // A PNG is made of the whole raster, so a colour one has a size limit of its own.
    const QImage raster = DrawLabelImage(doc, dpi.x, dpi.y, ctx, row);
    if (raster.isNull()) Fail(TooLargeText(size, kMaxColorPixels) + QStringLiteral(" in colour; --mono draws it"));
    ReportLeftOff(QStringLiteral("render"), pictures);
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
                      QStringList{QStringLiteral("-o"), QStringLiteral("--settings"), QStringLiteral("--copies"),
                                  QStringLiteral("--view")} +
                          DataValueOptions(),
                      {QStringLiteral("--update"), QStringLiteral("--progress"), QStringLiteral("--no-wait")});
    const QStringList labels = LabelFiles(a, "tspl");
    const QString out = OutputPath(a);
    const int copies = a.PositiveInt(QStringLiteral("--copies"), 1);
    const RowRange range = RowsOption(a, false);
    const PrinterSettings settings = SettingsOf(a);
    const std::optional<QSize> view = ViewSize(a);
    const bool update = a.Flag(QStringLiteral("--update"));
    const std::unique_ptr<DataSource> data = OpenDataOption(a);
    CheckDataForLabels(QStringLiteral("tspl"), data.get(), labels, range);
    const auto progress = ProgressOption(a, QStringLiteral("tspl"));

    // OUT is opened at the first label that can be read and replaced only once
    // every job is in it; the labels are saved back after that, so a run that
    // fails leaves both as they were.
    RunLabels run(QStringLiteral("tspl"), update, !a.Flag(QStringLiteral("--no-wait")));
    std::optional<OutputFile> file;
    std::vector<LabelDocument*> written;
    int code = kOk;
    for (const QString& path : labels) {
        QString problem;
        LabelDocument* doc = run.Open(path, &problem);
        if (doc) {
            QString error;
            if (!file && !file.emplace(out).Open(&error)) Fail(error);
            problem = WriteLabelJobs(*doc, settings, ViewScales(view, *doc), copies, data.get(), progress, *file);
        }
        if (!problem.isEmpty()) {
            Report(QStringLiteral("tspl"), problem);
            code = kFailed;
        } else if (std::find(written.begin(), written.end(), doc) == written.end()) {
            written.push_back(doc);
        }
    }
    if (written.empty()) return code;  // nothing to write: OUT stays as it was
    QString error;
    if (!file->Commit(&error)) Fail(error);
    for (const LabelDocument* doc : written) {
        const QString problem = update ? SaveLabelBack(*doc) : QString();
        if (problem.isEmpty()) continue;
        Report(QStringLiteral("tspl"), problem);
        code = kFailed;
    }
    return code;
}

int RunPrint(const QStringList& args, StopSignals& stops) {
    const Arguments a(args,
                      QStringList{QStringLiteral("--settings"), QStringLiteral("--copies"), QStringLiteral("--device"),
                                  QStringLiteral("--view"), QStringLiteral("--printer"), QStringLiteral("--timeout")} +
                          DataValueOptions(),
                      {QStringLiteral("--update"), QStringLiteral("--progress"), QStringLiteral("--force"),
                       QStringLiteral("--no-wait")});
    const QStringList labels = LabelFiles(a, "print");
    const int copies = a.PositiveInt(QStringLiteral("--copies"), 1);
    const RowRange range = RowsOption(a, false);
    const std::optional<QSize> view = ViewSize(a);
    const bool update = a.Flag(QStringLiteral("--update"));
    const bool wait = !a.Flag(QStringLiteral("--no-wait"));
    if (const std::optional<QString> queue = a.Value(QStringLiteral("--printer"))) {
        if (a.Value(QStringLiteral("--device")) || a.Value(QStringLiteral("--settings")))
            UsageError(QStringLiteral("--printer takes neither --device nor --settings"));
        // Qt's printer list waits on a silent scheduler without a limit: the scheduler is asked first.
        const int timeout = a.PositiveInt(QStringLiteral("--timeout"), 0);
        const QString silent = SchedulerSilence(timeout > 0 ? timeout * 1000 : PrinterTransport::kAnswerWaitMs);
        if (!silent.isEmpty()) Fail(QStringLiteral("cannot print on %1: %2").arg(*queue, silent));
        const std::unique_ptr<DataSource> data = OpenDataOption(a);
        CheckDataForLabels(QStringLiteral("print"), data.get(), labels, range);
        // One driver job per label.
        RunLabels run(QStringLiteral("print"), update, wait);
        int code = kOk;
        for (const QString& path : labels) {
            QString problem;
            if (LabelDocument* doc = run.Open(path, &problem)) {
                const auto [viewX, viewY] = ViewScales(view, *doc);
                RewindData(data.get());
                PrintThroughDriver(*doc, *queue, copies, viewX, viewY, data.get());
                if (update) problem = SaveLabelBack(*doc);
            }
            if (problem.isEmpty()) continue;
            Report(QStringLiteral("print"), problem);
            code = kFailed;
        }
        return code;
    }
    // A printer that stops taking data is waited for; --timeout gives up after that many seconds of it.
    // Each state it reports meanwhile is told.
    StallWatch watch(qint64(a.PositiveInt(QStringLiteral("--timeout"), 0)) * 1000);
    watch.onStalled = [&watch] {
        const quint8 reported = watch.StalledState() & ~kPrinting;
        const QString stall =
            reported ? QStringLiteral("the printer reports ") + PrinterStateText(reported, UiLanguage::English)
                     : PrinterStalledMessage(UiLanguage::English).text;
        std::fprintf(stderr, "kestrix-cli print: %s; still waiting\n", qPrintable(stall));
    };
    const PrinterSettings settings = SettingsOf(a);
    const std::unique_ptr<DataSource> data = OpenDataOption(a);
    CheckDataForLabels(QStringLiteral("print"), data.get(), labels, range);
    const auto progress = ProgressOption(a, QStringLiteral("print"));
    const PrinterTarget target = TargetOf(a, settings);
    const bool force = a.Flag(QStringLiteral("--force"));
    // From here a signal stops the run between labels; what was printed is saved and told.
    stops.Arm(watch);
    RunLabels run(QStringLiteral("print"), update, wait, &stops.Requested());

    // The printer is opened once, at the first label that can be read, and
    // takes every label's jobs back to back. A failure ends the run; the
    // labels sent stand at the numbers that follow what the printer accepted.
    DirectPrinter printer(UiLanguage::English, {}, &watch);
    CodeImageCache codes;  // the labels' code images live as long as the run
    PictureCache pictures;
    bool opened = false;
    QString failure;
    int code = kOk;
    for (const QString& path : labels) {
        if (stops.Signal() != 0) break;
        QString problem;
        LabelDocument* doc = run.Open(path, &problem);
        if (!doc) {
            if (stops.Signal() != 0) break;
            Report(QStringLiteral("print"), problem);
            code = kFailed;
            continue;
        }
        try {
            if (!opened) {
                RefuseAFileAsDevice(target, labels);
                if (!force) RefuseAStoppedPrinter(target);
                QStringList noQueue;
                const DirectPrintResult result = printer.Open(target, noQueue);
                if (result.status != DirectPrintStatus::Printed) Fail(result.detail);
                opened = true;
            }
            const auto [viewX, viewY] = ViewScales(view, *doc);
            DirectPrintInput in{*doc, settings, codes, &pictures, kDefaultDpi, kDefaultDpi, viewX, viewY};
            in.copies = copies;
            in.rows = data.get();
            in.progress = progress;
            in.stop = &stops.Requested();
            RewindData(data.get());
            const DirectPrintResult result = printer.Send(in);
            ReportLeftOff(QStringLiteral("print"), pictures);
            if (result.stopped) break;
            if (result.status == DirectPrintStatus::RenderFailed && !data) {
                Report(QStringLiteral("print"), doc->labelPath + QStringLiteral(": ") + result.detail);
                code = kFailed;
                continue;
            }
            if (result.status != DirectPrintStatus::Printed) failure = result.detail;
        } catch (const Failure& f) {
            if (!opened) throw;  // nothing sent yet
            failure = f.message;
        }
        if (!failure.isEmpty()) break;
    }
    if (opened) {
        const DirectPrintResult result = printer.Finish();
        if (failure.isEmpty() && stops.Signal() == 0 && result.status != DirectPrintStatus::Printed)
            failure = result.detail;
        if (!result.warning.isEmpty()) Report(QStringLiteral("print"), QStringLiteral("note: ") + result.warning);
    }
    // Every label sent is saved, whatever ended the run; after a failure or a
    // stop the user learns how far each label came.
    QStringList notes;
    for (const SentLabels::Label& label : printer.Sent().Labels()) {
        QString note = label.doc->labelPath + QStringLiteral(": ") + PrintedNote(label);
        if (update && label.printed > 0) {
            const QString problem = SaveLabelBack(*label.doc);
            if (!problem.isEmpty()) {
                Report(QStringLiteral("print"), problem);
                code = kFailed;
                note += QStringLiteral(" (not saved)");
            }
        } else if (!update && label.printed > 0 && !NextSerialNumber(label.doc->elements).isEmpty()) {
            note += QStringLiteral(" (not saved: no --update)");
        }
        notes << note;
    }
    if (stops.Signal() != 0) {
        notes.prepend(QStringLiteral("stopped by SIG") + QString::fromLatin1(sigabbrev_np(stops.Signal())));
        Report(QStringLiteral("print"), notes.join(QStringLiteral("; ")));
        return stops.ExitCode();
    }
    if (!failure.isEmpty()) Fail((QStringList{failure} + notes).join(QStringLiteral("; ")));
    return code;
}

int RunStatus(const QStringList& args) {
    const Arguments a(args, {QStringLiteral("--device"), QStringLiteral("--settings")}, {});
    if (!a.Positional().isEmpty()) UsageError(QStringLiteral("status takes no label file"));
    const PrinterStatus status = AskPrinterStatus(TargetOf(a, SettingsOf(a)));
    if (status.kind != PrinterStatus::Kind::Answered) Fail(status.error);
    std::printf("%s\n", qPrintable(PrinterStateText(status.state, UiLanguage::English)));
    return status.state & ~kPrinting ? kPrinterNotReady : kOk;
}

}  // namespace kestrix::cli
