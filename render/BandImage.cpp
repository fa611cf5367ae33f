#include "render/BandImage.h"

namespace kestrix {

BandImage::BandImage(QSize target, int rows) : target_(target), rows_(rows) {
    // A band of the whole target is an ordinary image, whose copies outlive the band.
    if (rows >= target.height()) {
        static_cast<QImage&>(*this) = QImage(target, QImage::Format_RGB32);
        return;
    }
    pixels_.resize(std::size_t(target.width()) * rows);
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
