#include "editor/ResizeRules.h"

#include <algorithm>
#include <limits>

#include "render/RenderGeometry.h"

namespace kestrix {

namespace {

// Which edges a handle moves: -1 the left or top one, 1 the right or bottom one, 0 neither.
struct Sides {
    int x;
    int y;
};
constexpr int64_t kNoMinimum = std::numeric_limits<int64_t>::min();
constexpr Sides kHandleSides[8] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

int32_t Saturated(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

struct Drag {
    double dxf, dyf;  // the drag in dots
    int64_t dx, dy;   // the same, truncated
    int64_t px, py;   // the pointer in dots
};

Drag DragOf(QPoint p, QPoint down, double scaleX, double scaleY) {
    Drag d;
    d.dxf = (p.x() - down.x()) / scaleX;
    d.dyf = (p.y() - down.y()) / scaleY;
    d.dx = TruncToInt(d.dxf);
    d.dy = TruncToInt(d.dyf);
    d.px = TruncToInt(p.x() / scaleX);
    d.py = TruncToInt(p.y() / scaleY);
    return d;
}

void SizeUpright(LabelElement& e, Sides s, const Drag& d, bool corner0, int64_t minHeight) {
    const int64_t orgW = e.nOrgWidth, orgH = e.nOrgHeight;
    if (s.y == -1) {
        // The top-left corner works in whole dots; every other handle truncates the sum.
        const int64_t height = corner0 ? orgH - d.dy : TruncToInt(orgH - d.dyf);
        if (orgH - d.dyf > minHeight) {
            e.nPosY = Saturated(d.py);
            e.nHeight = Saturated(height);
        }
    } else if (s.y == 1) {
        e.nHeight = Saturated(TruncToInt(orgH + d.dyf));
    }
    if (s.x == -1) {
        e.nPosX = Saturated(d.px);
        e.nWidth = Saturated(corner0 ? orgW - d.dx : TruncToInt(orgW - d.dxf));
    } else if (s.x == 1) {
        e.nWidth = Saturated(TruncToInt(orgW + d.dxf));
    }
}

void SizeHalfTurn(LabelElement& e, Sides s, const Drag& d, bool corner0) {
    const int64_t x = s.x == -1 ? e.nOrgPosX + d.dx : e.nPosX;
    const int64_t y = s.y == -1 ? e.nOrgPosY + d.dy : e.nPosY;
    const int64_t w = s.x == 0 ? e.nWidth : e.nOrgWidth + s.x * d.dx;
    const int64_t h = s.y == 0 ? e.nHeight : e.nOrgHeight + s.y * d.dy;
    if (corner0 && (w <= 0 || h <= 0)) return;
    e.nPosX = Saturated(x);
    e.nPosY = Saturated(y);
    e.nWidth = Saturated(w);
    e.nHeight = Saturated(h);
}

// The shown box is nHeight wide and nWidth high about the element's centre;
// the centre moves by half of each change so the opposite side stays.
void SizeQuarterTurn(LabelElement& e, Sides s, const Drag& d) {
    const int64_t orgW = e.nOrgWidth, orgH = e.nOrgHeight;
    int64_t shownW = e.nHeight, shownH = e.nWidth;
    if (s.x != 0) {
        const int64_t w = orgH + s.x * d.dx;
        if (s.x == 1 || w > 0) shownW = w;
    }
    if (s.y != 0) {
        const int64_t h = orgW + s.y * d.dy;
        if (s.y == 1 || h > 0) shownH = h;
    }
    const int64_t growW = shownW - orgH;  // change of the shown width
    const int64_t growH = shownH - orgW;  // change of the shown height
    e.nWidth = Saturated(shownH);
    e.nHeight = Saturated(shownW);
    e.nPosX = Saturated(e.nOrgPosX + (s.x * growW - growH) / 2);
    e.nPosY = Saturated(e.nOrgPosY + (s.y * growH - growW) / 2);
}

void SizeBox(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY, int64_t minTopHeight) {
    if (e.nSize < 0 || e.nSize > 7) return;
    const Sides sides = kHandleSides[e.nSize];
    const Drag d = DragOf(p, down, scaleX, scaleY);
    const bool corner0 = e.nSize == 0;
    switch (NormalizedEscapement(e.nEscapement)) {
    case 900:
    case 2700: SizeQuarterTurn(e, sides, d); break;
    case 1800: SizeHalfTurn(e, sides, d, corner0); break;
    default: SizeUpright(e, sides, d, corner0, e.nSize == 1 ? minTopHeight : kNoMinimum); break;
    }
}

}  // namespace

void SizeFont(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY) {
    SizeBox(e, p, down, scaleX, scaleY, kNoMinimum);
}

void SizePicture(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY) {
    SizeBox(e, p, down, scaleX, scaleY, kNoMinimum);
}

void SizeRectangle(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY) {
    SizeBox(e, p, down, scaleX, scaleY, kNoMinimum);
}

void SizeBarcode(LabelElement& e, QPoint p, QPoint down, double scaleX, double scaleY) {
    SizeBox(e, p, down, scaleX, scaleY, int64_t{e.nTextHeight} + 20);
}

}  // namespace kestrix
