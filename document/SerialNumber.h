#pragma once
// Serial numbers: the decimal digits at the end of a text or barcode count up
// or down by one each time the label is drawn for output.

#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

enum SerialMode : int32_t { kNoSerial = 0, kSerialIncrement = 1, kSerialDecrement = 2 };

// Advances the element's content one step by its nSerialMode; the length never
// changes (999 becomes 000). Returns true when the content changed.
bool AdvanceSerial(LabelElement& e);

// True when any element counts (nSerialMode other than "don't serialize"), so
// every printed copy must be drawn anew.
bool LabelHasSerials(const std::vector<LabelElement>& elements);

}  // namespace kestrix
