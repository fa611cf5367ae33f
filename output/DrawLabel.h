#pragma once
// The whole label drawn for output, one dot per pixel: the raster of the
// direct print job, the pages of driver printing and the print preview.

#include <QImage>
#include <QPainter>
#include <vector>

#include "document/DataRow.h"
#include "document/LabelDocument.h"
#include "output/MonoImage.h"
#include "render/RenderContext.h"

namespace kestrix {

// Draws every element in output form in list order (later ones on top) and
// advances the serial number of each text and linear barcode after drawing it;
// a barcode whose content changed loses its cached code image. Of `ctx` the
// caller sets monoPictures, the view scales and the caches; the rest is the
// output form's. With a data `row`, an element that takes fields is drawn from
// a copy with the row's values filled in (MergedElement); the records keep
// their ${NAME}.
void DrawLabel(QPainter& painter, std::vector<LabelElement>& elements, const RenderContext& ctx,
               const DataRow* row = nullptr);

// DrawLabel's two steps for one element: the drawing in output form (nothing
// for an element that is left out), and the serial advance of a text or
// linear barcode, true when the content changed.
void DrawOutputElement(QPainter& painter, LabelElement& e, const RenderContext& output);
bool AdvanceOutputSerial(LabelElement& e, CodeImageCache* codes);
// The context DrawLabel draws with: ctx in output form, in dots.
RenderContext OutputContext(const RenderContext& ctx);

// The output target of a label: Wd x Hd pixels at the two resolutions.
QSize OutputTargetSize(const LabelDocument& doc, int dpiX, int dpiY);

// Whether a target of this size is refused: over kMaxTargetPixels. Such a
// target is drawn in bands into 1 bit per pixel (64 MB at most).
constexpr qint64 kMaxTargetPixels = qint64(1) << 29;
bool IsTargetTooLarge(QSize size);
// A target held whole in 32-bit colour (DrawLabelImage) has at most this
// many pixels (128 MB).
constexpr qint64 kMaxColorPixels = qint64(1) << 25;
// Why a target of this size is not drawn, in words.
QString TooLargeText(QSize size, qint64 maxPixels = kMaxTargetPixels);

// A white target of OutputTargetSize with the label drawn into it (its fields
// filled from `row`, when given); a null image when the target has more than
// kMaxColorPixels or cannot be allocated (nothing is drawn then).
QImage DrawLabelImage(LabelDocument& doc, int dpiX, int dpiY, const RenderContext& ctx, const DataRow* row = nullptr);

// The label drawn in bands and reduced to black and white (ColorToBW), never
// held whole in colour; a null image when the target is too large.
MonoImage DrawLabelMono(LabelDocument& doc, int dpiX, int dpiY, const RenderContext& ctx, const DataRow* row = nullptr);

}  // namespace kestrix
