#pragma once
// Reduces the colour raster of a label to the 1-bit image the printer takes.

#include <QImage>

#include "output/MonoImage.h"

namespace kestrix {

// A pixel is black when B*65536 + G*256 + R is below 0xC8C8C8: blue decides
// first, green and red only when blue is exactly 200. Returns a null image when
// the source is null or the result cannot be held.
MonoImage ColorToBW(const QImage& image);

// Reduces only `area` of an RGB32 image into `mono` (of the image's size),
// widened to whole bytes of the 1-bit rows; the rest of `mono` is kept.
void ColorToBW(const QImage& image, const QRect& area, MonoImage& mono);

}  // namespace kestrix
