#include "dialogs/FontChoice.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "render/GdiFont.h"

namespace kestrix {

namespace {

// The LOGFONT character sets a chosen face is given.
constexpr uint8_t kAnsiCharset = 0;
constexpr uint8_t kGb2312Charset = 134;

// The face's own style nearest to `weight` and the slant; on a tie the shorter
// name, so "Bold" before "Condensed Bold".
QString NearestStyle(const QString& family, int weight, bool italic) {
    QString best;
    int bestDistance = 0;
    for (const QString& style : QFontDatabase::styles(family)) {
        // Oblique counts as slanted (QFontDatabase::italic does not say so).
        const bool slanted = QFontDatabase::font(family, style, 10).italic();
        const int distance = std::abs(QFontDatabase::weight(family, style) - weight) + (slanted == italic ? 0 : 10000);
        if (best.isEmpty() || distance < bestDistance || (distance == bestDistance && style.size() < best.size()))
            std::tie(best, bestDistance) = std::pair(style, distance);
    }
    return best;
}

}  // namespace

QFont DialogFont(const LogFont& lf, int dpi) {
    QFont font = GdiFont(lf, {}, true).Font();
    // The chooser lists installed faces: offer the one the label is drawn with.
    font.setFamilies({QFontInfo(font).family()});
    font.setPointSizeF(std::max(1.0, font.pixelSize() * 72.0 / dpi));
    // The chooser finds its style by name and otherwise takes the first in its
    // list, oblique ones included: name one the face has.
    font.setStyleName(NearestStyle(font.family(), font.weight(), font.italic()));
    return font;
}

void TakeDialogFont(LogFont& lf, const QFont& chosen, int dpi) {
    SetFaceName(lf, chosen.family().toStdU16String());
    const double pixels = chosen.pointSizeF() > 0 ? chosen.pointSizeF() * dpi / 72.0 : chosen.pixelSize();
    lf.lfHeight = -static_cast<int32_t>(std::lround(pixels));
    lf.lfWeight = chosen.weight();
    lf.lfItalic = chosen.italic() ? 1 : 0;
    lf.lfUnderline = chosen.underline() ? 1 : 0;
    lf.lfStrikeOut = chosen.strikeOut() ? 1 : 0;
    const bool chinese = QFontDatabase::writingSystems(chosen.family()).contains(QFontDatabase::SimplifiedChinese);
    lf.lfCharSet = chinese ? kGb2312Charset : kAnsiCharset;
}

}  // namespace kestrix
