// Text Attributes: the font chooser starts from the element's LOGFONT and
// writes its choice back as a screen font chooser does.

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

#include "FrameFixture.h"
#include "dialogs/FontChoice.h"
#include "render/GdiFont.h"

namespace kestrix {
namespace {

TEST(FontChoice, StartsFromTheBlockAndWritesTheChoiceBackInScreenPixels) {
    TestApp();
    LogFont lf = CreateElement(kText, {0, 0}).logFont;  // the Song face, as every text starts
    std::tie(lf.lfHeight, lf.lfWeight, lf.lfItalic, lf.lfOrientation) = std::tuple(-16, 700, 1, 77);
    const QFont start = DialogFont(lf, 96);
    EXPECT_EQ(start.pointSizeF(), 12.0);
    EXPECT_TRUE(start.bold() && start.italic() && !start.underline());
    EXPECT_EQ(start.family(), QFontInfo(GdiFont(lf, {}, true).Font()).family()) << "an installed face to offer";

    for (const auto& [family, charset] : {std::pair{QStringLiteral("DejaVu Sans"), 0}, {start.family(), 134}}) {
        if (!QFontDatabase::families().contains(family)) continue;
        QFont chosen(family);
        chosen.setPointSizeF(10.5);
        chosen.setWeight(QFont::Normal);
        chosen.setItalic(false);
        chosen.setUnderline(true);
        chosen.setStrikeOut(true);
        TakeDialogFont(lf, chosen, 120);
        EXPECT_EQ(QString::fromStdU16String(FaceName(lf)), family);
        EXPECT_EQ((std::array{lf.lfHeight, lf.lfWeight, int(lf.lfItalic), int(lf.lfUnderline), int(lf.lfStrikeOut),
                              int(lf.lfCharSet), lf.lfOrientation}),
                  (std::array{-18, 400, 0, 1, 1, charset, 77}));
    }
}

// The chooser picks a style by its name and, failing that, takes the first of
// the face's list, which may well be an oblique one.
TEST(FontChoice, TheChooserOpensOnTheBlocksWeightAndSlant) {
    TestApp();
    if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))) GTEST_SKIP() << "no DejaVu Sans";
    LogFont lf{};
    SetFaceName(lf, u"DejaVu Sans");
    lf.lfHeight = -16;
    for (const auto& [weight, italic] : {std::pair{400, 0}, {700, 0}, {900, 0}, {400, 1}, {900, 1}}) {
        std::tie(lf.lfWeight, lf.lfItalic) = std::pair(weight, uint8_t(italic));
        QFontDialog chooser;
        chooser.setCurrentFont(DialogFont(lf, 96));
        const QFont shown = chooser.currentFont();
        EXPECT_EQ(shown.italic(), italic != 0) << weight;
        EXPECT_EQ(shown.bold(), weight >= 700) << weight;
    }
}

}  // namespace
}  // namespace kestrix
