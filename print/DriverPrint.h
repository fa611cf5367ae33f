#pragma once
// Driver printing: the label drawn onto pages of exactly its size, on the
// printer's dot grid, sent as one PDF job to an installed printer's CUPS queue
// (LabelPdf, PrintPdfOnCups). The printer makes the copies unless the label
// counts, then every copy is a page drawn anew.

#include <QString>
#include <functional>

#include "document/LabelDocument.h"
#include "document/UiLanguage.h"

class QPrinter;

namespace kestrix {

class DataSource;
struct PrintMessage;
struct RenderContext;

enum class DriverPrintStatus { Printed, Unreachable, Failed };

struct DriverPrintResult {
    DriverPrintStatus status = DriverPrintStatus::Printed;
    QString detail;        // what went wrong
    int pages = 0;         // pages sent (each printed as often as the job's copies say)
    bool stopped = false;  // the job was stopped between pages (see DriverPrint)
};

// Told before each page after the first how many pages are drawn, of how many;
// false stops the job there, and the pages drawn are printed.
using DriverPageStep = std::function<bool(qint64 drawn, qint64 total)>;

// The messages the user sees.
PrintMessage NoPrinterInstalledMessage(UiLanguage language);
PrintMessage DriverPrintFailedMessage(UiLanguage language, const QString& printer, const QString& detail);
// For the status bar after a print: "Printed on kestrix-pdf", "3 labels printed on kestrix-pdf".
QString DriverPrintedText(UiLanguage language, const QString& printer, int copies);

// A paper of exactly the label's size, without margins, drawn from its corner.
void SetLabelPaper(QPrinter& printer, int widthMm, int heightMm);

// Prints `copies` of the label, whose dots are at dpiX x dpiY, on the printer
// `printer` is set to, which becomes the label's printerName; serial numbers
// advance in `doc`. Of `ctx` the view scales and caches are used. Fewer than
// one copy prints one when the printer makes the copies, nothing when the
// label counts. With `rows` (checked, DataSource::Check) every row of the
// range is a label of its own, `copies` pages each, its fields filled from it.
// `step`, when given, is asked before each page after the first.
DriverPrintResult DriverPrint(QPrinter& printer, int copies, LabelDocument& doc, int dpiX, int dpiY,
                              const RenderContext& ctx, DataSource* rows = nullptr, const DriverPageStep& step = {});

}  // namespace kestrix
