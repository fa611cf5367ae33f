#include "print/DriverPrint.h"

#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <algorithm>

#include "document/DataSource.h"
#include "document/SerialNumber.h"
#include "output/DirectPrintJob.h"
#include "output/DrawLabel.h"
#include "print/CupsQueue.h"
#include "print/DriverPageSetup.h"
#include "render/RenderContext.h"

namespace kestrix {

namespace {

// The engine property through which Qt's CUPS engine takes job options as
// name/value pairs (its print dialog fills it the same way).
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

void SetCupsOption(QPrinter& printer, const QString& name, const QString& value) {
    QStringList options = printer.printEngine()->property(kCupsOptions).toStringList();
    const qsizetype at = options.indexOf(name);
    if (at >= 0 && at % 2 == 0 && at + 1 < options.size())
        options[at + 1] = value;
    else
        options << name << value;
    printer.printEngine()->setProperty(kCupsOptions, options);
}

void SetUpPage(QPrinter& printer, const LabelDocument& doc, const DriverPageSetup& setup) {
    SetLabelPaper(printer, doc.widthMm, doc.heightMm);
    printer.setResolution(setup.resolution);
    // The printer works at the resolution drawn for, and nothing rescales the page.
    if (printer.supportedResolutions().contains(setup.resolution))
        SetCupsOption(printer, QStringLiteral("Resolution"), QStringLiteral("%1dpi").arg(setup.resolution));
    SetCupsOption(printer, QStringLiteral("print-scaling"), QStringLiteral("none"));
    printer.setDocName(QStringLiteral("docname"));
}

}  // namespace

void SetLabelPaper(QPrinter& printer, int widthMm, int heightMm) {
    printer.setFullPage(true);
    printer.setPageOrientation(QPageLayout::Portrait);
    // One the printer lists under that size keeps its name.
    printer.setPageSize(QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

PrintMessage NoPrinterInstalledMessage(UiLanguage language) {
    if (language == UiLanguage::Chinese)
        return {QStringLiteral("没有安装打印机，请先在系统的打印机设置中添加打印机。"), QStringLiteral("打印标签")};
    return {QStringLiteral("No printer is installed. Add one in the system's printer settings first."),
            QStringLiteral("Vantic")};
}

PrintMessage DriverPrintFailedMessage(UiLanguage language, const QString& printer, const QString& detail) {
    if (language == UiLanguage::Chinese)
        return {QStringLiteral("无法在打印机 %1 上打印：%2").arg(printer, detail), QStringLiteral("打印标签")};
    return {QStringLiteral("Cannot print on %1: %2").arg(printer, detail), QStringLiteral("Vantic")};
}

QString DriverPrintedText(UiLanguage language, const QString& printer, int copies) {
    if (copies == 1) return UiText(language, "Printed on %1", "已在 %1 上打印").arg(printer);
    return UiText(language, "%1 labels printed on %2", "已在 %2 上打印 %1 张标签").arg(copies).arg(printer);
}

DriverPrintResult DriverPrint(QPrinter& printer, int copies, LabelDocument& doc, int dpiX, int dpiY,
                              const RenderContext& ctx, DataSource* rows, const DriverPageStep& step) {
    const QString name = printer.printerName();
    doc.printerName = StoredPrinterName(name);
    const CupsQueue queue = CupsQueue::Query(name);
    if (!queue.reachable) return {DriverPrintStatus::Unreachable, queue.problem};

    // Every page is drawn anew when the label counts or takes its fields from rows.
    const bool pagePerCopy = rows || LabelHasSerials(doc.elements);
    const qint64 labels = rows ? rows->Count() : 1;
    const int pagesPerLabel = pagePerCopy ? copies : 1;
    const qint64 pages = labels * pagesPerLabel;
    if (pages < 1) return {};
    printer.setCopyCount(pagePerCopy ? 1 : std::max(copies, 1));
    const DriverPageSetup setup = PlanDriverPage(printer.supportedResolutions(), queue.defaultResolution, dpiX, dpiY);
    SetUpPage(printer, doc, setup);

    QPainter painter;
    if (!painter.begin(&printer)) return {DriverPrintStatus::Failed, QStringLiteral("the print job cannot be started")};
    RenderContext output = ctx;
    output.monoPictures = false;  // pictures in colour: the driver makes them printable
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const DataRow* row = nullptr;
    for (qint64 page = 0; page < pages; ++page) {
        const int done = static_cast<int>(page);
        if (page > 0 && step && !step(page, pages)) {
            if (!painter.end())
                return {DriverPrintStatus::Failed, QStringLiteral("the print job cannot be finished"), done};
            return {DriverPrintStatus::Printed, {}, done, true};
        }
        if (rows && page % pagesPerLabel == 0 && !(row = rows->Next())) {
            painter.end();
            return {DriverPrintStatus::Failed, rows->Error(), done};
        }
        if (page > 0 && !printer.newPage()) return {DriverPrintStatus::Failed, QStringLiteral("no new page"), done};
        painter.fillRect(paper, Qt::white);
        painter.save();
        painter.scale(setup.scaleX, setup.scaleY);
        DrawLabel(painter, doc.elements, output, row);
        painter.restore();
    }
    const int printed = static_cast<int>(pages);
    if (!painter.end()) return {DriverPrintStatus::Failed, QStringLiteral("the print job cannot be finished"), printed};
    return {DriverPrintStatus::Printed, {}, printed};
}

}  // namespace kestrix
