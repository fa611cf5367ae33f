#include "print/DriverPrint.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>

#include "document/DataSource.h"
#include "document/SerialNumber.h"
#include "document/Units.h"
#include "output/DirectPrintJob.h"
#include "output/DrawLabel.h"
#include "print/CupsPdfJob.h"
#include "print/CupsQueue.h"
#include "print/DriverPage.h"
#include "print/DriverPageSetup.h"
#include "print/LabelPdf.h"
#include "render/RenderContext.h"

namespace kestrix {

namespace {

QString CannotWriteText(const QFile& file) {
    return QStringLiteral("cannot write the print file %1: %2").arg(file.fileName(), file.errorString());
}

CupsOptions JobOptions(const LabelDocument& doc, const DriverPageSetup& setup, bool offered, int copies) {
    // "media" alone reaches a PPD queue rounded down to whole points; PageSize keeps the millimetres.
    const QByteArray size = "Custom." + QByteArray::number(doc.widthMm) + 'x' + QByteArray::number(doc.heightMm) + "mm";
    CupsOptions options{
        {"media", size}, {"PageSize", size}, {"print-scaling", "none"}, {"copies", QByteArray::number(copies)}};
    // The printer works at the resolution drawn for, and nothing rescales the page.
    if (offered) options.append({"Resolution", QByteArray::number(setup.resolution) + "dpi"});
    return options;
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
        return ProductMessage(language, QStringLiteral("没有安装打印机，请先在系统的打印机设置中添加打印机。"));
    return ProductMessage(language,
                          QStringLiteral("No printer is installed. Add one in the system's printer settings first."));
}

PrintMessage DriverPrintFailedMessage(UiLanguage language, const QString& printer, const QString& detail) {
    if (language == UiLanguage::Chinese)
        return ProductMessage(language, QStringLiteral("无法在打印机 %1 上打印：%2").arg(printer, detail));
    return ProductMessage(language, QStringLiteral("Cannot print on %1: %2").arg(printer, detail));
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
    const DriverPageSetup setup = PlanDriverPage(printer.supportedResolutions(), queue.defaultResolution, dpiX, dpiY);
    const QSize dots(TargetDots(doc.widthMm, setup.resolution), TargetDots(doc.heightMm, setup.resolution));
    if (IsTargetTooLarge(dots)) return {DriverPrintStatus::Failed, QStringLiteral("the label is too large to print")};
    if (dots.isEmpty())
        return {DriverPrintStatus::Failed,
                QStringLiteral("the label is too small to print at %1 dpi").arg(setup.resolution)};

    // The document is written to a file as it is made and sent from there.
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("kestrix-XXXXXX.pdf")));
    if (!file.open()) return {DriverPrintStatus::Failed, CannotWriteText(file), 0};
    LabelPdf pdf(file, QSizeF(doc.widthMm, doc.heightMm), setup.resolution, setup.resolution);
    const DataRow* row = nullptr;
    bool stopped = false;
    for (qint64 page = 0; page < pages; ++page) {
        if (page > 0 && step && !step(page, pages)) {
            stopped = true;
            break;
        }
        if (rows && page % pagesPerLabel == 0 && !(row = rows->Next()))
            return {DriverPrintStatus::Failed, rows->Error(), static_cast<int>(page)};
        AddDriverPage(pdf, doc.elements, setup, dots, ctx, row);
        // Once per page, whatever the bands: as DrawLabel advances them.
        for (LabelElement& e : doc.elements) AdvanceOutputSerial(e, ctx.codes);
    }
    const int printed = static_cast<int>(pdf.Pages());
    if (!pdf.Finish() || !file.flush() || !file.seek(0)) return {DriverPrintStatus::Failed, CannotWriteText(file), 0};
    QString error;
    const CupsOptions options = JobOptions(doc, setup, printer.supportedResolutions().contains(setup.resolution),
                                           pagePerCopy ? 1 : std::max(copies, 1));
    if (!PrintPdfOnCups(name, QStringLiteral("docname"), file, options, &error))
        return {DriverPrintStatus::Failed, error, 0};
    return {DriverPrintStatus::Printed, {}, printed, stopped};
}

}  // namespace kestrix
