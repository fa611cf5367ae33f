#include "document/Symbologies.h"

#include "document/LabelElement.h"

namespace kestrix {

namespace {

constexpr Symbology kLinear[] = {
    {"CODE_128", 20},          {"CODE_128B", 60}, {"CODE_39", 8}, {"EXCODE_39", 9}, {"CODE_93", 25},  {"EAN_X", 13},
    {"EAN_128", 16},           {"UPC_A", 34},     {"UPC_E", 37},  {"ITF_14", 89},   {"CODE_32", 129}, {"CODEBAR", 18},
    {"EAN-13", kBuiltinEan13}, {"EAN-14", 72},
};

constexpr Symbology k2D[] = {
    {"QRCode", 58},    {"PDF417", kPdf417},  {"PDF417TRUNC", 56}, {"DATA_MATRIX", 71},
    {"MAXI CODE", 57}, {"GRID MATRIX", 142}, {"MICROPDF417", 84},
};

}  // namespace

std::span<const Symbology> LinearSymbologies() { return kLinear; }

std::span<const Symbology> Code2DSymbologies() { return k2D; }

int SymbologyIndex(std::span<const Symbology> list, int32_t code) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].code == code) return static_cast<int>(i);
    return -1;
}

const char* SymbologyLabel(int32_t code) {
    for (std::span<const Symbology> list : {LinearSymbologies(), Code2DSymbologies()})
        if (int i = SymbologyIndex(list, code); i >= 0) return list[i].label;
    return nullptr;
}

}  // namespace kestrix
