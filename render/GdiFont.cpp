#include "render/GdiFont.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kestrix {

namespace {

// Fonts beyond this cell height (device units) are drawn at it: nothing on a
// label is taller, and glyph rendering cost grows with the size.
constexpr int kMaxCellHeight = 4000;
// GDI's choice for lfHeight 0: a default-sized font.
constexpr int kDefaultEmHeight = 16;
// Metrics are taken at a large size so the fit does not suffer from rounding.
constexpr int kReferenceEm = 256;

// Qt resolves a font (face matching, engine loading) anew for every new font
// object, which was most of a text's cost; resolved ones are kept per face,
// style and size, per thread as Qt's font objects are.
QFont Resolved(const QFont& wanted) {
    constexpr qsizetype kMaxKept = 256;
    thread_local QHash<QString, QFont> kept;
    const QString key = wanted.key();
    auto it = kept.constFind(key);
    if (it != kept.cend()) return *it;
    if (kept.size() >= kMaxKept) kept.clear();
    return *kept.insert(key, wanted);
}

}  // namespace

QList<QRect> PieceDifferences(const std::vector<TextPiece>& before, const std::vector<TextPiece>& now) {
    QList<QRect> areas;
    const bool alike = before.size() == now.size();
    for (std::size_t i = 0; i < std::max(before.size(), now.size()); ++i) {
        if (alike && before[i] == now[i]) continue;
        if (i < before.size()) areas << before[i].area;
        if (i < now.size()) areas << now[i].area;
    }
    return areas;
}

int CountTextCells(std::u16string_view text) {
    int cells = 0;
    for (char16_t c : text) cells += ((c & 0xFF) != 0) + ((c >> 8) != 0);
    return cells;
}

void InstallFontSubstitutes() {
    const QString song = QString::fromUtf16(u"\u5b8b\u4f53");  // 宋体
    if (!QFont::substitutes(song).isEmpty()) return;
    // A Ming face first: its Latin letters are half the width of its ideographs,
    // which is the cell model the labels were laid out with.
    const QStringList ming = {QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei Mono"),
                              QStringLiteral("DejaVu Sans")};
    const QStringList hei = {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("AR PL UMing CN"),
                             QStringLiteral("DejaVu Sans")};
    const QStringList mono = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("WenQuanYi Micro Hei Mono")};
    for (const char16_t* face :
         {u"\u65b0\u5b8b\u4f53", u"SimSun", u"NSimSun", u"\u4eff\u5b8b", u"\u6977\u4f53", u"FangSong", u"KaiTi"})
        QFont::insertSubstitutions(QString::fromUtf16(face), ming);
    QFont::insertSubstitutions(song, ming);
    for (const char16_t* face : {u"\u9ed1\u4f53", u"SimHei", u"\u5fae\u8f6f\u96c5\u9ed1", u"Microsoft YaHei"})
        QFont::insertSubstitutions(QString::fromUtf16(face), hei);
    for (const char16_t* face : {u"Consolas", u"Courier New", u"Courier"})
        QFont::insertSubstitutions(QString::fromUtf16(face), mono);
    for (const char16_t* face : {u"Arial", u"Tahoma", u"Verdana", u"MS Shell Dlg", u"MS Shell Dlg 2"})
        QFont::insertSubstitution(QString::fromUtf16(face), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("DejaVu Serif"));
}

GdiFont::GdiFont(const LogFont& lf, const QString& text, bool antialias) {
    // The same text is set again and again while copies are made (measured,
    // then drawn in each redrawn area): the fonts last made are kept.
    constexpr qsizetype kMaxKept = 64;
    thread_local QHash<QByteArray, GdiFont> made;
    QByteArray key(reinterpret_cast<const char*>(&lf), sizeof lf);
    key += char(antialias);
    key += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    if (auto it = made.constFind(key); it != made.cend()) {
        *this = *it;
        return;
    }
    Build(lf, text, antialias);
    if (made.size() >= kMaxKept) made.clear();
    made.insert(key, *this);
}

void GdiFont::Build(const LogFont& lf, const QString& text, bool antialias) {
    text_ = text;
    antialias_ = antialias;
    InstallFontSubstitutes();
    const QString face = QString::fromStdU16String(FaceName(lf));
    if (!face.isEmpty()) font_.setFamilies({face});
    const int weight = lf.lfWeight <= 0 ? 400 : std::clamp(lf.lfWeight, 100, 900);
    font_.setWeight(static_cast<QFont::Weight>(weight));
    font_.setItalic(lf.lfItalic != 0);
    font_.setUnderline(lf.lfUnderline != 0);
    font_.setStrikeOut(lf.lfStrikeOut != 0);
    font_.setKerning(false);
    font_.setHintingPreference(QFont::PreferNoHinting);
    font_.setStyleStrategy(antialias ? QFont::PreferAntialias : QFont::NoAntialias);

    // lfHeight > 0 asks for a cell height: find the em size giving it.
    const long long wanted = std::llabs(static_cast<long long>(lf.lfHeight));
    const int height = static_cast<int>(std::min<long long>(wanted, kMaxCellHeight));
    int em = lf.lfHeight == 0 ? kDefaultEmHeight : height;
    font_.setPixelSize(kReferenceEm);
    const QFontMetricsF reference(Resolved(font_));
    const double cellPerEm = (reference.ascent() + reference.descent()) / kReferenceEm;
    if (lf.lfHeight > 0 && cellPerEm > 0) em = std::max(1, static_cast<int>(std::lround(height / cellPerEm)));
    font_.setPixelSize(std::clamp(em, 1, kMaxCellHeight));
    font_ = Resolved(font_);

    const QFontMetricsF metrics(font_);
    ascent_ = metrics.ascent();
    naturalHeight_ = metrics.ascent() + metrics.descent();
    naturalWidth_ = metrics.horizontalAdvance(text_);
    if (lf.lfHeight > 0 && naturalHeight_ > 0) scaleY_ = height / naturalHeight_;
    scaleX_ = scaleY_;
    // lfWidth is the average character width: one cell per half-width character.
    const long long avgWidth = std::min<long long>(std::llabs(static_cast<long long>(lf.lfWidth)), kMaxCellHeight);
    const int cells = CountTextCells(text_.toStdU16String());
    if (avgWidth > 0 && cells > 0 && naturalWidth_ > 0) scaleX_ = static_cast<double>(avgWidth) * cells / naturalWidth_;
    extent_ = QSize(static_cast<int>(std::lround(naturalWidth_ * scaleX_)),
                    static_cast<int>(std::lround(naturalHeight_ * scaleY_)));

    if (text_.isEmpty()) return;
    QTextLayout layout(text_, font_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return;
    line.setPosition(QPointF(0, 0));
    runsOffset_ = QPointF(0, ascent_ - line.ascent());
    runs_ = layout.glyphRuns();
}

QTransform GdiFont::Placement(QPoint origin, int escapement) const {
    // The steps Draw takes on the painter.
    QTransform t;
    t.translate(origin.x(), origin.y());
    if (escapement % 3600 != 0) t.rotate(-escapement / 10.0);
    t.scale(scaleX_, scaleY_);
    return t;
}

std::vector<TextPiece> GdiFont::Pieces(QPoint origin, int escapement) const {
    // Aliased rasterizing rounds to whole pixels.
    constexpr int kMargin = 2;
    const QTransform placement = Placement(origin, escapement);
    const auto area = [&](const QTransform& t, const QRectF& shape) {
        return t.mapRect(shape).toAlignedRect().adjusted(-kMargin, -kMargin, kMargin, kMargin);
    };
    // The cell with the underline and strike-out lines, which may reach below it.
    const QFontMetricsF metrics(font_);
    const QRectF cell(
        0, 0, naturalWidth_,
        std::max(naturalHeight_, ascent_ + metrics.underlinePos() + 2 * metrics.lineWidth() + 1.0 / scaleY_));
    std::vector<TextPiece> pieces{{QRawFont(), 0, placement, cell, area(placement, cell)}};
    if (text_.isEmpty()) return pieces;
    const QPointF offset = runsOffset_;
    for (const QGlyphRun& run : runs_) {
        const QRawFont font = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
            const QPointF at = positions[i] + offset;
            const QTransform t = QTransform::fromTranslate(at.x(), at.y()) * placement;
            const QRectF shape = font.boundingRect(indexes[i]);
            pieces.push_back({font, indexes[i], t, shape, area(t, shape)});
        }
    }
    return pieces;
}

void GdiFont::Draw(QPainter& painter, QPoint origin, int escapement, bool opaque) const {
    if (text_.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, antialias_);
    painter.setRenderHint(QPainter::Antialiasing, antialias_);
    painter.translate(origin);
    if (escapement % 3600 != 0) painter.rotate(-escapement / 10.0);
    painter.scale(scaleX_, scaleY_);
    if (opaque) painter.fillRect(QRectF(0, 0, naturalWidth_, naturalHeight_), Qt::white);
    painter.setPen(Qt::black);

    // Only the glyphs near the visible part are drawn: a huge stretched text
    // would otherwise cost time for every glyph far off the target, and a
    // text redrawn within a small clip for every glyph outside it.
    QRectF visible;
    if (const QPaintDevice* device = painter.device()) {
        bool invertible = false;
        const QTransform inverse = painter.worldTransform().inverted(&invertible);
        QRectF seen(0, 0, device->width(), device->height());
        if (painter.hasClipping()) seen &= painter.worldTransform().mapRect(painter.clipBoundingRect());
        if (invertible) visible = inverse.mapRect(seen);
    }
    const double margin = 2 * naturalHeight_ + 2;
    const QPointF offset = runsOffset_;
    const QList<QGlyphRun> runs =
        visible.isEmpty() || visible.bottom() < -margin || visible.top() > naturalHeight_ + margin ? QList<QGlyphRun>()
                                                                                                   : runs_;
    for (const QGlyphRun& run : runs) {
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        QList<quint32> keptIndexes;
        QList<QPointF> keptPositions;
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
            const double x = positions[i].x();
            if (x < visible.left() - margin || x > visible.right() + margin) continue;
            keptIndexes.append(indexes[i]);
            keptPositions.append(positions[i]);
        }
        if (keptIndexes.isEmpty()) continue;
        QGlyphRun visibleRun = run;
        visibleRun.setGlyphIndexes(keptIndexes);
        visibleRun.setPositions(keptPositions);
        // Decorations are drawn below, once, across the whole text.
        visibleRun.setUnderline(false);
        visibleRun.setStrikeOut(false);
        painter.drawGlyphRun(offset, visibleRun);
    }
    const QFontMetricsF metrics(font_);
    const double thickness = std::max(1.0 / scaleY_, metrics.lineWidth());
    if (!runs.isEmpty() && font_.underline())
        painter.fillRect(QRectF(0, ascent_ + metrics.underlinePos(), naturalWidth_, thickness), Qt::black);
    if (!runs.isEmpty() && font_.strikeOut())
        painter.fillRect(QRectF(0, ascent_ - metrics.strikeOutPos(), naturalWidth_, thickness), Qt::black);
    painter.restore();
}

}  // namespace kestrix
