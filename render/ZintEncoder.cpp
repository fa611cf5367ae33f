#include "render/ZintEncoder.h"

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "document/LabelElement.h"

namespace kestrix {

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using Symbol = std::unique_ptr<zint_symbol, SymbolDeleter>;

// The symbol encoded with the scale it is drawn at (kept within
// kMaxImageSide), or null when the library refuses it.
Symbol EncodeSymbol(int symbology, std::u16string_view data, int widthDots, int rotateAngle, bool linear) {
    if (!ZBarcode_ValidID(symbology)) return {};
    if (rotateAngle != 0 && rotateAngle != 90 && rotateAngle != 180 && rotateAngle != 270) return {};
    const QByteArray bytes = ZintEncoder::LibraryData(data);
    if (bytes.isEmpty()) return {};
    Symbol symbol(ZBarcode_Create());
    if (!symbol) return {};
    symbol->symbology = symbology;
    symbol->scale = ZintEncoder::ScaleFor(widthDots);
    if (linear) symbol->show_hrt = 0;
    const auto* source = reinterpret_cast<const unsigned char*>(bytes.constData());
    if (ZBarcode_Encode(symbol.get(), source, static_cast<int>(bytes.size())) >= ZINT_ERROR) return {};
    // A raster module is two pixels per unit of scale; keep the bitmap bounded.
    const float modules =
        static_cast<float>(std::max({symbol->width, symbol->rows, static_cast<int>(symbol->height), 1}) + 20);
    const float maxScale = ZintEncoder::kMaxImageSide / (2.0f * modules);
    if (symbol->scale > maxScale) symbol->scale = std::max(0.5f, maxScale);
    return symbol;
}

// The symbol's bitmap at its current scale, turned.
QImage Raster(zint_symbol* symbol, int rotateAngle) {
    if (ZBarcode_Buffer(symbol, rotateAngle) >= ZINT_ERROR || !symbol->bitmap) return {};
    const int w = symbol->bitmap_width;
    const int h = symbol->bitmap_height;
    if (w <= 0 || h <= 0) return {};
    QImage image(w, h, QImage::Format_RGB32);
    const unsigned char* rgb = symbol->bitmap;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x, rgb += 3) line[x] = qRgb(rgb[0], rgb[1], rgb[2]);
    }
    return image;
}

}  // namespace

QByteArray ZintEncoder::LibraryData(std::u16string_view data) {
    QByteArray bytes = QString::fromStdU16String(std::u16string(data)).toUtf8();
    if (bytes.size() <= kMaxCodeBytes) return bytes;
    int cut = kMaxCodeBytes;
    // Step back over continuation bytes so no character is cut in half.
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
    return bytes.left(cut);
}

float ZintEncoder::ScaleFor(int widthDots) {
    const int quotient = widthDots / 42;
    return quotient > 0 ? static_cast<float>(quotient) : 1.0f;
}

QImage ZintEncoder::Encode(int symbology, std::u16string_view data, int widthDots, int rotateAngle, bool linear) {
    const Symbol symbol = EncodeSymbol(symbology, data, widthDots, rotateAngle, linear);
    return symbol ? Raster(symbol.get(), rotateAngle) : QImage();
}

CodeImage ZintEncoder::EncodeModules(int symbology, std::u16string_view data, int widthDots, int rotateAngle,
                                     bool linear) {
    const Symbol symbol = EncodeSymbol(symbology, data, widthDots, rotateAngle, linear);
    if (!symbol) return {};
    const float scale = symbol->scale;
    if (scale == std::floor(scale) && symbology != BARCODE_MAXICODE) {
        symbol->scale = 0.5f;  // one pixel per module
        return CodeImage::Magnified(Raster(symbol.get(), rotateAngle), static_cast<int>(2 * scale));
    }
    return CodeImage::FromFull(Raster(symbol.get(), rotateAngle));
}

}  // namespace kestrix
