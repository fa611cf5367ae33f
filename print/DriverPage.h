#pragma once
// One page of driver printing: the label drawn onto the printer's dot grid a
// band of rows at a time, each band handed to the PDF as it is drawn, so a
// huge label at a high resolution never takes the whole page in memory.

#include <QSize>
#include <vector>

#include "document/DataRow.h"
#include "document/LabelElement.h"
#include "print/DriverPageSetup.h"
#include "print/LabelPdf.h"
#include "render/RenderContext.h"

namespace kestrix {

// Adds the page of `dots` showing `elements` (their fields filled from `row`,
// when given) to `pdf`, in bands of `bandRows` rows (0: bands of at most
// 16 MB). At the label's own resolution the page is the direct print raster
// (pictures in black and white, ColorToBW), so it prints dot for dot what
// the label printer would. At any other resolution the label is drawn
// through the renderers' scale onto the device's dot grid, text, bars and
// modules without anti-aliasing, pictures in colour for the driver to make
// printable. The page is grey unless one of its pixels has colour: only a
// picture brings colour, so a page with one is looked over band by band
// before it is written. Serial numbers do not advance: every band shows the
// same ones. Of `ctx` the view scales and caches are used.
void AddDriverPage(LabelPdf& pdf, std::vector<LabelElement>& elements, const DriverPageSetup& setup, QSize dots,
                   const RenderContext& ctx, const DataRow* row, int bandRows = 0);

}  // namespace kestrix
