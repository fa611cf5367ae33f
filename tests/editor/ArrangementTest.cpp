// The arrangement commands: positions against a 400 x 639 dot label, alignment,
// stacking, spacing and turns on the element list. (The steps each takes in the
// frame: UndoHistoryTest.)

#include <cstring>

#include "FrameFixture.h"
#include "editor/Arrangement.h"
#include "render/CodeImageCache.h"

namespace kestrix {
namespace {

using Coords = std::vector<int>;

LabelElement Element(int32_t type, int x, int y, int w, int h) {
    LabelElement e = CreateElement(type, {x, y});
    e.nWidth = w;
    e.nHeight = h;
    return e;
}

// One element of each kind, all selected, in array order: text, picture,
// barcode, 2D code, level line (ending at pixel 80, 300), shape, and a shape turned by 900.
std::vector<LabelElement> EachKind() {
    std::vector<LabelElement> v{Element(kText, 10, 20, 120, 24),     Element(kPicture, 50, 60, 100, 66),
                                Element(kBarcode, 30, 100, 300, 80), Element(kCode2D, 200, 200, 100, 100),
                                Element(kLine, 5, 300, 0, 0),        Element(kShape, 70, 400, 40, 30),
                                Element(kShape, 60, 80, 40, 30)};
    v[4].nEndX = 80;
    v[4].nEndY = 300;
    v[6].nEscapement = 900;
    return v;
}

Coords Along(const std::vector<LabelElement>& v, int32_t LabelElement::*position) {
    Coords c;
    for (const LabelElement& e : v) c.push_back(e.*position);
    return c;
}
Coords Xs(const std::vector<LabelElement>& v) { return Along(v, &LabelElement::nPosX); }
Coords Ys(const std::vector<LabelElement>& v) { return Along(v, &LabelElement::nPosY); }

// The element names in array order, for stacking.
std::string Order(const std::vector<LabelElement>& v) {
    std::string s;
    for (const LabelElement& e : v) s += static_cast<char>(e.nPosX);
    return s;
}

constexpr LabelDotSize kLabel{400, 639};
// Line ends in pixels at one pixel per dot.
constexpr QPointF kScale(1.0, 1.0);

TEST(Arrangement, EachCommandOnOneElementOfEachKind) {
    // Each placed on its own against the label; the turned one stays, but is spaced.
    const Coords x0{10, 50, 30, 200, 5, 70, 60}, y0{20, 60, 100, 200, 300, 400, 80};
    struct Case {
        int command;
        Coords xs, ys;
    };
    for (const Case& c :
         {Case{140, x0, {0, 0, 0, 0, 0, 0, 80}}, Case{141, {0, 0, 0, 0, 0, 0, 60}, y0},
          Case{142, x0, {615, 573, 559, 539, 639, 609, 80}}, Case{143, {280, 300, 100, 300, 325, 360, 60}, y0},
          Case{144, x0, {307, 286, 279, 269, 319, 304, 80}}, Case{145, {140, 150, 50, 150, 162, 180, 60}, y0},
          Case{146, {5, 5, 5, 5, 5, 5, 60}, y0}, Case{147, x0, {20, 20, 20, 20, 20, 20, 80}},
          Case{148, {210, 230, 30, 230, 255, 290, 60}, y0},  // the barcode and the line by their box
          Case{149, x0, {406, 364, 350, 330, 430, 400, 80}},
          Case{154, {37, 101, 69, 197, 5, 165, 133}, y0},       // step (200 - 5) / 6
          Case{155, x0, {20, 83, 209, 272, 335, 398, 146}}}) {  // step (400 - 20) / 6
        std::vector<LabelElement> v = EachKind();
        CodeImageCache codes;
        EXPECT_EQ(ArrangeElements(c.command, v, kLabel, kScale, codes), ArrangeOutcome::kRepaint);
        EXPECT_EQ(Xs(v), c.xs) << c.command;
        EXPECT_EQ(Ys(v), c.ys) << c.command;
        // The line moves whole: its end keeps its distance from the start.
        EXPECT_EQ(std::pair(v[4].nEndX - v[4].nPosX, v[4].nEndY - v[4].nPosY), std::pair(75, 0)) << c.command;
    }
}

TEST(Arrangement, SpacingSortsLaterFirstAmongEqualsAndSteps) {
    struct Case {
        Coords before, after;
    };
    for (const Case& c : {Case{{10, 50, 20}, {10, 50, 30}},  // sorted 10, 20, 50; step 20
                          Case{{10, 10, 40}, {25, 10, 40}},  // the second 10 comes first
                          Case{{0, 10, 25}, {0, 12, 24}},    // the step truncates: the last moves
                          Case{{70}, {70}}}) {
        std::vector<LabelElement> v;
        for (int x : c.before) v.push_back(Element(kShape, x, 0, 40, 30));
        v.push_back(Element(kShape, 5, 0, 40, 30));
        v.back().bSelected = 0;
        EXPECT_TRUE(AlignElement(v, kSpaceHorizontally, kScale));
        v.pop_back();
        EXPECT_EQ(Xs(v), c.after);
    }
}

TEST(Arrangement, StackingMovesEverySelectedElementKeepingTheirOrder) {
    struct Case {
        int mode;
        std::string selected, after;
        bool repaint;
    };
    for (const Case& c : {Case{kMoveToFront, "BD", "ACEBD", true}, Case{kMoveToBack, "BD", "BDACE", true},
                          Case{kBringForward, "BD", "ACBED", true}, Case{kSendBackward, "BD", "BADCE", true},
                          Case{kBringForward, "E", "ABCDE", false}, Case{kBringForward, "DE", "ABCDE", false},
                          Case{kMoveToFront, "E", "ABCDE", true}, Case{kBringForward, "", "ABCDE", true}}) {
        std::vector<LabelElement> v;
        for (char name : std::string("ABCDE")) {
            v.push_back(Element(kShape, name, 0, 40, 30));
            v.back().bSelected = c.selected.find(name) != std::string::npos;
            v.back().nEscapement = 900;  // stacking ignores turns
        }
        EXPECT_EQ(AlignElement(v, c.mode, kScale), c.repaint) << c.mode << c.selected;
        EXPECT_EQ(Order(v), c.after) << c.mode << c.selected;
    }
}

TEST(Arrangement, TurnsWrapAtAFullCircleAndFreeTheCodeImage) {
    std::vector<LabelElement> v{Element(kBarcode, 0, 0, 300, 80), Element(kText, 0, 0, 50, 20)};
    v[1].bSelected = 0;
    CodeImageCache codes;
    Coords angles;
    for (int i = 0; i < 4; ++i) {
        v[0].hCache = codes.Store(CodeImage::FromFull(QImage(8, 8, QImage::Format_RGB32)));
        EXPECT_EQ(ArrangeElements(136, v, kLabel, kScale, codes), ArrangeOutcome::kRepaintAndSnapshot);
        EXPECT_TRUE(v[0].hCache == 0 && codes.Size() == 0 && v[0].logFont.lfEscapement == v[0].nEscapement);
        angles.push_back(v[0].nEscapement);
    }
    ArrangeElements(135, v, kLabel, kScale, codes);
    angles.push_back(v[0].nEscapement);
    EXPECT_EQ(angles, (Coords{-900, -1800, -2700, 0, 900}));
    EXPECT_EQ(v[1].nEscapement, 0);
    v[0].bSelected = 0;
    EXPECT_EQ(ArrangeElements(135, v, kLabel, kScale, codes), ArrangeOutcome::kRepaint);  // nothing turned
    const std::vector<LabelElement> before = v;
    for (int command : {130, 137, 139, 156})
        EXPECT_EQ(ArrangeElements(command, v, kLabel, kScale, codes), ArrangeOutcome::kNothing);
    EXPECT_EQ(std::memcmp(before.data(), v.data(), v.size() * sizeof(LabelElement)), 0);
}

}  // namespace
}  // namespace kestrix
