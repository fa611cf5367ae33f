#include "render/Ean13Drawing.h"

#include "render/GdiFont.h"
#include "render/InvalidCodeMark.h"
#include "render/RenderGeometry.h"
#include "render/SelectionHandles.h"

namespace kestrix {

namespace {

constexpr int kModules = 95;

bool IsGuard(int i) { return i == 0 || i == 2 || i == 46 || i == 48 || i == 92 || i == 94; }

// Draws the code (or the invalid mark) into `rect` in the painter's current
// coordinates.
void DrawContent(QPainter& painter, const LabelElement& e, const QRect& rect, bool forOutput) {
    const Ean13Code code(ElementText(e));
    if (code.IsValid())
        Ean13Draw(painter, code, rect, !forOutput);
    else if (!forOutput)
        DrawInvalidCodeMark(painter, rect, QStringLiteral("invalid EAN-13"));
}

}  // namespace

void Ean13Draw(QPainter& painter, const Ean13Code& code, const QRect& r, bool antialias) {
    if (!code.IsValid() || r.width() <= 0 || r.height() <= 0) return;
    const int left = r.x(), top = r.y(), bottom = r.y() + r.height();
    painter.fillRect(r, Qt::white);

    // Below 102 pixels u is 0: the bars then come from the extra pixels alone.
    const int u = r.width() / (kModules + 7);
    const int rem = r.width() % (kModules + 7);
    int extra[2] = {rem / 2, rem - rem / 2};
    int acc = 0;
    int x47 = 0, x94 = 0;
    const QString& modules = code.Modules();
    for (int i = 0; i < kModules; ++i) {
        const int x = left + 7 * u + i * u;
        if (i == 47) x47 = x + acc;
        if (i == 94) x94 = x + acc;
        int& pool = extra[i < 47 ? 0 : 1];
        const int got = pool > 0 ? 1 : 0;
        pool -= got;
        acc += got;
        if (modules[i] != u'1') continue;
        const int barBottom = bottom - (IsGuard(i) ? 3 * u : 10 * u);
        if (barBottom > top) painter.fillRect(x + acc, top, u + got, barBottom - top, Qt::black);
    }

    LogFont lf{};
    lf.lfHeight = rem > 0 ? 7 * (u + 1) : 7 * u;
    lf.lfWeight = 400;
    lf.lfPitchAndFamily = 0x20;
    SetFaceName(lf, u"Consolas");
    const QString& digits = code.Digits();
    const int bandTop = bottom - 10 * u;
    // Each text is clipped to its rectangle, as DrawTextW does without DT_NOCLIP;
    // the font can be taller than the band.
    const auto drawIn = [&](const QString& text, int from, int to, bool alignRight) {
        const GdiFont font(lf, text, antialias);
        const int width = font.Extent().width();
        const int x = alignRight ? to - width : from + (to - from - width) / 2;
        painter.save();
        painter.setClipRect(QRect(from, bandTop, to - from, bottom - bandTop), Qt::IntersectClip);
        font.Draw(painter, {x, bandTop}, 0, false);
        painter.restore();
    };
    drawIn(digits.left(1), left, left + 7 * u, true);
    drawIn(digits.mid(1, 6), left + 10 * u, x47, false);
    drawIn(digits.mid(7, 6), x47, x94, false);
}

void DrawEan13Element(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const double sx = ctx.ScaleX();
    const double sy = ctx.ScaleY();
    const DeviceBox box = ElementBox(e, sx, sy);
    const QRect rect(box.left, box.top, box.width, box.height);
    DrawContent(painter, e, rect, ctx.forOutput);
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Code, box.left, box.top, box.width, box.height, &e);
}

void DrawRotatedEan13Element(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const double sx = ctx.ScaleX();
    const double sy = ctx.ScaleY();
    const int rotation = NormalizedEscapement(e.nEscapement);
    const DeviceBox turned = RotatedBox(e, sx, sy, rotation);
    // Drawn upright about the origin, then turned onto the box centre.
    const bool sideways = rotation == 900 || rotation == 2700;
    const QPointF center(turned.left + turned.width / 2.0, turned.top + turned.height / 2.0);
    painter.save();
    painter.translate(center);
    painter.rotate(-rotation / 10.0);
    const int w = sideways ? turned.height : turned.width;
    const int h = sideways ? turned.width : turned.height;
    DrawContent(painter, e, QRect(-w / 2, -h / 2, w, h), ctx.forOutput);
    painter.restore();
    if (e.bSelected && !ctx.forOutput)
        DrawSelectionHandles(painter, HandleStyle::Code, turned.left, turned.top, turned.width, turned.height, &e);
}

}  // namespace kestrix
