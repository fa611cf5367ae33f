#include "editor/RulerScale.h"

namespace kestrix {

RulerSpacing RulerSpacingFor(int viewLen, int labelMm) {
    if (labelMm <= 0 || viewLen <= 0) return {0, 0, 1};
    RulerSpacing s{viewLen / labelMm, viewLen % labelMm, 1};
    if (s.pixels < 4) {
        s.millimetres = 2;
        int ticks = labelMm / 2;
        // A canvas far smaller than its label in mm: widen the step until ticks are apart.
        while (ticks > 0 && viewLen / ticks == 0) {
            s.millimetres *= 5;
            ticks = labelMm / s.millimetres;
        }
        if (ticks == 0) ticks = 1;
        s.pixels = viewLen / ticks;
        s.remainder = viewLen % ticks;
    }
    return s;
}

std::vector<RulerTick> RulerTicks(int viewLen, int labelMm, int origin, int clientLen) {
    std::vector<RulerTick> ticks;
    RulerSpacing s = RulerSpacingFor(viewLen, labelMm);
    if (s.pixels <= 0) return ticks;

    auto addTick = [&](int& x, int k, int v) {
        if (s.remainder > 0) {
            ++x;
            --s.remainder;
        }
        ticks.push_back({x + kRulerBand, k % 10 == 0, v});
    };
    {
        int x = origin;
        for (int k = 0, v = 0; x < clientLen - kRulerBand; ++k, v += s.millimetres, x += s.pixels) addTick(x, k, v);
    }
    if (origin > 0) {
        int x = origin;
        for (int k = 0, v = 0; x > 0; ++k, v += s.millimetres, x -= s.pixels)
            if (x != origin) addTick(x, k, v);
    }
    return ticks;
}

}  // namespace kestrix
