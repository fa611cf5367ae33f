#pragma once
// Random labels for the tests that compare two ways of drawing the same copies.

#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "document/LabelDocument.h"

namespace kestrix {

// A picture with colour, grey and transparency, so its reduction and
// scaling both matter where it overlaps a serialized element.
inline QString WritePicture(const QTemporaryDir& dir) {
    QImage image(60, 40, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgba(x * 4, y * 6, 128, x < 50 ? 255 : 0));
    const QString path = dir.filePath(QStringLiteral("picture.png"));
    image.save(path);
    return path;
}

// 5 to 10 elements of every kind placed at random, then a picture across part
// of one of them and a line. Braced lists keep the draws in order.
inline LabelDocument RandomLabel(QRandomGenerator& random, const std::u16string& picture) {
    const auto any = [&random](int low, int high) { return low + static_cast<int>(random.bounded(high - low + 1)); };
    // Per kind (text, barcode, EAN-13, 2D code, shape, picture): the width and height ranges.
    const int sizes[][4] = {{30, 200, 12, 60},   {60, 300, 30, 120}, {110, 250, 40, 100},
                            {40, 120, 100, 100}, {10, 250, 10, 150}, {20, 150, 20, 100}};
    const int rotations[] = {0, 0, 900, 1800, 2700};
    const char16_t* serials[] = {u"A-0995", u"X10", u"0009", u"LOT-99", u"12"};
    LabelDocument doc{50, 30, {}, {}, {}};
    for (int i = any(5, 10); i > 0; --i) {
        const ElementPoint at{any(-30, 330), any(-30, 200)};
        const int kind = any(0, 5);
        LabelElement e = kind == 5   ? CreatePictureElement(at, picture, 60, 40)
                         : kind == 4 ? CreateElement(kShape, at)
                         : kind == 3 ? CreateElement(kCode2D, at, u"K-0001")
                         : kind == 2 ? CreateElement(kBarcode, at, any(0, 1) ? u"590123412345" : u"400638133393")
                                     : CreateElement(kind == 0 ? kText : kBarcode, at, serials[any(0, 4)]);
        std::tie(e.nWidth, e.nHeight, e.bSelected) =
            std::tuple{any(sizes[kind][0], sizes[kind][1]), any(sizes[kind][2], sizes[kind][3]), 0};
        if (kind == 1) std::tie(e.nBarcodeType, e.bShowText) = std::tuple{any(0, 3) == 0 ? 8 : 20, any(0, 1)};
        if (kind == 2) e.nBarcodeType = kBuiltinEan13;
        if (kind == 4) std::tie(e.nShapeType, e.nLineWidth) = std::tuple{any(0, 4), any(1, 6)};
        std::tie(e.nEscapement, e.nSerialMode) = std::tuple{rotations[any(0, 4)], any(0, 2)};
        doc.elements.push_back(e);
    }
    const LabelElement& near = doc.elements[any(0, static_cast<int>(doc.elements.size()) - 1)];
    LabelElement over = CreatePictureElement({near.nPosX + any(-40, 40), near.nPosY + any(-30, 30)}, picture, 60, 40);
    std::tie(over.nWidth, over.nHeight, over.bSelected) = std::tuple{any(37, 157), any(23, 97), 0};
    doc.elements.insert(doc.elements.begin() + any(0, static_cast<int>(doc.elements.size())), over);
    LabelElement line = CreateElement(kLine, {any(0, 300), any(0, 200)}, {}, {any(0, 400), any(0, 240)});
    std::tie(line.nLineWidth, line.bSelected) = std::tuple{any(1, 5), 0};
    doc.elements.insert(doc.elements.begin() + any(0, static_cast<int>(doc.elements.size())), line);
    return doc;
}

}  // namespace kestrix
