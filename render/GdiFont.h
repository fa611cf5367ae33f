#pragma once
// A LOGFONT block drawn with GDI's meaning: lfHeight > 0 is the cell height
// (ascent + descent) in device units, lfHeight < 0 the character (em) height,
// lfWidth the average character width, so a stretched text fills its box
// exactly. Under the cell model every character below U+0100 is one cell
// wide and a full-width one two, which is what lfWidth counts.

#include <QFont>
#include <QPainter>
#include <QSize>
#include <QString>
#include <string_view>

#include "document/LabelElement.h"

namespace kestrix {

// Cells a text occupies: the nonzero bytes of its UTF-16LE form.
int CountTextCells(std::u16string_view text);

// Maps the Windows faces labels are made with onto installed faces of the same
// kind. Programs call it once at start; calling it again changes nothing.
void InstallFontSubstitutes();

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

private:
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
