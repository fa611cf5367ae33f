#include "AppIcon.h"

#include "GlyphKit.h"

#include <QLinearGradient>

#include <array>

namespace kestrix::icons {

QImage PaintAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Designed on a 64-unit grid.
    const qreal u = size / 64.0;
    auto r = [u](qreal x, qreal y, qreal w, qreal h) {
        return QRectF(qRound(x * u), qRound(y * u), qRound((x + w) * u) - qRound(x * u),
                      qRound((y + h) * u) - qRound(y * u));
    };
    const bool tiny = size < 32;

    // Domed lid behind the body, as on desktop thermal printers.
    if (!tiny) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x56, 0x6C, 0x82));
        p.drawRoundedRect(r(9, 7, 46, 14), 7 * u, 7 * u);
    }
    // Printer body.
    QLinearGradient bodyShade(0, 14 * u, 0, 44 * u);
    bodyShade.setColorAt(0, QColor(0x46, 0x5B, 0x70));
    bodyShade.setColorAt(1, kSlate);
    p.setPen(Qt::NoPen);
    p.setBrush(bodyShade);
    p.drawRoundedRect(r(3, 12, 58, 32), 7 * u, 7 * u);
    // Lid seam and the teal status light.
    if (!tiny) p.fillRect(r(9, 21, 46, 1), QColor(0x5C, 0x71, 0x86));
    p.setBrush(kTeal);
    p.drawEllipse(r(48, 15, 5, 4));
    // Output slot.
    p.fillRect(r(12, 35, 40, 3), QColor(0x1A, 0x24, 0x2E));

    // The label coming out of the slot.
    const QRectF label = r(15, 36, 34, 26);
    p.setBrush(kPaper);
    p.setPen(QPen(QColor(0x1A, 0x24, 0x2E, tiny ? 110 : 90), qMax(1.0, u * 0.75)));
    p.drawRoundedRect(label.adjusted(0, -2 * u, 0, 0), 2 * u, 2 * u);
    p.setPen(Qt::NoPen);
    p.fillRect(r(12, 35, 40, 2), QColor(0x1A, 0x24, 0x2E));

    // Teal heading band and barcode on the label.
    p.fillRect(r(19, 40, 26, 4), kTeal);
    if (tiny) {
        for (int x : {5, 7, 9, 10}) p.fillRect(QRectF(x, 13, 1, 2), kSlate);
        return image;
    }
    if (size < 64) {
        // One character per pixel column, so the bars stay sharp and apart.
        const QString modules = size < 40 ? QStringLiteral("1101011001011") : QStringLiteral("1101001101100101011");
        const int x0 = qRound(32 * u - modules.size() / 2.0);
        const QRectF rows = r(19, 47, 26, 11);
        for (int i = 0; i < modules.size(); ++i)
            if (modules[i] == '1') p.fillRect(QRectF(x0 + i, rows.top(), 1, rows.height()), kSlate);
        return image;
    }
    static constexpr std::array<std::array<qreal, 2>, 12> kBars{{
        {19, 1.5},
        {21.5, 1},
        {23.5, 2.5},
        {27, 1},
        {29, 1.5},
        {31.5, 2.5},
        {35, 1},
        {37, 1.5},
        {39, 1},
        {40.5, 2},
        {43.5, 1},
        {45, 0.5},
    }};
    for (const auto& bar : kBars) p.fillRect(QRectF(bar[0] * u, 47 * u, bar[1] * u, 11 * u), kSlate);
    return image;
}

}  // namespace kestrix::icons
