#pragma once
// Drawing an image into a destination rectangle with nearest-neighbour
// sampling, only over the part of the target that can be seen, so a huge
// destination never becomes a huge intermediate image.

#include <QImage>
#include <QPainter>
#include <QRect>

namespace kestrix {

// How source coordinates outside the image are read.
enum class WrapMode { Tile, TileFlip };

// Draws the source rectangle `source` of `image` (which may reach beyond the
// image; it is then read by `wrap`) into `dest`.
void DrawImageNearest(QPainter& painter, const QImage& image, const QRect& source,
                      const QRect& dest, WrapMode wrap);

// The source index for destination offset `d` of `destLength`, sampling
// `sourceLength` source pixels (pixel centres, truncated).
int NearestSourceIndex(int d, int destLength, int sourceLength);

}  // namespace kestrix
