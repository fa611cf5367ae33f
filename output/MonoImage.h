#pragma once
// A 1-bit raster held as the exact bytes of an in-memory BMP file: the 62-byte
// headers with a black/white palette, then the rows top first, each filled out
// to a multiple of 4 bytes. Leftmost pixel in the most significant bit, 1 = white.

#include <QByteArray>

namespace kestrix {

class MonoImage {
public:
    static constexpr int kDataOffset = 62;
    static constexpr int kResolution = 203;

    MonoImage() = default;
    // An all-white image (fill bits included) of w x h pixels.
    MonoImage(int width, int height);

    static int StrideFor(int width) { return (width + 31) / 32 * 4; }

    bool IsNull() const { return bytes_.isEmpty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    const uchar* Row(int y) const { return Data() + static_cast<qsizetype>(y) * stride_; }
    uchar* Row(int y) { return Data() + static_cast<qsizetype>(y) * stride_; }
    bool IsBlack(int x, int y) const { return !(Row(y)[x >> 3] & (0x80 >> (x & 7))); }
    void SetBlack(int x, int y) { Row(y)[x >> 3] &= static_cast<uchar>(~(0x80 >> (x & 7))); }

    // The whole BMP file (headers and rows).
    const QByteArray& Bytes() const { return bytes_; }
    qsizetype Size() const { return bytes_.size(); }

private:
    const uchar* Data() const { return reinterpret_cast<const uchar*>(bytes_.constData()) + kDataOffset; }
    uchar* Data() { return reinterpret_cast<uchar*>(bytes_.data()) + kDataOffset; }

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    QByteArray bytes_;
};

}  // namespace kestrix
