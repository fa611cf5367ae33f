#include "cli/LabelJson.h"

#include <string_view>

namespace kestrix {

namespace {

// A JSON string of UTF-16 code units; everything outside printable ASCII is
// escaped as \uXXXX, so lone surrogates survive exactly.
void AppendString(QByteArray& out, std::u16string_view text) {
    out += '"';
    for (char16_t c : text) {
        if (c == u'"' || c == u'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += QByteArray("\\u") + QByteArray::number(static_cast<uint>(c), 16).rightJustified(4, '0');
        }
    }
    out += '"';
}

class ObjectWriter {
public:
    explicit ObjectWriter(QByteArray& out) : out_(out) { out_ += '{'; }
    ~ObjectWriter() { out_ += '}'; }
    QByteArray& Key(const char* name) {
        if (!first_) out_ += ", ";
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\": ";
        return out_;
    }
    void Int(const char* name, long long value) { Key(name) += QByteArray::number(value); }

private:
    QByteArray& out_;
    bool first_ = true;
};

void AppendFont(QByteArray& out, const LogFont& f) {
    ObjectWriter o(out);
    o.Int("lfHeight", f.lfHeight);
    o.Int("lfWidth", f.lfWidth);
    o.Int("lfEscapement", f.lfEscapement);
    o.Int("lfOrientation", f.lfOrientation);
    o.Int("lfWeight", f.lfWeight);
    o.Int("lfItalic", f.lfItalic);
    o.Int("lfUnderline", f.lfUnderline);
    o.Int("lfStrikeOut", f.lfStrikeOut);
    o.Int("lfCharSet", f.lfCharSet);
    o.Int("lfOutPrecision", f.lfOutPrecision);
    o.Int("lfClipPrecision", f.lfClipPrecision);
    o.Int("lfQuality", f.lfQuality);
    o.Int("lfPitchAndFamily", f.lfPitchAndFamily);
    AppendString(o.Key("lfFaceName"), FaceName(f));
}

void AppendElement(QByteArray& out, const LabelElement& e) {
    ObjectWriter o(out);
    o.Int("nType", e.nType);
    o.Int("nPosX", e.nPosX);
    o.Int("nPosY", e.nPosY);
    o.Int("nWidth", e.nWidth);
    o.Int("nHeight", e.nHeight);
    o.Int("nSrcWidth", e.nSrcWidth);
    o.Int("nSrcHeight", e.nSrcHeight);
    o.Int("nOrgWidth", e.nOrgWidth);
    o.Int("nOrgHeight", e.nOrgHeight);
    o.Int("nOrgPosX", e.nOrgPosX);
    o.Int("nOrgPosY", e.nOrgPosY);
    AppendFont(o.Key("logFont"), e.logFont);
    AppendString(o.Key("str"), ElementText(e));
    o.Int("bSelected", e.bSelected);
    o.Int("nSize", e.nSize);
    o.Int("nCodeWidth", e.nCodeWidth);
    o.Int("nCodeHeight", e.nCodeHeight);
    o.Int("nEscapement", e.nEscapement);
    o.Int("nEndX", e.nEndX);
    o.Int("nEndY", e.nEndY);
    o.Int("nOrgEndX", e.nOrgEndX);
    o.Int("nOrgEndY", e.nOrgEndY);
    o.Int("nLineWidth", e.nLineWidth);
    o.Int("nBarcodeType", e.nBarcodeType);
    QByteArray& handles = o.Key("ptHandles");
    handles += '[';
    for (int i = 0; i < 8; ++i) {
        if (i) handles += ", ";
        handles += '[' + QByteArray::number(e.ptHandles[i].x) + ", " + QByteArray::number(e.ptHandles[i].y) + ']';
    }
    handles += ']';
    o.Int("nTextHeight", e.nTextHeight);
    o.Int("hCache", 0);  // a cached image means nothing outside the running editor
    o.Int("bShowText", e.bShowText);
    o.Int("nSerialMode", e.nSerialMode);
    o.Int("nSerialLimit", e.nSerialLimit);
    o.Int("nSerialReset", e.nSerialReset);
    o.Int("nSerialStep", e.nSerialStep);
    o.Int("nShapeType", e.nShapeType);
    o.Int("nCornerSize", e.nCornerSize);
    o.Int("bOmit", e.bOmit);
}

}  // namespace

QByteArray LabelJson(const LabelDocument& doc) {
    QByteArray out;
    {
        ObjectWriter o(out);
        o.Int("width_mm", doc.widthMm);
        o.Int("height_mm", doc.heightMm);
        AppendString(o.Key("printer"), PrinterNameText(doc.printerName).toStdU16String());
        QByteArray& list = o.Key("elements");
        list += '[';
        for (std::size_t i = 0; i < doc.elements.size(); ++i) {
            if (i) list += ",\n  ";
            AppendElement(list, doc.elements[i]);
        }
        list += ']';
    }
    out += '\n';
    return out;
}

}  // namespace kestrix
