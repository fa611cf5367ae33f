#pragma once
// One object on a label: the 796-byte record that is stored byte for byte in
// label files, undo files and the clipboard. The layout is the file format.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace kestrix {

static_assert(std::endian::native == std::endian::little, "records are copied as raw little-endian bytes");

// The Windows LOGFONTW block, field by field (92 bytes).
struct LogFont {
    int32_t lfHeight;
    int32_t lfWidth;
    int32_t lfEscapement;
    int32_t lfOrientation;
    int32_t lfWeight;
    uint8_t lfItalic;
    uint8_t lfUnderline;
    uint8_t lfStrikeOut;
    uint8_t lfCharSet;
    uint8_t lfOutPrecision;
    uint8_t lfClipPrecision;
    uint8_t lfQuality;
    uint8_t lfPitchAndFamily;
    char16_t lfFaceName[32];
};

struct HandlePoint {
    int32_t x;
    int32_t y;
};

enum ElementType : int32_t {
    kText = 0,
    kPicture = 1,
    kBarcode = 2,
    kCode2D = 3,
    kLine = 4,
    kShape = 5,
};

// Symbology codes kept in nBarcodeType (zint numbers, 113 = built-in EAN-13).
constexpr int32_t kBuiltinEan13 = 113;
constexpr int32_t kPdf417 = 55;
constexpr int kStrUnits = 256;  // str holds at most 255 code units + NUL
// Barcode and 2D code data reach the barcode library as at most this many UTF-8
// bytes, cut at a character boundary.
constexpr int kMaxCodeBytes = 255;
constexpr int kFaceUnits = 32;

struct LabelElement {
    int32_t nType;
    int32_t nPosX;
    int32_t nPosY;
    int32_t nWidth;
    int32_t nHeight;
    int32_t nSrcWidth;
    int32_t nSrcHeight;
    int32_t nOrgWidth;
    int32_t nOrgHeight;
    int32_t nOrgPosX;
    int32_t nOrgPosY;
    LogFont logFont;
    char16_t str[kStrUnits];
    uint8_t bSelected;
    uint8_t padding[3];
    int32_t nSize;
    int32_t nCodeWidth;
    int32_t nCodeHeight;
    int32_t nEscapement;
    int32_t nEndX;
    int32_t nEndY;
    int32_t nOrgEndX;
    int32_t nOrgEndY;
    int32_t nLineWidth;
    int32_t nBarcodeType;
    HandlePoint ptHandles[8];
    int32_t nTextHeight;
    uint32_t hCache;
    int32_t bShowText;
    int32_t nSerialMode;
    int32_t nSerialLimit;
    int32_t nSerialReset;
    int32_t nSerialStep;
    int32_t nShapeType;
    int32_t nCornerSize;
    int32_t bOmit;
};

constexpr std::size_t kRecordSize = 796;

static_assert(std::is_standard_layout_v<LabelElement> && std::is_trivially_copyable_v<LabelElement>);
static_assert(sizeof(LogFont) == 92);
static_assert(sizeof(LabelElement) == kRecordSize);
static_assert(offsetof(LabelElement, logFont) == 44);
static_assert(offsetof(LabelElement, logFont.lfItalic) == 64);
static_assert(offsetof(LabelElement, logFont.lfFaceName) == 72);
static_assert(offsetof(LabelElement, str) == 136);
static_assert(offsetof(LabelElement, bSelected) == 648);
static_assert(offsetof(LabelElement, nSize) == 652);
static_assert(offsetof(LabelElement, nEscapement) == 664);
static_assert(offsetof(LabelElement, nBarcodeType) == 688);
static_assert(offsetof(LabelElement, ptHandles) == 692);
static_assert(offsetof(LabelElement, nTextHeight) == 756);
static_assert(offsetof(LabelElement, hCache) == 760);
static_assert(offsetof(LabelElement, bOmit) == 792);

// A point in whatever unit the caller works in (dots or canvas pixels).
struct ElementPoint {
    int x = 0;
    int y = 0;
};

// Creates a record of the given kind with its creation values. `at` is the
// position in dots; `lineEnd` is the line's start in canvas pixels (lines only).
LabelElement CreateElement(int32_t type, ElementPoint at, std::u16string_view content = {}, ElementPoint lineEnd = {});
// A picture element for an image of the given pixel size.
LabelElement CreatePictureElement(ElementPoint at, std::u16string_view path, int imageWidth, int imageHeight);

// A copy of every byte with no cached code image.
LabelElement DuplicateElement(const LabelElement& e);
// A record from exactly 796 bytes (hCache kept as stored; readers clear it).
LabelElement ReadRecord(std::span<const uint8_t, kRecordSize> bytes);
// The 796 bytes as they stand.
std::array<uint8_t, kRecordSize> WriteRecord(const LabelElement& e);

// The text of str up to its first NUL.
std::u16string ElementText(const LabelElement& e);
// Writes str, cut to 255 code units at a character boundary.
void SetElementText(LabelElement& e, std::u16string_view text);
std::u16string FaceName(const LogFont& f);
void SetFaceName(LogFont& f, std::u16string_view face);

// Whether two labels' elements look and print the same: equal records in the
// same order, leaving aside what only the running editor keeps in them (the
// selection, the armed handle, the handle points last painted, the drag's
// start and the code image).
bool SameElements(const std::vector<LabelElement>& a, const std::vector<LabelElement>& b);

// Rotation in tenths of a degree with negative values taken as value + 3600.
int NormalizedEscapement(int32_t escapement);

}  // namespace kestrix
