#include "render/MonoPicture.h"

#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace kestrix {

namespace {

constexpr int kHeaderSize = 62;
constexpr int kResolution = 203;
// One more than the largest squared distance between two colours.
constexpr int kNoDistance = 195076;

void Put16(QByteArray& b, int at, uint16_t v) { qToLittleEndian(v, b.data() + at); }
void Put32(QByteArray& b, int at, uint32_t v) { qToLittleEndian(v, b.data() + at); }

// The picture as opaque 32-bit pixels, transparent areas white.
QImage OpaqueCopy(const QImage& image) {
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

// Adds err * weight / 16 (rounded toward minus infinity) to each channel.
QRgb Spread(QRgb pixel, const int err[3], int weight) {
    return qRgb(ClampChannel(qRed(pixel), (err[0] * weight) >> 4), ClampChannel(qGreen(pixel), (err[1] * weight) >> 4),
                ClampChannel(qBlue(pixel), (err[2] * weight) >> 4));
}

}  // namespace

QRgb NearestPaletteColor(QRgb colour, const QRgb* palette, int count) {
    int best = kNoDistance;
    QRgb chosen = palette[0];
    for (int i = 0; i < count; ++i) {
        const int dr = qRed(colour) - qRed(palette[i]);
        const int dg = qGreen(colour) - qGreen(palette[i]);
        const int db = qBlue(colour) - qBlue(palette[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < best) {
            best = d;
            chosen = palette[i];
        }
    }
    return chosen;
}

int ClampChannel(int channel, int delta) { return std::clamp(channel + delta, 0, 255); }

QByteArray BitmapToMonoBmp(const QImage& image) {
    QImage px = OpaqueCopy(image);
    const int w = px.width();
    const int h = px.height();
    static constexpr QRgb kPalette[2] = {qRgb(0, 0, 0), qRgb(255, 255, 255)};

    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(px.scanLine(y));
        auto* next = y + 1 < h ? reinterpret_cast<QRgb*>(px.scanLine(y + 1)) : nullptr;
        for (int x = 0; x < w; ++x) {
            const QRgb old = row[x];
            const QRgb chosen = NearestPaletteColor(old, kPalette, 2);
            row[x] = chosen | 0xFF000000u;
            const int err[3] = {qRed(old) - qRed(chosen), qGreen(old) - qGreen(chosen), qBlue(old) - qBlue(chosen)};
            if (x + 1 < w) row[x + 1] = Spread(row[x + 1], err, 7);
            if (!next) continue;
            if (x >= 1) next[x - 1] = Spread(next[x - 1], err, 3);
            next[x] = Spread(next[x], err, 5);
            if (x + 1 < w) next[x + 1] = Spread(next[x + 1], err, 1);
        }
    }

    const int stride = ((w + 31) / 8) & ~3;
    const int imageBytes = stride * h;
    QByteArray file(kHeaderSize + imageBytes, '\xFF');
    std::memset(file.data(), 0, kHeaderSize);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, kHeaderSize + imageBytes);
    Put32(file, 10, kHeaderSize);
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(w));
    Put32(file, 22, static_cast<uint32_t>(-h));
    Put16(file, 26, 1);
    Put16(file, 28, 1);
    Put32(file, 34, imageBytes);
    Put32(file, 38, kResolution);
    Put32(file, 42, kResolution);
    Put32(file, 54, 0x00000000);
    Put32(file, 58, 0x00FFFFFF);
    auto* bits = reinterpret_cast<unsigned char*>(file.data()) + kHeaderSize;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(px.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if ((row[x] & 0xFFFFFF) == 0) bits[y * stride + x / 8] &= ~(0x80 >> (x % 8));
    }
    return file;
}

QImage ReduceToMono(const QImage& image) { return QImage::fromData(BitmapToMonoBmp(image), "BMP"); }

}  // namespace kestrix
