#pragma once
// The label being edited, as the print preview and the other dialogs below the
// editor see it: its size, its picture for output and driver printing. The
// editor's LabelController is the one there is.

#include <QImage>
#include <QSize>
#include <QString>

namespace kestrix {

class PrintableLabel {
public:
    virtual ~PrintableLabel() = default;

    virtual int LabelWidthMm() const = 0;
    virtual int LabelHeightMm() const = 0;
    // The label's size as the canvas shows it, in pixels.
    virtual QSize DisplayedSize() const = 0;
    // The label drawn for output at its dot size, pictures in colour, as the
    // print preview shows it. Serial numbers advance.
    virtual QImage OutputImage() = 0;
    // Driver printing: `copies` to `printerName` when it names an installed
    // printer, otherwise to the printer and copies chosen in the print dialog.
    // Problems are told through the prompts.
    virtual void DriverPrint(const QString& printerName, int copies) = 0;
};

}  // namespace kestrix
