// print --printer QUEUE: the label through an installed printer's driver,
// on the same path as the editor's Print.

#include <QPrinter>
#include <QPrinterInfo>

#include "cli/CliCommand.h"
#include "cli/Commands.h"
#include "document/Units.h"
#include "print/DriverPrint.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"
#include "render/RenderContext.h"

namespace kestrix::cli {

void PrintThroughDriver(LabelDocument& doc, const QString& queue, int copies, double viewScaleX, double viewScaleY,
                        DataSource* rows) {
    if (QPrinterInfo::printerInfo(queue).isNull()) {
        const QStringList installed = QPrinterInfo::availablePrinterNames();
        Fail(installed.isEmpty()
                 ? QStringLiteral("no printer is installed")
                 : QStringLiteral("no printer named \"%1\" (installed: %2)").arg(queue, installed.join(u", ")));
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    CodeImageCache codes;
    PictureCache pictures;
    RenderContext ctx;
    ctx.viewScaleX = viewScaleX;
    ctx.viewScaleY = viewScaleY;
    ctx.codes = &codes;
    ctx.pictures = &pictures;
    const DriverPrintResult result = DriverPrint(printer, copies, doc, kDefaultDpi, kDefaultDpi, ctx, rows);
    for (const QString& line : pictures.TakeLeftOff(UiLanguage::English))
        Report(QStringLiteral("print"), QStringLiteral("warning: ") + line);
    if (result.status != DriverPrintStatus::Printed)
        Fail(QStringLiteral("cannot print on %1: %2").arg(queue, result.detail));
}

}  // namespace kestrix::cli
