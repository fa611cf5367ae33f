#pragma once
// A LOGFONT block drawn with GDI's meaning: lfHeight > 0 is the cell height
// (ascent + descent) in device units, lfHeight < 0 the character (em) height,
// lfWidth the average character width, so a stretched text fills its box
// exactly. Under the cell model every character below U+0100 is one cell
// wide and a full-width one two, which is what lfWidth counts.

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QSize>
#include <QString>
#include <string_view>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

// Cells a text occupies: the nonzero bytes of its UTF-16LE form.
int CountTextCells(std::u16string_view text);

// Maps the Windows faces labels are made with onto installed faces of the same
// kind. Programs call it once at start; calling it again changes nothing.
void InstallFontSubstitutes();

// One piece of a drawn text, the device pixels it may cover, and what decides
// its pixels: equal pieces of two texts are drawn alike.
struct TextPiece {
    QRawFont font;  // the glyph's font; invalid for the cell (fill and lines)
    quint32 glyph = 0;
    QTransform placement;  // text coordinates to device
    QRectF shape;          // in text coordinates
    QRect area;            // device pixels, with a margin
    bool operator==(const TextPiece& o) const {
        return glyph == o.glyph && placement == o.placement && shape == o.shape && font == o.font;
    }
};

// Where two drawings of a text differ: the areas of the pieces that are not
// alike (of all of them when the two are not made of the same count).
QList<QRect> PieceDifferences(const std::vector<TextPiece>& before, const std::vector<TextPiece>& now);

class GdiFont {
public:
    // A font for drawing `text`; `antialias` false gives hard 1-bit edges.
    GdiFont(const LogFont& lf, const QString& text, bool antialias);

    // The text's extent as GetTextExtentPoint32 gives it: advance width and
    // cell height.
    QSize Extent() const { return extent_; }

    // Draws the text with its cell's top-left corner at `origin`, turned
    // counter-clockwise by `escapement` tenths of a degree about that corner.
    // `opaque` fills the character cells white first.
    void Draw(QPainter& painter, QPoint origin, int escapement, bool opaque) const;

    const QFont& Font() const { return font_; }

    // What Draw puts where: the character cell (with its fill and lines)
    // first, then every glyph. Drawn with the painter clipped, only the glyphs
    // near the clip are drawn, so a changed glyph costs only itself.
    std::vector<TextPiece> Pieces(QPoint origin, int escapement) const;

private:
    GdiFont() = default;
    void Build(const LogFont& lf, const QString& text, bool antialias);
    QTransform Placement(QPoint origin, int escapement) const;

    // The laid-out glyph runs and the offset they are drawn at.
    QList<QGlyphRun> runs_;
    QPointF runsOffset_;

    QFont font_;
    QString text_;
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
    double ascent_ = 0.0;
    double naturalWidth_ = 0.0;
    double naturalHeight_ = 0.0;
    bool antialias_ = true;
    QSize extent_;
};

}  // namespace kestrix
