#include "render/MonoPicture.h"

#include <QPainter>
#include <QTransform>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <vector>

namespace kestrix {

namespace {

constexpr int kHeaderSize = 62;
constexpr int kResolution = 203;

void Put16(QByteArray& b, int at, uint16_t v) { qToLittleEndian(v, b.data() + at); }
void Put32(QByteArray& b, int at, uint32_t v) { qToLittleEndian(v, b.data() + at); }

// Row y of the picture turned clockwise by `degrees`, as Qt turns it, without
// turning the whole picture: a row of the turned picture is a column (or row)
// of the picture, turned alone.
QImage TurnedRow(const QImage& image, int degrees, int y) {
    switch (degrees) {
    case 90: return image.copy(y, 0, 1, image.height()).transformed(QTransform().rotate(90));
    case 180: return image.copy(0, image.height() - 1 - y, image.width(), 1).transformed(QTransform().rotate(180));
    case 270: return image.copy(image.width() - 1 - y, 0, 1, image.height()).transformed(QTransform().rotate(270));
    default: return image.copy(0, y, image.width(), 1);
    }
}

// Row y of the turned picture as opaque pixels, transparent areas white, in
// `out`: red, green and blue of each pixel in turn.
void OpaqueRow(const QImage& image, int degrees, int y, std::vector<int>& out) {
    QImage row = TurnedRow(image, degrees, y);
    if (!row.hasAlphaChannel()) {
        row = row.convertToFormat(QImage::Format_RGB32);
    } else {
        QImage opaque(row.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, row);
        row = opaque;
    }
    const auto* pixels = reinterpret_cast<const QRgb*>(row.constScanLine(0));
    out.resize(std::size_t(row.width()) * 3);
    for (int x = 0; x < row.width(); ++x) {
        out[3 * x] = qRed(pixels[x]);
        out[3 * x + 1] = qGreen(pixels[x]);
        out[3 * x + 2] = qBlue(pixels[x]);
    }
}

// Adds err * weight / 16 (rounded toward minus infinity) to each channel of
// the pixel at `to`.
void Spread(int* to, const int err[3], int weight) {
    for (int c = 0; c < 3; ++c) to[c] = std::clamp(to[c] + ((err[c] * weight) >> 4), 0, 255);
}

}  // namespace

QByteArray BitmapToMonoBmp(const QImage& image, int degrees) {
    const bool across = degrees == 90 || degrees == 270;
    const int w = across ? image.height() : image.width();
    const int h = across ? image.width() : image.height();
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

    // Two rows at a time, so a huge picture is never copied whole: the row
    // being reduced, and the next one taking its share of the error.
    std::vector<int> row, next;
    if (h > 0) OpaqueRow(image, degrees, 0, next);
    for (int y = 0; y < h; ++y) {
        row.swap(next);
        const bool last = y + 1 == h;
        if (!last) OpaqueRow(image, degrees, y + 1, next);
        for (int x = 0; x < w; ++x) {
            int* at = &row[3 * x];
            // Black is nearer than white (or as near) up to a channel sum of 382.
            const int chosen = at[0] + at[1] + at[2] <= 382 ? 0 : 255;
            if (chosen == 0) bits[qsizetype(y) * stride + x / 8] &= ~(0x80 >> (x % 8));
            const int err[3] = {at[0] - chosen, at[1] - chosen, at[2] - chosen};
            if (x + 1 < w) Spread(at + 3, err, 7);
            if (last) continue;
            int* below = &next[3 * x];
            if (x >= 1) Spread(below - 3, err, 3);
            Spread(below, err, 5);
            if (x + 1 < w) Spread(below + 3, err, 1);
        }
    }
    return file;
}

QImage ReduceToMono(const QImage& image, int degrees) {
    return QImage::fromData(BitmapToMonoBmp(image, degrees), "BMP");
}

}  // namespace kestrix
