#pragma once
// What the renderers need besides the painter and the element: the display
// scale, whether the drawing is for output, and the caches.

namespace kestrix {

class CodeImageCache;
class PictureCache;

struct RenderContext {
    // Canvas pixels per dot; both 1.0 for output (output coordinates are dots).
    double scaleX = 1.0;
    double scaleY = 1.0;
    // Output form: dots, no selection handles, opaque text cells.
    bool forOutput = false;
    // Reduce pictures to black and white (error diffusion) before drawing them.
    bool monoPictures = false;
    // The display scale in force while drawing for output: line end points are
    // held in canvas pixels and are turned back into dots with it.
    double viewScaleX = 1.0;
    double viewScaleY = 1.0;
    // Encoded barcode and 2D code images, behind each element's hCache (required).
    CodeImageCache* codes = nullptr;
    // Decoded picture files (optional; without it every draw reads the file).
    PictureCache* pictures = nullptr;

    // The scale in force: output draws in dots whatever the display scale.
    double ScaleX() const { return forOutput ? 1.0 : scaleX; }
    double ScaleY() const { return forOutput ? 1.0 : scaleY; }
};

}  // namespace kestrix
