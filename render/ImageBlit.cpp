#include "render/ImageBlit.h"

#include <vector>

namespace kestrix {

namespace {

int Wrap(int s, int n, WrapMode mode) {
    int tile = s / n;
    int pos = s % n;
    if (pos < 0) {
        pos += n;
        --tile;
    }
    if (mode == WrapMode::TileFlip && (tile & 1)) pos = n - 1 - pos;
    return pos;
}

// The part of `dest` that lands on the painter's device (and inside its clip).
QRect VisiblePart(const QPainter& painter, const QRect& dest) {
    const QPaintDevice* device = painter.device();
    if (!device) return {};
    bool invertible = false;
    const QTransform inverse = painter.worldTransform().inverted(&invertible);
    if (!invertible) return {};
    QRect visible =
        inverse.mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect();
    if (painter.hasClipping()) visible &= painter.clipBoundingRect().toAlignedRect();
    return dest & visible.adjusted(-1, -1, 1, 1);
}

}  // namespace

int NearestSourceIndex(int d, int destLength, int sourceLength) {
    return static_cast<int>((d + 0.5) * sourceLength / destLength);
}

void DrawImageNearest(QPainter& painter, const QImage& image, const QRect& source,
                      const QRect& dest, WrapMode wrap) {
    if (image.isNull() || source.width() <= 0 || source.height() <= 0 || dest.width() <= 0 ||
        dest.height() <= 0)
        return;
    const QRect part = VisiblePart(painter, dest);
    if (part.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (image.rect().contains(source)) {
        // Nothing to wrap: Qt's own unsmoothed scaling samples the nearest
        // pixel without an intermediate image.
        const double sx = double(source.width()) / dest.width();
        const double sy = double(source.height()) / dest.height();
        const QRectF from(source.x() + (part.x() - dest.x()) * sx, source.y() + (part.y() - dest.y()) * sy,
                          part.width() * sx, part.height() * sy);
        painter.drawImage(QRectF(part), image, from);
        painter.restore();
        return;
    }
    // RGB32 reads as opaque ARGB32 already: converting the cached code images
    // on every draw was most of the output raster's time.
    const QImage src = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_ARGB32);
    std::vector<int> columns(part.width());
    for (int x = 0; x < part.width(); ++x) {
        const int s =
            source.x() + NearestSourceIndex(part.x() - dest.x() + x, dest.width(), source.width());
        columns[x] = Wrap(s, src.width(), wrap);
    }
    QImage patch(part.size(), src.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y) {
        const int s = source.y() +
                      NearestSourceIndex(part.y() - dest.y() + y, dest.height(), source.height());
        const auto* in =
            reinterpret_cast<const QRgb*>(src.constScanLine(Wrap(s, src.height(), wrap)));
        auto* out = reinterpret_cast<QRgb*>(patch.scanLine(y));
        for (int x = 0; x < part.width(); ++x) out[x] = in[columns[x]];
    }
    painter.drawImage(part.topLeft(), patch);
    painter.restore();
}

}  // namespace kestrix
