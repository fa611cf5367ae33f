#pragma once
// Linear barcodes and two-dimensional codes encoded by the barcode library:
// the image is made once per element, kept behind its hCache handle, and
// stretched into the element's box at every paint and output.

#include <QImage>
#include <QList>
#include <QPainter>
#include <optional>
#include <vector>

#include "document/LabelElement.h"
#include "render/CodeImage.h"
#include "render/GdiFont.h"
#include "render/RenderContext.h"

namespace kestrix {

// The element's code image: the cached one when hCache names one, else it is
// encoded now (turned clockwise by `rotateAngle`) and cached. A refused
// encoding is cached too, as a null image, so the library does not run again.
CodeImage CodeImageFor(LabelElement& e, const RenderContext& ctx, int rotateAngle, bool linear);

// An unrotated linear barcode of a library symbology, with its human-readable
// line centred under the bars when bShowText is set.
void DrawBarcodeElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);
// What the output form of an unrotated library barcode draws: its code
// image, where the bars go, and its caption piece by piece. Nothing for a
// turned or built-in EAN-13 barcode (those count as one whole).
struct BarcodeLook {
    CodeImage image;
    QRect source;
    QRect dest;
    std::vector<TextPiece> caption;
};
std::optional<BarcodeLook> OutputBarcodeLook(LabelElement& e, const RenderContext& ctx);
// Where two drawings of a barcode differ, on a device spanning `device`.
QList<QRect> LookDifferences(const BarcodeLook& before, const BarcodeLook& now, const QRect& device);

// A turned linear barcode: the library turns the symbol, the text goes on the
// side under the turned symbol, outside the box. Type 113 is drawn by the
// built-in encoder.
void DrawRotatedBarcodeElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);
// A two-dimensional code, any rotation (the library turns it): nWidth square,
// PDF417 nWidth x nHeight.
void DrawCode2DElement(QPainter& painter, LabelElement& e, const RenderContext& ctx);

}  // namespace kestrix
