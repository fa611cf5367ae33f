#pragma once
// Drawing an image into a destination rectangle with nearest-neighbour
// sampling, only over the part of the target that can be seen, so a huge
// destination never becomes a huge intermediate image.

#include <QImage>
#include <QList>
#include <QPainter>
#include <QRect>
#include <vector>

#include "render/CodeImage.h"

namespace kestrix {

// How source coordinates outside the image are read.
enum class WrapMode { Tile, TileFlip };

// Draws the source rectangle `source` of `image` (which may reach beyond the
// image; it is then read by `wrap`) into `dest`.
void DrawImageNearest(QPainter& painter, const QImage& image, const QRect& source, const QRect& dest, WrapMode wrap);

// Draws the source rectangle `source` (in full-image pixels) of a code image
// into `dest`, with the pixels Qt's unsmoothed scaling gives for the full
// image (or, beyond its edges, those of `wrap`). A pixel's value does not
// depend on the painter's clip, so a clipped redraw matches a whole one.
void DrawCodeImage(QPainter& painter, const CodeImage& code, const QRect& source, const QRect& dest, WrapMode wrap);

// Where drawing `now` instead of `before` (with the same rectangles on a
// device spanning `device`) changes pixels: runs of whole columns.
QList<QRect> CodeImageDifferences(const CodeImage& before, const CodeImage& now, const QRect& source, const QRect& dest,
                                  const QRect& device, WrapMode wrap);

// The source indexes Qt's unsmoothed scaling reads along one axis when a
// source span [sourceStart, + sourceLength) of an image `imageLength` long is
// drawn over [targetStart, + targetLength) on a device spanning
// [deviceStart, deviceEnd) (a target between pixels is rounded as Qt
// rounds it): `first` is the first device pixel written and
// `index` one entry per written pixel (Qt drops the last when rounding would
// read past the image).
struct ScaledAxis {
    int first = 0;
    std::vector<int> index;
};
ScaledAxis QtScaledAxis(double targetStart, double targetLength, double sourceStart, double sourceLength,
                        int deviceStart, int deviceEnd, int imageLength);

// The source index for destination offset `d` of `destLength`, sampling
// `sourceLength` source pixels (pixel centres, truncated).
int NearestSourceIndex(int d, int destLength, int sourceLength);

}  // namespace kestrix
