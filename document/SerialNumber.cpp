#include "document/SerialNumber.h"

#include <algorithm>

namespace kestrix {

namespace {
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
}  // namespace

bool AdvanceSerial(LabelElement& e) {
    if (e.nSerialMode != kSerialIncrement && e.nSerialMode != kSerialDecrement) return false;
    const int length = static_cast<int>(std::find(e.str, e.str + kStrUnits, u'\0') - e.str);
    if (length == 0 || !IsDigit(e.str[length - 1])) return false;
    const bool up = e.nSerialMode == kSerialIncrement;
    const char16_t wrapFrom = up ? u'9' : u'0';
    const char16_t wrapTo = up ? u'0' : u'9';
    for (int i = length - 1; i >= 0 && IsDigit(e.str[i]); --i) {
        if (e.str[i] != wrapFrom) {
            e.str[i] = static_cast<char16_t>(e.str[i] + (up ? 1 : -1));
            return true;
        }
        e.str[i] = wrapTo;  // the carry (or borrow) moves left
    }
    return true;
}

bool LabelHasSerials(const std::vector<LabelElement>& elements) {
    return std::any_of(elements.begin(), elements.end(),
                       [](const LabelElement& e) { return e.nSerialMode != kNoSerial; });
}

}  // namespace kestrix
