#pragma once
// Reducing a picture to one bit per pixel for monochrome output: error
// diffusion onto black and white, written as an in-memory 1-bit BMP file and
// read back, exactly as the printer path expects it.

#include <QByteArray>
#include <QImage>

namespace kestrix {

// The 1-bit BMP file of `image` turned clockwise by `degrees` (0, 90, 180,
// 270), after error diffusion (top row first, 1 = white, rows padded with
// white bits to a multiple of 4 bytes). Transparent areas count as white.
// Two rows are worked on at a time: the picture is never copied whole.
QByteArray BitmapToMonoBmp(const QImage& image, int degrees = 0);

// The picture turned and reduced to black and white, decoded back from its 1-bit file.
QImage ReduceToMono(const QImage& image, int degrees = 0);

}  // namespace kestrix
