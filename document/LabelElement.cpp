#include "document/LabelElement.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace kestrix {

namespace {

const std::u16string_view kDefaultFace = u"\u5b8b\u4f53";  // the Song face every text starts with

void WriteUnits(char16_t* dst, int units, std::u16string_view text) {
    std::size_t n = std::min<std::size_t>(text.size(), units - 1);
    // Never leave the first half of a surrogate pair without its second half.
    if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    std::fill(dst, dst + units, u'\0');
    std::copy_n(text.data(), n, dst);
}

std::u16string ReadUnits(const char16_t* src, int units) {
    return std::u16string(src, std::find(src, src + units, u'\0'));
}

}  // namespace

LabelElement CreateElement(int32_t type, ElementPoint at, std::u16string_view content, ElementPoint lineEnd) {
    LabelElement e{};
    e.nType = type;
    e.nPosX = at.x;
    e.nPosY = at.y;
    e.nSize = -1;
    e.bSelected = 1;
    switch (type) {
    case kText:
        e.logFont.lfHeight = 20;
        e.logFont.lfWeight = 400;
        SetFaceName(e.logFont, kDefaultFace);
        break;
    case kBarcode:
        e.nWidth = 300;
        e.nHeight = 80;
        e.logFont.lfHeight = 20;
        e.logFont.lfWeight = 800;
        SetFaceName(e.logFont, kDefaultFace);
        e.nBarcodeType = 20;
        e.nTextHeight = 15;
        e.bShowText = 1;
        break;
    case kCode2D:
        e.nWidth = 100;
        e.nHeight = 100;
        e.nSrcWidth = 100;
        e.nSrcHeight = 100;
        e.logFont.lfHeight = 14;
        e.logFont.lfWeight = 400;
        SetFaceName(e.logFont, kDefaultFace);
        e.nBarcodeType = 58;
        break;
    case kLine:
        e.nEndX = lineEnd.x;
        e.nEndY = lineEnd.y;
        e.nLineWidth = 4;
        e.nSize = 1;
        break;
    case kShape:
        e.nEndX = at.x;
        e.nEndY = at.y;
        e.nLineWidth = 4;
        e.nSize = 7;
        break;
    default: break;
    }
    SetElementText(e, content);
    e.nOrgWidth = e.nWidth;
    e.nOrgHeight = e.nHeight;
    e.nOrgPosX = e.nPosX;
    e.nOrgPosY = e.nPosY;
    return e;
}

LabelElement CreatePictureElement(ElementPoint at, std::u16string_view path, int imageWidth, int imageHeight) {
    LabelElement e = CreateElement(kPicture, at, path);
    e.nWidth = 100;
    e.nHeight = imageWidth > 0 ? static_cast<int32_t>(100LL * imageHeight / imageWidth) : 0;
    e.nSrcWidth = imageWidth;
    e.nSrcHeight = imageHeight;
    e.nOrgWidth = e.nWidth;
    e.nOrgHeight = e.nHeight;
    return e;
}

LabelElement DuplicateElement(const LabelElement& e) {
    LabelElement copy = e;
    copy.hCache = 0;
    return copy;
}

LabelElement ReadRecord(std::span<const uint8_t, kRecordSize> bytes) {
    LabelElement e;
    std::memcpy(&e, bytes.data(), kRecordSize);
    return e;
}

std::array<uint8_t, kRecordSize> WriteRecord(const LabelElement& e) {
    std::array<uint8_t, kRecordSize> bytes;
    std::memcpy(bytes.data(), &e, kRecordSize);
    return bytes;
}

std::u16string ElementText(const LabelElement& e) { return ReadUnits(e.str, kStrUnits); }

void SetElementText(LabelElement& e, std::u16string_view text) { WriteUnits(e.str, kStrUnits, text); }

std::u16string FaceName(const LogFont& f) { return ReadUnits(f.lfFaceName, kFaceUnits); }

void SetFaceName(LogFont& f, std::u16string_view face) { WriteUnits(f.lfFaceName, kFaceUnits, face); }

int NormalizedEscapement(int32_t escapement) { return escapement < 0 ? escapement + 3600 : escapement; }

namespace {

LabelElement WithoutEditorState(LabelElement e) {
    e.nOrgWidth = e.nOrgHeight = e.nOrgPosX = e.nOrgPosY = e.nOrgEndX = e.nOrgEndY = 0;
    e.bSelected = 0;
    e.nSize = 0;
    std::fill(std::begin(e.ptHandles), std::end(e.ptHandles), HandlePoint{});
    e.hCache = 0;
    return e;
}

}  // namespace

bool SameElements(const std::vector<LabelElement>& a, const std::vector<LabelElement>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const LabelElement& x, const LabelElement& y) {
        return WriteRecord(WithoutEditorState(x)) == WriteRecord(WithoutEditorState(y));
    });
}

}  // namespace kestrix
