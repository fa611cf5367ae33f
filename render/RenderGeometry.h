#pragma once
// Where an element lands in device units: its box at the current scale, the
// box turned about its centre, the rotation transforms about that centre, the
// origin of turned text, and the eight selection-handle points.

#include <QTransform>
#include <array>

#include "document/LabelElement.h"

namespace kestrix {

// Truncates toward zero into int range, so damaged records cannot overflow.
inline int TruncToInt(double v) {
    constexpr double kLimit = 1e8;
    return static_cast<int>(v < -kLimit ? -kLimit : (v > kLimit ? kLimit : v));
}

// An element's box in device units (canvas pixels on screen, dots on output).
struct DeviceBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int centerX = 0;
    int centerY = 0;
};

// L, T, W, H and the centre of an element at the given scale (truncated).
DeviceBox ElementBox(const LabelElement& e, double scaleX, double scaleY);

// The box turned about its centre for 900/2700 (sides swapped), kept for 1800,
// unchanged for any other rotation. `rotation` is already normalised.
DeviceBox RotatedBox(const LabelElement& e, double scaleX, double scaleY, int rotation);

// Images turn clockwise, elements counter-clockwise: the clockwise angle in
// degrees that turns an image with an element of `rotation` (900 -> 270,
// 1800 -> 180, 2700 -> 90), 0 for any other rotation.
int ClockwiseDegrees(int rotation);

// The six fields of a GDI world transform.
struct WorldXform {
    double eM11 = 0, eM12 = 0, eM21 = 0, eM22 = 0, eDx = 0, eDy = 0;
};

// The turn about (cx, cy) for 900, 1800 and 2700; all zeros for anything else.
WorldXform RotationXform(int rotation, int cx, int cy);
// The same mapping as a QTransform (x' = x*eM11 + y*eM21 + eDx, ...).
QTransform ToQTransform(const WorldXform& x);

// Where turned text starts so that it stays centred on the element's box.
QPoint RotatedTextOrigin(int rotation, const DeviceBox& box);

// The three handle layouts: they differ only in their middle and right columns.
enum class HandleStyle { Text, Box, Code };

// The eight handle points (top-left corners of 4x4 squares) in nSize order.
std::array<HandlePoint, 8> HandlePoints(HandleStyle style, int left, int top, int width, int height);

}  // namespace kestrix
