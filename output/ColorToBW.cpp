#include "output/ColorToBW.h"

#include <algorithm>
#include <cstdint>

namespace kestrix {

namespace {

// 1 for white. The pixel is 0xAARRGGBB; its byte-swapped form shifted right by
// 8 is 0x00BBGGRR, the number the threshold is defined on.
inline unsigned WhiteBit(uint32_t pixel) { return (__builtin_bswap32(pixel) >> 8) >= 0xC8C8C8u; }

void ConvertRow(const uint32_t* src, int width, uchar* dst) {
    const int whole = width / 8;
    for (int i = 0; i < whole; ++i, src += 8) {
        dst[i] = static_cast<uchar>(WhiteBit(src[0]) << 7 | WhiteBit(src[1]) << 6 | WhiteBit(src[2]) << 5 |
                                    WhiteBit(src[3]) << 4 | WhiteBit(src[4]) << 3 | WhiteBit(src[5]) << 2 |
                                    WhiteBit(src[6]) << 1 | WhiteBit(src[7]));
    }
    const int rest = width % 8;
    if (rest == 0) return;
    unsigned byte = 0xFF;  // fill bits beyond the width stay white
    for (int k = 0; k < rest; ++k)
        if (!WhiteBit(src[k])) byte &= ~(0x80u >> k);
    dst[whole] = static_cast<uchar>(byte);
}

}  // namespace

void ColorToBW(const QImage& image, const QRect& area, MonoImage& mono) {
    const QRect part = area & image.rect();
    if (part.isEmpty()) return;
    const int left = part.left() & ~7;
    const int right = std::min(image.width(), (part.right() + 8) & ~7);
    for (int y = part.top(); y <= part.bottom(); ++y)
        ConvertRow(reinterpret_cast<const uint32_t*>(image.constScanLine(y)) + left, right - left,
                   mono.Row(y) + left / 8);
}

MonoImage ColorToBW(const QImage& image) {
    if (image.isNull()) return {};
    const bool direct = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    const QImage source = direct ? image : image.convertToFormat(QImage::Format_RGB32);
    if (source.isNull()) return {};
    MonoImage mono(source.width(), source.height());
    if (mono.IsNull()) return {};
    for (int y = 0; y < source.height(); ++y)
        ConvertRow(reinterpret_cast<const uint32_t*>(source.constScanLine(y)), source.width(), mono.Row(y));
    return mono;
}

}  // namespace kestrix
