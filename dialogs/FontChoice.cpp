#include "dialogs/FontChoice.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <cmath>

#include "render/GdiFont.h"

namespace kestrix {

namespace {

// The LOGFONT character sets a chosen face is given.
constexpr uint8_t kAnsiCharset = 0;
constexpr uint8_t kGb2312Charset = 134;

}  // namespace

QFont DialogFont(const LogFont& lf, int dpi) {
    QFont font = GdiFont(lf, {}, true).Font();
    // The chooser lists installed faces: offer the one the label is drawn with.
    font.setFamilies({QFontInfo(font).family()});
    font.setPointSizeF(std::max(1.0, font.pixelSize() * 72.0 / dpi));
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
    const bool chinese =
        QFontDatabase::writingSystems(chosen.family()).contains(QFontDatabase::SimplifiedChinese);
    lf.lfCharSet = chinese ? kGb2312Charset : kAnsiCharset;
}

}  // namespace kestrix
