#include "render/PaintedArea.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <cmath>

namespace kestrix {

namespace {
// Aliased rasterizing rounds to whole pixels; a glyph's bitmap may stand a
// pixel off its outline.
constexpr int kMargin = 2;
}  // namespace

class PaintedArea::Engine : public QPaintEngine {
public:
    Engine() : QPaintEngine(AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override {
        if (state.state() & DirtyTransform) transform_ = state.transform();
        if (state.state() & DirtyPen) pen_ = state.pen();
    }

    void drawPath(const QPainterPath& path) override { AddStroked(path.controlPointRect()); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
        AddStroked(QPolygonF(QList<QPointF>(points, points + count)).boundingRect());
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i) polygon << points[i];
        drawPolygon(polygon.constData(), count, mode);
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) AddStroked(rects[i]);
    }
    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count; ++i) AddStroked(QRectF(rects[i]));
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) AddStroked(QRectF(lines[i].p1(), lines[i].p2()).normalized());
    }
    void drawLines(const QLine* lines, int count) override {
        for (int i = 0; i < count; ++i) AddStroked(QRectF(QPointF(lines[i].p1()), QPointF(lines[i].p2())).normalized());
    }
    void drawEllipse(const QRectF& rect) override { AddStroked(rect); }
    void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override { Add(rect, 0); }
    void drawImage(const QRectF& rect, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        Add(rect, 0);
    }
    void drawTiledPixmap(const QRectF& rect, const QPixmap&, const QPointF&) override { Add(rect, 0); }
    // The glyphs' own boxes, as the font's metrics give them: far cheaper
    // than their outlines.
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QFontMetricsF metrics(item.font());
        const QRectF ink = metrics.boundingRect(item.text());
        const QRectF cell(0, -item.ascent(), item.width(), item.ascent() + item.descent());
        Add((ink | cell).translated(at), 0);
    }

    QRect bounds;

private:
    // A shape drawn with the current pen (a brush fill draws within the shape).
    void AddStroked(const QRectF& rect) {
        const bool stroked = pen_.style() != Qt::NoPen;
        const double width = pen_.widthF() > 0 ? pen_.widthF() : 1.0;
        Add(rect, stroked ? width : 0);
    }
    void Add(const QRectF& rect, double penWidth) {
        // The pen is scaled with the shape; its largest stretch bounds it.
        const double stretch =
            std::max(std::hypot(transform_.m11(), transform_.m12()), std::hypot(transform_.m21(), transform_.m22()));
        const int grow = kMargin + static_cast<int>(std::ceil(penWidth * stretch / 2));
        bounds |= transform_.mapRect(rect).toAlignedRect().adjusted(-grow, -grow, grow, grow);
    }

    QTransform transform_;
    QPen pen_;
};

PaintedArea::PaintedArea(QSize size) : size_(size), engine_(std::make_unique<Engine>()) {}

PaintedArea::~PaintedArea() = default;

QPaintEngine* PaintedArea::paintEngine() const { return engine_.get(); }

QRect PaintedArea::Bounds() const { return engine_->bounds; }

void PaintedArea::Reset() { engine_->bounds = QRect(); }

bool PaintedArea::IsArea(const QPaintDevice* device) { return dynamic_cast<const PaintedArea*>(device); }

int PaintedArea::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;  // as a QImage, though fonts here are sized in pixels
    case PdmDepth: return 32;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return 0;
    }
}

}  // namespace kestrix
