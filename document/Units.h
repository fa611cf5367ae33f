#pragma once
// Conversions between millimetres, printer dots and canvas pixels.

namespace kestrix {

constexpr int kDefaultDpi = 203;

// Whole dots for a length in millimetres.
inline int MmToDots(int mm, int dpi) { return static_cast<int>(mm * dpi * (1.0 / 25.4) + 0.5); }
// Whole millimetres for a length in dots.
inline int DotsToMm(int dots, int dpi) { return static_cast<int>(dots * 25.4 / dpi + 0.5); }
// The label size in dots as drawn: not rounded to a whole dot.
inline double LabelDots(int mm, int dpi) { return dpi * mm * 0.03937007874015748 + 0.5; }
// Whole dots of the output target for a label size.
inline int TargetDots(int mm, int dpi) { return static_cast<int>(dpi * mm / 25.4 + 0.5); }

}  // namespace kestrix
