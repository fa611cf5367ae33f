#include "output/MonoImage.h"

#include <QtEndian>
#include <limits>

namespace kestrix {

namespace {
void Put32(char* at, qint32 value) { qToLittleEndian<qint32>(value, at); }
void Put16(char* at, qint16 value) { qToLittleEndian<qint16>(value, at); }
}  // namespace

MonoImage::MonoImage(int width, int height) {
    if (width <= 0 || height <= 0) return;
    const qint64 stride = StrideFor(width);
    const qint64 dataBytes = stride * height;
    if (dataBytes > std::numeric_limits<qint32>::max() - kDataOffset) return;  // a BMP cannot hold it
    width_ = width;
    height_ = height;
    stride_ = static_cast<int>(stride);
    bytes_ = QByteArray(kDataOffset + dataBytes, '\xff');
    char* h = bytes_.data();
    h[0] = 'B';
    h[1] = 'M';
    Put32(h + 2, static_cast<qint32>(kDataOffset + dataBytes));  // the file size, so image viewers take it
    Put32(h + 6, 0);
    Put32(h + 10, kDataOffset);
    Put32(h + 14, 40);
    Put32(h + 18, width);
    Put32(h + 22, -height);  // negative: top row first
    Put16(h + 26, 1);
    Put16(h + 28, 1);
    Put32(h + 30, 0);
    Put32(h + 34, static_cast<qint32>(dataBytes));
    Put32(h + 38, kResolution);
    Put32(h + 42, kResolution);
    Put32(h + 46, 0);
    Put32(h + 50, 0);
    Put32(h + 54, 0);           // palette 0: black
    Put32(h + 58, 0x00FFFFFF);  // palette 1: white
}

}  // namespace kestrix
