#pragma once
// Where drawing would put pixels, without putting any: a paint device of a
// given size that only gathers the bounding rectangle of what is drawn on it,
// through the same drawing calls the raster gets. Pens, transforms and glyph
// outlines are followed; a margin covers the rasterizer's rounding.

#include <QPaintDevice>
#include <QRect>
#include <memory>

namespace kestrix {

class PaintedArea : public QPaintDevice {
public:
    explicit PaintedArea(QSize size);
    ~PaintedArea() override;

    QPaintEngine* paintEngine() const override;
    // Everything drawn since the last Reset, in device pixels (may reach
    // beyond the device).
    QRect Bounds() const;
    void Reset();
    // Whether a painter draws on a PaintedArea, so pixels need not be made.
    static bool IsArea(const QPaintDevice* device);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    QSize size_;
    std::unique_ptr<Engine> engine_;
};

}  // namespace kestrix
