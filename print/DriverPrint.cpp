#include "print/DriverPrint.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "document/DataSource.h"
#include "document/SerialNumber.h"
#include "document/Units.h"
#include "output/ColorToBW.h"
#include "output/DirectPrintJob.h"
#include "output/DrawLabel.h"
#include "print/CupsPdfJob.h"
#include "print/CupsQueue.h"
#include "print/DriverPageSetup.h"
#include "print/LabelPdf.h"
#include "render/RenderContext.h"

namespace kestrix {

namespace {

// The page as the printer's dots. At the label's own resolution it is the
// direct print raster (pictures in black and white, ColorToBW), so the page
// prints dot for dot what the label printer would. At any other resolution
// the label is drawn through the renderers' scale onto the device's dot grid:
// bars and modules without anti-aliasing, text smooth, pictures in colour
// for the driver to make printable.
QImage PageImage(std::vector<LabelElement>& elements, const DriverPageSetup& setup, QSize dots,
                 const RenderContext& ctx, const DataRow* row) {
    RenderContext output = ctx;
    output.monoPictures = setup.OneDotPerPixel();
    QImage page(dots, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.scale(setup.scaleX, setup.scaleY);
        DrawLabel(painter, elements, output, row);
    }
    if (!setup.OneDotPerPixel()) return page;
    const MonoImage mono = ColorToBW(page);
    return QImage::fromData(mono.Bytes(), "BMP");
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

    LabelPdf pdf(QSizeF(doc.widthMm, doc.heightMm), setup.resolution, setup.resolution);
    const DataRow* row = nullptr;
    bool stopped = false;
    for (qint64 page = 0; page < pages; ++page) {
        if (page > 0 && step && !step(page, pages)) {
            stopped = true;
            break;
        }
        if (rows && page % pagesPerLabel == 0 && !(row = rows->Next()))
            return {DriverPrintStatus::Failed, rows->Error(), static_cast<int>(page)};
        pdf.AddPage(PageImage(doc.elements, setup, dots, ctx, row));
    }
    const int printed = static_cast<int>(pdf.Pages());
    QString error;
    const CupsOptions options = JobOptions(doc, setup, printer.supportedResolutions().contains(setup.resolution),
                                           pagePerCopy ? 1 : std::max(copies, 1));
    if (!PrintPdfOnCups(name, QStringLiteral("docname"), pdf.Bytes(), options, &error))
        return {DriverPrintStatus::Failed, error, 0};
    return {DriverPrintStatus::Printed, {}, printed, stopped};
}

}  // namespace kestrix
