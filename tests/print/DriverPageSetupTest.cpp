// The pure mappings of driver printing and the preview: which resolution a job
// runs at and how label dots scale to it; where the preview puts the label.

#include <gtest/gtest.h>

#include "dialogs/PrintPreviewDialog.h"
#include "print/DriverPageSetup.h"

namespace kestrix {
namespace {

TEST(DriverPageSetup, TheLabelsResolutionWhenOfferedElseThePrintersDefault) {
    struct Case {
        QList<int> offered;
        int printerDefault;
        int resolution;
        double scale;
    } cases[] = {
        {{203, 300}, 300, 203, 1.0},                     // a label printer offering ours: dot for pixel
        {{150, 300, 600, 1200}, 300, 300, 300.0 / 203},  // an office or PDF printer: true size at 300
        {{600}, 600, 600, 600.0 / 203},
        {{}, 0, 203, 1.0},  // nothing known: draw at the label's own
        {{150, 300}, 0, 203, 1.0},
    };
    for (const Case& c : cases) {
        const DriverPageSetup setup = PlanDriverPage(c.offered, c.printerDefault, 203, 203);
        EXPECT_EQ(setup.resolution, c.resolution);
        EXPECT_DOUBLE_EQ(setup.scaleX, c.scale);
        EXPECT_DOUBLE_EQ(setup.scaleY, c.scale);
        EXPECT_EQ(setup.OneDotPerPixel(), c.scale == 1.0);
    }
    // Each axis keeps its own resolution.
    const DriverPageSetup uneven = PlanDriverPage({}, 300, 203, 406);
    EXPECT_DOUBLE_EQ(uneven.scaleX * 203, 300);
    EXPECT_DOUBLE_EQ(uneven.scaleY * 406, 300);
}

TEST(PreviewFit, FitsTheLongerSideLessTwentyCentredThreeLow) {
    const QRect frame(300, 10, 400, 460);
    // Taller than wide: the height spans the frame less 20.
    EXPECT_EQ(FitPreviewLabel(frame, {300, 420}), QRect(300 + (400 - 314) / 2, 10 + 10 + 3, 314, 440));
    // Wider than tall: the width does.
    EXPECT_EQ(FitPreviewLabel(frame, {600, 300}), QRect(310, 10 + (460 - 190) / 2 + 3, 380, 190));
    EXPECT_TRUE(FitPreviewLabel(frame, {0, 300}).isEmpty());
}

}  // namespace
}  // namespace kestrix
