#include "render/ImageBlit.h"

#include "render/BandImage.h"
#include "render/PaintedArea.h"

#include <cmath>
#include <cstring>

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

// The painter's device in its logical coordinates.
QRect DeviceArea(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (!device) return {};
    bool invertible = false;
    const QTransform inverse = painter.worldTransform().inverted(&invertible);
    if (!invertible) return {};
    return inverse.mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect();
}

// Where the painter can write: its device, within its clip.
QRect Writable(const QPainter& painter) {
    QRect area = DeviceArea(painter);
    if (painter.hasClipping()) area &= painter.clipBoundingRect().toAlignedRect();
    return area;
}

// Formats whose pixels an opaque RGB32 pixel is copied into unchanged.
bool IsOpaqueCopyTarget(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// The part of `dest` that lands on the painter's device (and inside its clip).
QRect VisiblePart(const QPainter& painter, const QRect& dest) {
    return dest & Writable(painter).adjusted(-1, -1, 1, 1);
}

// `from` of `image` scaled into `part` with the pixels Qt's unsmoothed scaling
// of a 32-bit RGB image gives when nothing clips it (Qt steps through the
// source from the first row and column it writes), only those the painter
// can write made. Qt scales once from the image to the device through the
// painter's scale, so the steps are taken in device pixels.
void DrawScaledUnclipped(QPainter& painter, const QImage& image, const QRectF& from, const QRect& part) {
    // Mapped corner by corner, as Qt maps it.
    const QPointF topLeft = painter.worldTransform().map(QPointF(part.topLeft()));
    const QPointF bottomRight =
        painter.worldTransform().map(QPointF(part.x() + part.width(), part.y() + part.height()));
    const QRectF target(topLeft, bottomRight);
    const QPaintDevice* device = painter.device();
    const ScaledAxis columns =
        QtScaledAxis(target.x(), target.width(), from.x(), from.width(), 0, device->width(), image.width());
    const ScaledAxis rows =
        QtScaledAxis(target.y(), target.height(), from.y(), from.height(), 0, device->height(), image.height());
    const QRect written(columns.first, rows.first, static_cast<int>(columns.index.size()),
                        static_cast<int>(rows.index.size()));
    painter.resetTransform();
    const QRect area = written & Writable(painter);
    if (area.isEmpty()) return;
    QImage patch(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(rows.index[area.y() - rows.first + y]));
        auto* out = reinterpret_cast<QRgb*>(patch.scanLine(y));
        for (int x = 0; x < area.width(); ++x) out[x] = in[columns.index[area.x() - columns.first + x]];
    }
    painter.drawImage(area.topLeft(), patch);
}

}  // namespace

ScaledAxis QtScaledAxis(double targetStart, double targetLength, double sourceStart, double sourceLength,
                        int deviceStart, int deviceEnd, int imageLength) {
    ScaledAxis axis;
    // The pixels written: the target rounded as QRectF::toRect rounds it, within the device.
    const QRect rounded = QRectF(targetStart, 0, targetLength, 1).toRect();
    const int from = std::max(rounded.left(), deviceStart);
    int count = std::min(rounded.left() + rounded.width(), deviceEnd) - from;
    if (count <= 0 || targetLength <= 0) return axis;
    // 16.16 fixed point from the centre of the first pixel written, as Qt's
    // raster engine steps through a scaled image.
    const double scale = sourceLength / targetLength;
    const int step = static_cast<int>(65536 * scale);
    const quint32 base =
        quint32(sourceStart * 65536) +
        static_cast<quint32>(static_cast<int>(std::ceil((from + 0.5 - targetStart) * scale * 65536)) - 1);
    const int last = static_cast<int>((base + static_cast<quint32>(step * (count - 1))) >> 16);
    if (last < 0 || last >= imageLength) --count;
    axis.first = from;
    axis.index.resize(std::max(count, 0));
    for (int i = 0; i < count; ++i) axis.index[i] = static_cast<int>((base + static_cast<quint32>(i) * step) >> 16);
    return axis;
}

namespace {

// Which full-image pixel each device pixel of a code's drawing reads.
struct CodeSampling {
    ScaledAxis columns;
    ScaledAxis rows;
};

CodeSampling Sample(const CodeImage& code, const QRect& source, const QRect& dest, const QRect& device, WrapMode wrap) {
    CodeSampling sampling;
    if (code.IsNull() || source.width() <= 0 || source.height() <= 0 || dest.width() <= 0 || dest.height() <= 0)
        return sampling;
    const QRect part = dest & device.adjusted(-1, -1, 1, 1);
    if (part.isEmpty()) return sampling;
    const QSize full = code.FullSize();
    ScaledAxis& columns = sampling.columns;
    ScaledAxis& rows = sampling.rows;
    if (QRect(QPoint(), full).contains(source)) {
        const double sx = double(source.width()) / dest.width();
        const double sy = double(source.height()) / dest.height();
        columns = QtScaledAxis(part.x(), part.width(), source.x() + (part.x() - dest.x()) * sx, part.width() * sx,
                               device.left(), device.left() + device.width(), full.width());
        rows = QtScaledAxis(part.y(), part.height(), source.y() + (part.y() - dest.y()) * sy, part.height() * sy,
                            device.top(), device.top() + device.height(), full.height());
    } else {
        columns.first = part.x();
        rows.first = part.y();
        for (int x = 0; x < part.width(); ++x)
            columns.index.push_back(
                Wrap(source.x() + NearestSourceIndex(part.x() - dest.x() + x, dest.width(), source.width()),
                     full.width(), wrap));
        for (int y = 0; y < part.height(); ++y)
            rows.index.push_back(
                Wrap(source.y() + NearestSourceIndex(part.y() - dest.y() + y, dest.height(), source.height()),
                     full.height(), wrap));
    }
    return sampling;
}

QRect Written(const CodeSampling& s) {
    return {s.columns.first, s.rows.first, static_cast<int>(s.columns.index.size()),
            static_cast<int>(s.rows.index.size())};
}

}  // namespace

QList<QRect> CodeImageDifferences(const CodeImage& before, const CodeImage& now, const QRect& source, const QRect& dest,
                                  const QRect& device, WrapMode wrap) {
    const CodeSampling b = Sample(before, source, dest, device, wrap);
    const CodeSampling n = Sample(now, source, dest, device, wrap);
    const QRect written = Written(n);
    if (Written(b) != written) return {Written(b) | written};
    // Runs of rows that read the same module row in both are alike.
    std::vector<std::pair<int, int>> rowPairs;
    for (std::size_t y = 0; y < n.rows.index.size(); ++y) {
        const std::pair<int, int> pair{before.ModuleRow(b.rows.index[y]), now.ModuleRow(n.rows.index[y])};
        if (rowPairs.empty() || rowPairs.back() != pair) rowPairs.push_back(pair);
    }
    QList<QRect> areas;
    for (int x = 0; x < written.width(); ++x) {
        const int bc = before.ModuleColumn(b.columns.index[x]);
        const int nc = now.ModuleColumn(n.columns.index[x]);
        bool differs = false;
        for (const auto& [br, nr] : rowPairs)
            differs = differs || reinterpret_cast<const QRgb*>(before.Modules().constScanLine(br))[bc] !=
                                     reinterpret_cast<const QRgb*>(now.Modules().constScanLine(nr))[nc];
        if (!differs) continue;
        const QRect column(written.x() + x, written.y(), 1, written.height());
        if (!areas.isEmpty() && areas.back().right() + 1 == column.x())
            areas.back() |= column;
        else
            areas << column;
    }
    return areas;
}

void DrawCodeImage(QPainter& painter, const CodeImage& code, const QRect& source, const QRect& dest, WrapMode wrap) {
    // Which pixels are written, and from where, follows the device alone:
    // the clip only limits what is copied.
    const QRect device = DeviceArea(painter);
    const CodeSampling sampling = Sample(code, source, dest, device, wrap);
    const ScaledAxis& columns = sampling.columns;
    const ScaledAxis& rows = sampling.rows;
    QRect area = Written(sampling);
    area &= device;  // a wrapped image may be laid a pixel beyond it
    if (painter.hasClipping()) area &= painter.clipBoundingRect().toAlignedRect();
    if (area.isEmpty()) return;
    if (PaintedArea::IsArea(painter.device())) {
        painter.fillRect(area, Qt::black);
        return;
    }
    // Neighbouring pixels mostly read the same full pixel: its module is looked up once.
    std::vector<int> moduleColumns(area.width());
    for (int x = 0, index = -1, module = 0; x < area.width(); ++x) {
        const int next = columns.index[area.x() - columns.first + x];
        if (next != index) module = code.ModuleColumn(index = next);
        moduleColumns[x] = module;
    }
    // Straight into an image target when nothing but a shift lies between;
    // through a patch otherwise. The modules are opaque RGB32 (alpha 0xFF),
    // which an ARGB32 target, premultiplied or not, holds as they are.
    auto* target = dynamic_cast<QImage*>(painter.device());
    const QTransform& transform = painter.worldTransform();
    const bool direct = target && IsOpaqueCopyTarget(target->format()) && painter.opacity() == 1.0 &&
                        painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
                        transform.type() <= QTransform::TxTranslate && transform.dx() == int(transform.dx()) &&
                        transform.dy() == int(transform.dy()) && painter.clipRegion().rectCount() <= 1;
    QImage patch;
    if (!direct) patch = QImage(area.size(), QImage::Format_RGB32);
    const QPoint shift(int(transform.dx()), int(transform.dy()));
    const QImage& modules = code.Modules();
    int lastRow = -1;
    const QRgb* last = nullptr;
    int rowIndex = -1;
    int row = 0;
    for (int y = 0; y < area.height(); ++y) {
        const int next = rows.index[area.y() - rows.first + y];
        if (next != rowIndex) row = code.ModuleRow(rowIndex = next);
        auto* out = direct ? reinterpret_cast<QRgb*>(target->scanLine(area.y() + y + shift.y())) + area.x() + shift.x()
                           : reinterpret_cast<QRgb*>(patch.scanLine(y));
        if (row == lastRow) {
            std::memcpy(out, last, area.width() * sizeof(QRgb));  // a linear code's rows are all alike
        } else {
            const auto* in = reinterpret_cast<const QRgb*>(modules.constScanLine(row));
            for (int x = 0; x < area.width(); ++x) out[x] = in[moduleColumns[x]];
        }
        lastRow = row;
        last = out;
    }
    if (!direct) painter.drawImage(area.topLeft(), patch);
}

int NearestSourceIndex(int d, int destLength, int sourceLength) {
    return static_cast<int>((d + 0.5) * sourceLength / destLength);
}

void DrawImageNearest(QPainter& painter, const QImage& image, const QRect& source, const QRect& dest, WrapMode wrap) {
    if (image.isNull() || source.width() <= 0 || source.height() <= 0 || dest.width() <= 0 || dest.height() <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (image.rect().contains(source)) {
        // Nothing to wrap: Qt's own unsmoothed scaling samples the nearest
        // pixel without an intermediate image. A band of a taller target is
        // only the clip of a whole drawing, which the scaling must not follow.
        const bool band = BandImage::IsPartOfTaller(painter.device());
        const QRect part = band ? dest & DeviceArea(painter).adjusted(-1, -1, 1, 1) : VisiblePart(painter, dest);
        const double sx = double(source.width()) / dest.width();
        const double sy = double(source.height()) / dest.height();
        const QRectF from(source.x() + (part.x() - dest.x()) * sx, source.y() + (part.y() - dest.y()) * sy,
                          part.width() * sx, part.height() * sy);
        if (band && image.format() == QImage::Format_RGB32 && painter.worldTransform().type() <= QTransform::TxScale)
            DrawScaledUnclipped(painter, image, from, part);
        else if (!part.isEmpty())
            painter.drawImage(QRectF(part), image, from);
        painter.restore();
        return;
    }
    // Each pixel's source follows from its place alone.
    const QRect part = VisiblePart(painter, dest);
    if (part.isEmpty()) {
        painter.restore();
        return;
    }
    // RGB32 reads as opaque ARGB32 already: converting the cached code images
    // on every draw was most of the output raster's time.
    const QImage src = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_ARGB32);
    std::vector<int> columns(part.width());
    for (int x = 0; x < part.width(); ++x) {
        const int s = source.x() + NearestSourceIndex(part.x() - dest.x() + x, dest.width(), source.width());
        columns[x] = Wrap(s, src.width(), wrap);
    }
    QImage patch(part.size(), src.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y) {
        const int s = source.y() + NearestSourceIndex(part.y() - dest.y() + y, dest.height(), source.height());
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(Wrap(s, src.height(), wrap)));
        auto* out = reinterpret_cast<QRgb*>(patch.scanLine(y));
        for (int x = 0; x < part.width(); ++x) out[x] = in[columns[x]];
    }
    painter.drawImage(part.topLeft(), patch);
    painter.restore();
}

}  // namespace kestrix
