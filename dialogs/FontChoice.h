#pragma once
// Between an element's LOGFONT and the font chooser: the chooser starts from
// the face, size and style the block asks for and writes its choice back as a
// screen font chooser does (a negative lfHeight: the character height in
// pixels at the screen's resolution).

#include <QFont>

#include "document/LabelElement.h"

namespace kestrix {

constexpr int kScreenDpi = 96;

// The block as a font in points for a screen of `dpi` dots per inch.
QFont DialogFont(const LogFont& lf, int dpi);

// Face, height, weight, italic, underline, strike-out and character set of
// `chosen` into the block; the other fields stay.
void TakeDialogFont(LogFont& lf, const QFont& chosen, int dpi);

}  // namespace kestrix
