#include "render/ShapeDrawing.h"

#include <algorithm>

#include "document/ElementMove.h"
#include "render/RenderGeometry.h"
#include "render/SelectionHandles.h"

namespace kestrix {

namespace {

// Pens wider than this cover any label many times over.
constexpr int kMaxPenWidth = 4000;

QPen ElementPen(const LabelElement& e) {
    QPen pen(Qt::black, std::clamp(e.nLineWidth, 0, kMaxPenWidth), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

// The outline of one shape kind in box coordinates; nothing for unknown kinds.
void DrawOutline(QPainter& painter, const LabelElement& e, const DeviceBox& b, double scaleX) {
    const int L = b.left, T = b.top, W = b.width, H = b.height;
    // GDI's figures leave out their right and bottom edge.
    const QRect frame(L, T, W - 1, H - 1);
    switch (e.nShapeType) {
    case 0: painter.drawRect(frame); break;
    case 1: painter.drawRoundedRect(frame, e.nCornerSize / 2.0, e.nCornerSize / 2.0); break;
    case 2: painter.drawEllipse(frame); break;
    case 3: {
        const int apex = e.nEndX == -1 ? L + W / 2 : TruncToInt(e.nEndX * scaleX + L);
        const QPoint pts[] = {{apex, T}, {L, T + H}, {L + W, T + H}, {apex, T}};
        painter.drawPolyline(pts, 4);
        break;
    }
    case 4: {
        const QPoint pts[] = {{L + W / 2, T}, {L, T + H / 2}, {L + W / 2, T + H}, {L + W, T + H / 2}, {L + W / 2, T}};
        painter.drawPolyline(pts, 5);
        break;
    }
    default: break;
    }
}

}  // namespace

void DrawShapeElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const double sx = ctx.ScaleX();
    const double sy = ctx.ScaleY();
    const DeviceBox box = ElementBox(e, sx, sy);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(ElementPen(e));
    painter.setBrush(Qt::NoBrush);
    DrawOutline(painter, e, box, sx);
    painter.restore();
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Box, box.left, box.top, box.width, box.height, &e);
}

void DrawRotatedShapeElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const double sx = ctx.ScaleX();
    const double sy = ctx.ScaleY();
    const int rotation = NormalizedEscapement(e.nEscapement);
    const DeviceBox box = ElementBox(e, sx, sy);
    const DeviceBox turned = RotatedBox(e, sx, sy, rotation);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(ElementPen(e));
    painter.setBrush(Qt::NoBrush);
    if (e.nShapeType == 0) {
        painter.drawRect(QRect(turned.left, turned.top, turned.width - 1, turned.height - 1));
    } else {
        if (rotation == 900 || rotation == 1800 || rotation == 2700)
            painter.setWorldTransform(ToQTransform(RotationXform(rotation, box.centerX, box.centerY)), true);
        DrawOutline(painter, e, box, sx);
    }
    painter.restore();
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Box, turned.left, turned.top, turned.width, turned.height, &e);
}

void DrawLineElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(ElementPen(e));
    if (ctx.forOutput) {
        const double vx = ctx.viewScaleX > 0 ? ctx.viewScaleX : 1.0;
        const double vy = ctx.viewScaleY > 0 ? ctx.viewScaleY : 1.0;
        const DeviceBox start = ElementBox(e, 1.0, 1.0);
        painter.drawLine(QPoint(start.left, start.top), LineEndDots(e, {vx, vy}));
    } else {
        const QPoint start(LinePixel(e.nPosX, ctx.scaleX), LinePixel(e.nPosY, ctx.scaleY));
        const QPoint end(TruncToInt(e.nEndX), TruncToInt(e.nEndY));
        if (e.bSelected) {
            const int side = std::clamp(e.nLineWidth, 0, kMaxPenWidth) + 2;
            painter.fillRect(start.x() - 2, start.y() - 2, side, side, QColor(0x0A, 0x0A, 0x0A));
            painter.fillRect(end.x(), end.y(), side, side, QColor(0x0A, 0x0A, 0x0A));
        }
        painter.drawLine(start, end);
    }
    painter.restore();
}

}  // namespace kestrix
