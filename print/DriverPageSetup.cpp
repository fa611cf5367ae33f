#include "print/DriverPageSetup.h"

namespace kestrix {

DriverPageSetup PlanDriverPage(const QList<int>& offered, int printerDefault, int labelDpiX, int labelDpiY) {
    DriverPageSetup setup;
    if (offered.contains(labelDpiX) || printerDefault <= 0)
        setup.resolution = labelDpiX;
    else
        setup.resolution = printerDefault;
    setup.scaleX = double(setup.resolution) / labelDpiX;
    setup.scaleY = double(setup.resolution) / labelDpiY;
    return setup;
}

}  // namespace kestrix
