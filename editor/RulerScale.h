#pragma once
// The millimetre scale of a ruler band: where the ticks go for a canvas of a
// given size, position and label length.

#include <vector>

namespace kestrix {

// Ruler positions are drawn this far into the band: scale 0 sits at band + origin.
constexpr int kRulerBand = 24;

struct RulerSpacing {
    int pixels;       // pixels per tick
    int remainder;    // pixels left over, spent one per tick from the origin
    int millimetres;  // millimetres per tick
};

struct RulerTick {
    int pos;     // in ruler coordinates (band offset included)
    bool major;  // every tenth tick, with its value written
    int value;   // millimetres from the canvas edge
};

// Ticks every millimetre, or every 2 mm when that would put them under 4 pixels apart.
RulerSpacing RulerSpacingFor(int viewLen, int labelMm);

// Every tick of one band: from the origin (the canvas edge inside the view)
// towards the far end while inside `clientLen` - band, then back towards 0.
std::vector<RulerTick> RulerTicks(int viewLen, int labelMm, int origin, int clientLen);

}  // namespace kestrix
