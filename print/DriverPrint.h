#pragma once
// Driver printing: the label drawn onto pages of exactly its size through an
// installed printer (Qt Print Support over CUPS). The printer makes the
// copies unless the label counts, then every copy is a page drawn anew.

#include <QString>

#include "document/LabelDocument.h"

class QPrinter;

namespace kestrix {

class CodeImageCache;
class PictureCache;
struct PrintMessage;

struct DriverPrintInput {
    LabelDocument& doc;  // serial numbers advance and printerName is set in it
    CodeImageCache& codes;
    PictureCache* pictures = nullptr;
    int dpiX = 203;
    int dpiY = 203;
    // Canvas pixels per dot while editing; line end points are held in pixels.
    double viewScaleX = 1.0;
    double viewScaleY = 1.0;
};

enum class DriverPrintStatus { Printed, Unreachable, Failed };

struct DriverPrintResult {
    DriverPrintStatus status = DriverPrintStatus::Printed;
    QString detail;  // what went wrong
    int pages = 0;   // pages sent (each printed as often as the job's copies say)
};

// The messages the user sees, by the language flag (nonzero: Chinese).
PrintMessage NoPrinterInstalledMessage(int chinese);
PrintMessage DriverPrintFailedMessage(int chinese, const QString& printer, const QString& detail);

// A paper of exactly the label's size, without margins, drawn from its corner.
void SetLabelPaper(QPrinter& printer, int widthMm, int heightMm);

// Prints `copies` of the label on the printer `printer` is set to, which
// becomes the label's printerName. Fewer than one copy prints one when the
// printer makes the copies, nothing when the label counts.
DriverPrintResult DriverPrint(QPrinter& printer, int copies, const DriverPrintInput& in);

}  // namespace kestrix
