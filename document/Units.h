#pragma once
// Conversions between millimetres, printer dots and canvas pixels.

#include <algorithm>
#include <limits>

namespace kestrix {

constexpr int kDefaultDpi = 203;

// Truncated toward zero; a typed size far beyond any label saturates instead
// of overflowing.
inline int SaturatedInt(double v) {
    return static_cast<int>(
        std::clamp(v, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

// Whole dots for a length in millimetres.
inline int MmToDots(int mm, int dpi) { return SaturatedInt(double(mm) * dpi * (1.0 / 25.4) + 0.5); }
// Whole millimetres for a length in dots.
inline int DotsToMm(int dots, int dpi) { return SaturatedInt(dots * 25.4 / dpi + 0.5); }
// The label size in dots as drawn: not rounded to a whole dot.
inline double LabelDots(int mm, int dpi) { return dpi * mm * 0.03937007874015748 + 0.5; }
// Whole dots of the output target for a label size.
inline int TargetDots(int mm, int dpi) { return static_cast<int>(dpi * mm / 25.4 + 0.5); }

}  // namespace kestrix
