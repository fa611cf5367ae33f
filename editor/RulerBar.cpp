#include "editor/RulerBar.h"

#include <QPainter>
#include <QRegion>

#include "editor/RulerScale.h"

namespace kestrix {

namespace {
constexpr int kRegionBand = 25;
constexpr int kMajorTickFrom = 14;
constexpr int kMinorTickFrom = 17;
const QColor kTickColour(64, 128, 128);
}  // namespace

RulerBar::RulerBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
}

void RulerBar::Place(int w, int h) {
    setGeometry(0, 84, w, std::max(0, h - 104));
    setMask(QRegion(0, 0, w, h).xored(QRegion(kRegionBand, kRegionBand, w, h)));
    update();
}

void RulerBar::SetCanvasLayout(QPoint origin, QSize view, int labelWidthMm, int labelHeightMm) {
    m_nOriginX = origin.x();
    m_nOriginY = origin.y();
    m_nViewWidth = view.width();
    m_nViewHeight = view.height();
    m_nLabelWidth = labelWidthMm;
    m_nLabelHeight = labelHeightMm;
    update();
}

void RulerBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.fillRect(rect(), QColor(245, 245, 245));
    p.setPen(QColor(150, 150, 150));
    p.drawLine(1, 0, w - 1, 0);
    p.drawLine(1, 0, 1, h - 1);
    p.drawLine(kRulerBand, kRulerBand, w - 1, kRulerBand);
    p.drawLine(kRulerBand, kRulerBand, kRulerBand, h - 1);

    QFont font(QStringLiteral("宋体"), 9, QFont::Bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    p.setFont(font);
    const QFontMetrics metrics(font);
    p.setPen(kTickColour);

    for (const RulerTick& t : RulerTicks(m_nViewWidth, m_nLabelWidth, m_nOriginX, w)) {
        p.drawLine(t.pos, t.major ? kMajorTickFrom : kMinorTickFrom, t.pos, kRulerBand);
        if (!t.major) continue;
        const QString text = QString::number(t.value);
        // Centred on the tick by the width of its first digit.
        const int c = metrics.horizontalAdvance(text.at(0));
        const int left = static_cast<int>(t.pos - text.size() * c * 0.5 + 1);
        p.drawText(QRect(left, 2, 30, 13), Qt::AlignLeft | Qt::AlignTop, text);
    }
    for (const RulerTick& t : RulerTicks(m_nViewHeight, m_nLabelHeight, m_nOriginY, h)) {
        p.drawLine(t.major ? kMajorTickFrom : kMinorTickFrom, t.pos, kRulerBand, t.pos);
        if (!t.major) continue;
        const QString text = QString::number(t.value);
        const int textWidth = metrics.horizontalAdvance(text);
        // Turned to read upwards, centred on the tick.
        p.save();
        p.translate(2 + 13 / 2, t.pos);
        p.rotate(-90);
        p.drawText(QRect(-textWidth / 2, -13 / 2, textWidth + 2, 13), Qt::AlignLeft | Qt::AlignVCenter, text);
        p.restore();
    }
}

}  // namespace kestrix
