#include "render/CodeImage.h"

#include <algorithm>
#include <cstring>

namespace kestrix {

namespace {

int Module(const std::vector<int>& ends, int full) {
    return static_cast<int>(std::upper_bound(ends.begin(), ends.end(), full) - ends.begin());
}

}  // namespace

CodeImage CodeImage::Magnified(QImage modules, int factor) {
    if (factor < 1) return {};
    CodeImage code = FromFull(modules);
    for (int& end : code.columnEnds_) end *= factor;
    for (int& end : code.rowEnds_) end *= factor;
    return code;
}

CodeImage CodeImage::FromFull(const QImage& full) {
    CodeImage code;
    if (full.isNull()) return code;
    const QImage image = full.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    std::vector<int> keptRows;
    for (int y = 0; y < h; ++y) {
        const bool same = y > 0 && std::memcmp(image.constScanLine(y), image.constScanLine(y - 1), w * 4) == 0;
        if (same)
            code.rowEnds_.back() = y + 1;
        else {
            keptRows.push_back(y);
            code.rowEnds_.push_back(y + 1);
        }
    }
    std::vector<int> keptColumns;
    for (int x = 0; x < w; ++x) {
        bool same = x > 0;
        for (int row : keptRows) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
            if (!same || line[x] != line[x - 1]) {
                same = false;
                break;
            }
        }
        if (same)
            code.columnEnds_.back() = x + 1;
        else {
            keptColumns.push_back(x);
            code.columnEnds_.push_back(x + 1);
        }
    }
    code.modules_ =
        QImage(static_cast<int>(keptColumns.size()), static_cast<int>(keptRows.size()), QImage::Format_RGB32);
    for (std::size_t r = 0; r < keptRows.size(); ++r) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(keptRows[r]));
        auto* out = reinterpret_cast<QRgb*>(code.modules_.scanLine(static_cast<int>(r)));
        for (std::size_t c = 0; c < keptColumns.size(); ++c) out[c] = in[keptColumns[c]];
    }
    return code;
}

QSize CodeImage::FullSize() const {
    if (IsNull()) return {};
    return {columnEnds_.back(), rowEnds_.back()};
}

QRgb CodeImage::FullPixel(int x, int y) const {
    return reinterpret_cast<const QRgb*>(modules_.constScanLine(ModuleRow(y)))[ModuleColumn(x)];
}

int CodeImage::ModuleColumn(int x) const { return Module(columnEnds_, x); }
int CodeImage::ModuleRow(int y) const { return Module(rowEnds_, y); }

}  // namespace kestrix
