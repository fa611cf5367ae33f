#pragma once
// How a label lands on a printer driver's page: the resolution the job runs at
// and the scale from label dots to device pixels. The label keeps its size in
// millimetres whatever the printer's resolution.

#include <QList>

namespace kestrix {

struct DriverPageSetup {
    int resolution = 0;   // device pixels per inch of the job
    double scaleX = 1.0;  // device pixels per label dot
    double scaleY = 1.0;

    // Drawn one label dot per device pixel, exactly as the direct print raster.
    bool OneDotPerPixel() const { return scaleX == 1.0 && scaleY == 1.0; }
};

// The job's resolution: the label's own when the printer offers it, otherwise
// the printer's default (0 when unknown), otherwise the label's (the page is
// then scaled by whatever prints it, still at its millimetre size).
DriverPageSetup PlanDriverPage(const QList<int>& offered, int printerDefault, int labelDpiX, int labelDpiY);

}  // namespace kestrix
