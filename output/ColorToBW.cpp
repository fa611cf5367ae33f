#include "output/ColorToBW.h"

#include <algorithm>
#include <array>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrix {

namespace {

// 1 for white. The pixel is 0xAARRGGBB; its byte-swapped form shifted right by
// 8 is 0x00BBGGRR, the number the threshold is defined on.
inline unsigned WhiteBit(uint32_t pixel) { return (__builtin_bswap32(pixel) >> 8) >= 0xC8C8C8u; }

#if defined(__SSE2__)
// Every byte with its bits in reverse order.
constexpr std::array<uchar, 256> kReversed = [] {
    std::array<uchar, 256> table{};
    for (int value = 0; value < 256; ++value)
        for (int bit = 0; bit < 8; ++bit)
            if (value & (1 << bit)) table[value] |= static_cast<uchar>(0x80 >> bit);
    return table;
}();

// Eight pixels at once: the same number formed in each 32-bit lane and
// compared, the eight answers gathered into one byte, leftmost pixel first.
inline uchar WhiteByte(const uint32_t* src) {
    const __m128i low = _mm_set1_epi32(0xFF);
    const __m128i green = _mm_set1_epi32(0xFF00);
    const __m128i below = _mm_set1_epi32(0xC8C8C8 - 1);
    const auto white = [&](__m128i p) {
        const __m128i number =
            _mm_or_si128(_mm_or_si128(_mm_slli_epi32(_mm_and_si128(p, low), 16), _mm_and_si128(p, green)),
                         _mm_and_si128(_mm_srli_epi32(p, 16), low));
        return _mm_cmpgt_epi32(number, below);
    };
    const __m128i first = white(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src)));
    const __m128i second = white(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4)));
    const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(first, second), _mm_setzero_si128());
    // Bit k of the mask is pixel k; the row wants pixel 0 in bit 7.
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(bytes));
    return kReversed[mask];
}
#endif

void ConvertRow(const uint32_t* src, int width, uchar* dst) {
    const int whole = width / 8;
    for (int i = 0; i < whole; ++i, src += 8) {
#if defined(__SSE2__)
        dst[i] = WhiteByte(src);
#else
        dst[i] = static_cast<uchar>(WhiteBit(src[0]) << 7 | WhiteBit(src[1]) << 6 | WhiteBit(src[2]) << 5 |
                                    WhiteBit(src[3]) << 4 | WhiteBit(src[4]) << 3 | WhiteBit(src[5]) << 2 |
                                    WhiteBit(src[6]) << 1 | WhiteBit(src[7]));
#endif
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
