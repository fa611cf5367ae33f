#include "editor/TextBoxRule.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/GdiFont.h"

namespace kestrix {

namespace {

int32_t Narrow(double value) {
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::round(value), -kMax, kMax));
}

}  // namespace

int TextUnits(const LabelElement& e, std::u16string_view text) {
    return e.nEscapement != 0 ? static_cast<int>(text.size()) : CountTextCells(text);
}

int32_t TextWidthForContent(int32_t width, int32_t height, int unitsBefore, int unitsAfter) {
    if (unitsBefore <= 0 || width == 0) return Narrow(height / 2.0 * unitsAfter);
    return Narrow(static_cast<double>(width) / unitsBefore * unitsAfter);
}

QSize TextBoxForPointSize(QSize box, int points, int dpiY, int units) {
    const int32_t height = Narrow(points * static_cast<double>(dpiY) / 72.0);
    if (box.height() <= 0 || box.width() == 0) return {Narrow(height / 2.0 * units), height};
    return {Narrow(static_cast<double>(box.width()) * height / box.height()), height};
}

int TextPointSize(int32_t height, int dpiY) { return dpiY > 0 ? Narrow(height * 72.0 / dpiY) : 0; }

}  // namespace kestrix
