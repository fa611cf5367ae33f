#include "render/BandImage.h"

#include <algorithm>
#include <limits>

namespace kestrix {

namespace {

int RowsOf(QSize target, int rows) {
    if (rows <= 0)
        rows = static_cast<int>(std::min<qint64>(BandImage::kBandBytes / (std::max(target.width(), 1) * 4),
                                                 std::numeric_limits<int>::max()));
    return std::clamp(rows, 1, std::max(target.height(), 1));
}

}  // namespace

BandImage::BandImage(QSize target, int rows) : target_(target), rows_(RowsOf(target, rows)) {
    // A band of the whole target is an ordinary image, whose copies outlive the band.
    if (rows_ >= target.height()) {
        static_cast<QImage&>(*this) = QImage(target, QImage::Format_RGB32);
        return;
    }
    pixels_.resize(std::size_t(target.width()) * rows_);
    SetTop(0);
}

void BandImage::SetTop(int top) {
    top_ = top;
    if (pixels_.empty()) return;
    // Row y of the target is row y - top of the band's pixels; rows outside
    // the band are never drawn (every drawing is clipped to Rows()).
    const qsizetype stride = qsizetype(target_.width()) * 4;
    auto* first = reinterpret_cast<uchar*>(pixels_.data());
    static_cast<QImage&>(*this) =
        QImage(first - top * stride, target_.width(), target_.height(), stride, QImage::Format_RGB32);
}

bool BandImage::IsPartOfTaller(const QPaintDevice* device) {
    const auto* band = dynamic_cast<const BandImage*>(device);
    return band && band->BandRows() < band->height();
}

}  // namespace kestrix
