#pragma once
// The symbologies a barcode or 2D code element can carry, in the order of
// the dialogs' lists, with the code kept in nBarcodeType.

#include <cstdint>
#include <span>

namespace kestrix {

struct Symbology {
    const char* label;
    int32_t code;
};

std::span<const Symbology> LinearSymbologies();
std::span<const Symbology> Code2DSymbologies();

// The list position of `code`, or -1 when the list has no such entry.
int SymbologyIndex(std::span<const Symbology> list, int32_t code);
// The label of a code of either list, or nullptr.
const char* SymbologyLabel(int32_t code);

}  // namespace kestrix
