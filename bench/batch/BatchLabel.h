#pragma once
// The label the batch benchmarks make many of: 100 x 150 mm with a border, a
// title, a rule, a serialized text, a serialized Code 128 and a QR code.

#include "document/LabelDocument.h"

namespace kestrix {

inline LabelElement Unselected(LabelElement e) {
    e.bSelected = 0;
    return e;
}

inline LabelElement Sized(int type, ElementPoint at, std::u16string_view content, int w, int h) {
    LabelElement e = CreateElement(type, at, content);
    e.nWidth = w;
    e.nHeight = h;
    return Unselected(e);
}

inline LabelDocument BatchLabel() {
    LabelDocument doc;
    doc.widthMm = 100;
    doc.heightMm = 150;
    LabelElement border = Sized(kShape, {16, 16}, {}, 767, 1167);
    border.nLineWidth = 4;
    LabelElement title = Sized(kText, {48, 40}, u"Shipping label", 700, 88);
    title.logFont.lfWeight = 700;
    LabelElement rule = Unselected(CreateElement(kLine, {32, 144}, {}, {768, 144}));
    rule.nLineWidth = 3;
    LabelElement serial = Sized(kText, {48, 176}, u"Serial: K-000001", 700, 64);
    serial.nSerialMode = 1;
    LabelElement code128 = Sized(kBarcode, {80, 288}, u"K-000001", 640, 240);
    code128.nSerialMode = 1;
    LabelElement qr = Sized(kCode2D, {240, 608}, u"K-000001", 320, 100);
    doc.elements = {border, title, rule, serial, code128, qr};
    return doc;
}

}  // namespace kestrix
