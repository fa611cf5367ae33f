#include "render/RenderGeometry.h"

namespace kestrix {

DeviceBox ElementBox(const LabelElement& e, double scaleX, double scaleY) {
    DeviceBox b;
    b.left = TruncToInt(e.nPosX * scaleX);
    b.top = TruncToInt(e.nPosY * scaleY);
    b.width = TruncToInt(e.nWidth * scaleX);
    b.height = TruncToInt(e.nHeight * scaleY);
    b.centerX = TruncToInt(b.left + e.nWidth * scaleX * 0.5);
    b.centerY = TruncToInt(b.top + e.nHeight * scaleY * 0.5);
    return b;
}

DeviceBox RotatedBox(const LabelElement& e, double scaleX, double scaleY, int rotation) {
    DeviceBox b = ElementBox(e, scaleX, scaleY);
    if (rotation == 900 || rotation == 2700) {
        const int w = b.width;
        const int h = b.height;
        b.left = b.centerX - h / 2;
        b.top = b.centerY - w / 2;
        b.width = TruncToInt(e.nHeight * scaleX);
        b.height = TruncToInt(e.nWidth * scaleY);
    } else if (rotation == 1800) {
        b.left = b.centerX - b.width / 2;
        b.top = b.centerY - b.height / 2;
    }
    return b;
}

WorldXform RotationXform(int rotation, int cx, int cy) {
    switch (rotation) {
    case 900: return {0, -1, 1, 0, double(cx - cy), double(cx + cy)};
    case 1800: return {-1, 0, 0, -1, 2.0 * cx, 2.0 * cy};
    case 2700: return {0, 1, -1, 0, double(cx + cy), double(cy - cx)};
    default: return {};
    }
}

QTransform ToQTransform(const WorldXform& x) { return QTransform(x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy); }

QPoint RotatedTextOrigin(int rotation, const DeviceBox& b) {
    const int L = b.left, T = b.top, W = b.width, H = b.height;
    switch (rotation) {
    case 900: return {L + (W / 2 - H / 2), T + W / 2 + H / 2};
    case 1800: return {L + W, T + H};
    case 2700: return {L + W / 2 + H / 2, T + H / 2 - W / 2};
    default: return {L, T};
    }
}

std::array<HandlePoint, 8> HandlePoints(HandleStyle style, int L, int T, int W, int H) {
    int middle = L + W / 2;
    int right = L + W + 4;
    if (style == HandleStyle::Text) right = L + W + 8;
    if (style == HandleStyle::Code) middle = L + (W + 16) / 2;
    const int left = L - 8;
    const int topRow = T - 8;
    const int bottomRow = T + H + 2;
    return {{{left, topRow},
             {middle, topRow},
             {right, topRow},
             {left, T + H / 2 - 2},
             {right, T + H / 2 - 4},
             {left, bottomRow},
             {middle, bottomRow},
             {right, bottomRow}}};
}

int ClockwiseDegrees(int rotation) {
    switch (rotation) {
    case 900: return 270;
    case 1800: return 180;
    case 2700: return 90;
    default: return 0;
    }
}

}  // namespace kestrix
