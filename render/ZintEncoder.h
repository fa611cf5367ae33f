#pragma once
// The one adapter over the zint barcode library: a symbology, the data and the
// element width in, the symbol's bitmap out as an image. Nothing is written to
// disk.

#include <QImage>
#include <string_view>

#include "render/CodeImage.h"

namespace kestrix {

class ZintEncoder {
public:
    // Neither side of an encoded image exceeds this; the image is stretched
    // to its box anyway, so a larger scale only costs memory.
    static constexpr int kMaxImageSide = 4000;

    // Encodes `data` (cut to 255 UTF-8 bytes at a character boundary) with the
    // library's symbology number, at scale widthDots / 42 (1 below 42 dots),
    // turned clockwise by `rotateAngle` (0, 90, 180 or 270). `linear` hides the
    // human-readable text the library would add. Returns a null image when the
    // library refuses the symbology, the data or the angle.
    static QImage Encode(int symbology, std::u16string_view data, int widthDots, int rotateAngle, bool linear);
    // The same symbol at module size. When the library's image is the module
    // image magnified (a whole scale; not MaxiCode, whose hexagons are drawn
    // at the scale) it is never made; otherwise it is made and factored.
    static CodeImage EncodeModules(int symbology, std::u16string_view data, int widthDots, int rotateAngle,
                                   bool linear);

    // The bytes the library gets: UTF-8, at most 255 of them, whole characters.
    static QByteArray LibraryData(std::u16string_view data);
    // The scale the design asks for: widthDots / 42 in whole steps, 1 below that.
    static float ScaleFor(int widthDots);
};

}  // namespace kestrix
