// Without a window: canvas fitting, zoom, placement and ruler ticks; hit boxes,
// strokes and outlines and arming handles by hovering; the four resize routines for
// every handle at 0, 900, 1800 and 2700, their limits, and line and apex drags.

#include "FrameFixture.h"
#include "app/WindowPlacement.h"
#include "document/ElementMove.h"
#include "editor/CanvasGeometry.h"
#include "editor/CanvasMode.h"
#include "editor/DragStep.h"
#include "editor/HitTest.h"
#include "editor/ResizeRules.h"
#include "editor/RulerScale.h"
#include "editor/TextBoxRule.h"
#include "render/RenderGeometry.h"

namespace kestrix {
namespace {

TEST(CanvasGeometry, FitInA1000By700Frame) {
    struct Case {
        int widthMm, heightMm;
        QSize expected;
    };
    for (const Case& c : {Case{50, 80, {400, 639}},   // fits once, not twice: one pixel per dot
                          Case{20, 10, {320, 160}},   // fits twice: double size
                          Case{50, 150, {216, 650}},  // too tall: the full 650 high
                          Case{200, 50, {800, 200}},  // too wide: 4 whole pixels per mm
                          Case{2000, 10, {950, 4}}})  // under a pixel per mm: still not empty
        EXPECT_EQ(FitCanvasSize({1000, 700}, c.widthMm, c.heightMm, 203, 203), c.expected) << c.widthMm;
}

TEST(CanvasGeometry, ZoomPlacementAndScrollRange) {
    struct Case {
        QSize canvas;
        double factor;
        QSize expected;
    };
    for (const Case& c : {Case{{400, 639}, 1.25, {500, 799}}, Case{{400, 639}, 0.8, {320, 511}},
                          Case{{110, 176}, 0.8, {100, 160}}, Case{{100, 160}, 0.8, {100, 160}},
                          Case{{3000, 4793}, 1.25, {3200, 5113}}, Case{{3200, 5118}, 1.25, {3200, 5118}}})
        EXPECT_EQ(ZoomCanvasSize(c.canvas, c.factor, 400.1), c.expected) << c.canvas.width() << " " << c.factor;
    // The label's point under the anchor stays there: the centre, a corner, a point outside.
    EXPECT_EQ(ZoomCanvasRect({100, 10, 400, 640}, {500, 800}, {300, 330}), QRect(50, -70, 500, 800));
    EXPECT_EQ(ZoomCanvasRect({100, 10, 400, 640}, {500, 800}, {100, 10}), QRect(100, 10, 500, 800));
    EXPECT_EQ(ZoomCanvasRect({100, 10, 400, 640}, {320, 512}, {500, 650}), QRect(180, 138, 320, 512));
    // True size: 50 x 80 mm on a 96 and a 203 dpi screen.
    EXPECT_EQ(ActualCanvasSize(50, 80, 96, 96), QSize(189, 302));
    EXPECT_EQ(ActualCanvasSize(50, 80, 203, 203), QSize(400, 639));
    // Placed centred when it fits, else with no gap at either end; scrolled over the rest.
    EXPECT_EQ((std::vector<int>{PlaceCanvasAxis(-50, 400, 1000), PlaceCanvasAxis(-50, 1000, 400),
                                PlaceCanvasAxis(20, 1000, 400), PlaceCanvasAxis(-900, 1000, 400)}),
              (std::vector<int>{300, -50, 0, -600}));
    EXPECT_EQ(QPoint(ScrollMaximum(1000, 400), ScrollMaximum(300, 400)), QPoint(600, 0));
}

TEST(RulerScale, SpacingIs2MmBelow4PixelsPerMmAndEveryTenthTickIsNumbered) {
    struct Case {
        int viewLen, pixels, remainder, millimetres;
    };
    for (const Case& c : {Case{400, 8, 0, 1}, Case{403, 8, 3, 1}, Case{150, 6, 0, 2}}) {
        const RulerSpacing s = RulerSpacingFor(c.viewLen, 50);
        EXPECT_EQ(std::tuple(s.pixels, s.remainder, s.millimetres), std::tuple(c.pixels, c.remainder, c.millimetres))
            << c.viewLen;
    }
    EXPECT_TRUE(RulerTicks(0, 50, 0, 500).empty() && RulerTicks(400, 0, 0, 500).empty());
    EXPECT_LT(RulerTicks(100, 2000, 0, 1000).size(), 1000u);
    // Numbered every tenth tick, up to the band's end and left of the canvas; pixels left over
    // widen the first steps.
    using Majors = std::vector<std::pair<int, int>>;  // position less the band, value
    struct Band {
        int viewLen, origin, clientLen;
        Majors expected;
    };
    for (const Band& c :
         {Band{400, 0, 425, {{0, 0}, {80, 10}, {160, 20}, {240, 30}, {320, 40}, {400, 50}}},
          Band{403, 0, 428, {{1, 0}, {83, 10}, {163, 20}, {243, 30}, {323, 40}, {403, 50}}},
          Band{150, 0, 175, {{0, 0}, {60, 20}, {120, 40}}},
          Band{
              400, 200, 700, {{200, 0}, {280, 10}, {360, 20}, {440, 30}, {520, 40}, {600, 50}, {120, 10}, {40, 20}}}}) {
        Majors majors;
        for (const RulerTick& t : RulerTicks(c.viewLen, 50, c.origin, c.clientLen))
            if (t.major) majors.emplace_back(t.pos - kRulerBand, t.value);
        EXPECT_EQ(majors, c.expected) << c.viewLen << " " << c.origin;
    }
}

TEST(HitTest, BoxesTurnAboutTheCentreForQuarterTurnsOnly) {
    struct Case {
        int32_t type;
        int angle;
        QRect expected;
    };
    for (const Case& c : {Case{kBarcode, 0, {200, 100, 600, 160}}, Case{kBarcode, 1800, {200, 100, 600, 160}},
                          Case{kBarcode, 900, {420, -120, 160, 600}}, Case{kShape, -900, {420, -120, 160, 600}},
                          Case{kPicture, 2700, {420, -120, 160, 600}},
                          Case{kText, 900, {2 * (100 + 150 - 40), 2 * (50 + 40 - 150), 160, 600}},
                          Case{kCode2D, 900, {200, 100, 600, 600}}}) {  // a square code as drawn
        LabelElement e = MakeElement(c.type, 100, 50, 300, 80);
        e.nEscapement = c.angle;
        EXPECT_EQ(ElementHitBox(e, 2.0, 2.0), c.expected) << c.type << " at " << c.angle;
    }
    EXPECT_EQ(ElementHitBox(MakeLine(100, 50, 500, 300), 2.0, 2.0), QRect(200, 100, 0, 0));
    EXPECT_TRUE(Inside({10, 10, 5, 5}, {10, 14}) && !Inside({10, 10, 5, 5}, {15, 10}) &&
                !Inside({10, 10, -5, 5}, {8, 12}));
    // A press takes a box's handle from 10 pixels before its point to 10 after; handle 0 is at (92, 92).
    const LabelElement picture = MakeElement(kPicture, 100, 100, 60, 40, true);
    EXPECT_EQ((std::array{PressedHandle(picture, {82, 82}, 1, 1), PressedHandle(picture, {81, 90}, 1, 1),
                          PressedHandle(picture, {101, 101}, 1, 1)}),
              (std::array{0, -1, 0}));
}

// At three zooms: lines are hit along their stroke between their ends; shapes,
// never filled, on their outline only, so a frame leaves what it holds to be
// clicked; codes by the size they are drawn at. Points are in dots.
TEST(HitTest, StrokesOutlinesAndBoxesAtThreeZooms) {
    const auto shape = [](int kind, int x, int y, int w, int h, int angle = 0) {
        LabelElement e = MakeElement(kShape, x, y, w, h);
        e.nShapeType = kind;
        e.nEndX = -1;
        e.nEscapement = angle;
        e.nLineWidth = 2;
        return e;
    };
    LabelElement qr = MakeElement(kCode2D, 100, 100, 60, 200);  // made smaller: its height is stale
    qr.nBarcodeType = 58;
    struct Case {
        const char* what;
        LabelElement e;  // a line's end is given in dots here
        QPointF p;
        bool hit;
    };
    const Case cases[] = {
        {"level line, on it", MakeLine(60, 250, 260, 250), {150, 250.5}, true},
        {"level line, beyond its end", MakeLine(60, 250, 260, 250), {300, 250}, false},
        {"level line, beside it", MakeLine(60, 250, 260, 250), {150, 270}, false},
        {"slightly sloped line, on its stroke", MakeLine(0, 100, 300, 112), {150, 106}, true},
        {"slightly sloped line, on its extension", MakeLine(0, 100, 300, 112), {400, 116}, false},
        {"steep line", MakeLine(50, 0, 60, 300), {55, 150}, true},
        {"a point of a line", MakeLine(5, 5, 5, 5), {5, 5}, true},
        {"frame, inside", shape(0, 0, 0, 300, 200), {150, 100}, false},
        {"frame, on its left side", shape(0, 0, 0, 300, 200), {0.5, 100}, true},
        {"frame, on its bottom", shape(0, 0, 0, 300, 200), {150, 199}, true},
        {"rounded frame, on top", shape(1, 10, 10, 100, 50), {60, 10}, true},
        {"ellipse, on its rim", shape(2, 0, 0, 200, 100), {100, 0.5}, true},
        {"ellipse, at its centre", shape(2, 0, 0, 200, 100), {100, 50}, false},
        {"ellipse, in the box's corner", shape(2, 0, 0, 200, 100), {10, 10}, false},
        {"triangle, on its base", shape(3, 0, 0, 200, 100), {100, 100}, true},
        {"triangle, inside", shape(3, 0, 0, 200, 100), {100, 70}, false},
        {"diamond, on an edge", shape(4, 0, 0, 200, 100), {50, 25}, true},
        {"diamond, inside", shape(4, 0, 0, 200, 100), {100, 50}, false},
        {"turned frame, on its turned side", shape(0, 0, 0, 200, 100, 900), {50, 100}, true},
        {"turned frame, inside", shape(0, 0, 0, 200, 100, 900), {100, 50}, false},
        {"square code, in its drawn size", qr, {130, 150}, true},
        {"square code, below its drawn size", qr, {130, 200}, false},
        {"text, anywhere in its box", MakeElement(kText, 10, 10, 50, 20), {30, 20}, true},
    };
    for (double scale : {0.5, 1.0, 3.0}) {
        for (Case c : cases) {
            if (c.e.nType == kLine)
                std::tie(c.e.nEndX, c.e.nEndY) = std::pair(LinePixel(c.e.nEndX, scale), LinePixel(c.e.nEndY, scale));
            const QPoint p = (c.p * scale).toPoint();
            EXPECT_EQ(HitsElement(c.e, p, scale, scale), c.hit) << c.what << " at " << scale;
        }
    }
}

TEST(HitTest, HoverArmsDrawnHandlesLineEndsAndTheApex) {
    const auto arm = [](LabelElement e, QPoint p, int mode = kSelectMode) {
        std::vector<LabelElement> one{e};
        const auto cursor = ArmHandles(one, p, mode, 1.0, 1.0);
        return std::tuple(one[0].nSize, mode, cursor.value_or(Qt::BlankCursor));
    };
    LabelElement picture = MakeElement(kPicture, 100, 100, 60, 40, true);
    const auto points = HandlePoints(HandleStyle::Box, 100, 100, 60, 40);
    std::copy(points.begin(), points.end(), picture.ptHandles);
    EXPECT_EQ(arm(picture, {165, 93}), std::tuple(2, 0, Qt::SizeBDiagCursor));
    picture.nSize = 2;
    EXPECT_EQ(arm(picture, {10, 10}), std::tuple(2, 0, Qt::BlankCursor)) << "leaving keeps it armed";
    picture.bSelected = 0;
    picture.nSize = -1;
    EXPECT_EQ(arm(picture, {165, 93}), std::tuple(-1, 0, Qt::BlankCursor)) << "only selected elements";
    // A square code sizes by its corners; PDF417 by every handle.
    LabelElement code = MakeElement(kCode2D, 100, 100, 60, 60, true);
    std::copy(points.begin(), points.end(), code.ptHandles);
    EXPECT_EQ(std::get<0>(arm(code, {131, 93})), -1);
    EXPECT_EQ(std::get<0>(arm(code, {93, 93})), 0);
    code.nBarcodeType = kPdf417;
    EXPECT_EQ(std::get<0>(arm(code, {131, 93})), 1);

    const LabelElement line = MakeLine(10, 10, 200, 50, true);
    EXPECT_EQ(arm(line, {13, 6}), std::tuple(0, int(kLineEndDrag), Qt::SizeHorCursor));
    EXPECT_EQ(arm(line, {204, 54}), std::tuple(1, int(kLineEndDrag), Qt::SizeHorCursor));
    EXPECT_EQ(arm(line, {100, 100}, kLineEndDrag), std::tuple(-1, 0, Qt::ArrowCursor));
    EXPECT_EQ(arm(line, {100, 100}, kBarcodeTool), std::tuple(-1, int(kBarcodeTool), Qt::BlankCursor));

    LabelElement triangle = MakeElement(kShape, 100, 100, 60, 40, true);
    std::tie(triangle.nShapeType, triangle.nEndX) = std::pair(3, -1);
    EXPECT_EQ(arm(triangle, {133, 97}), std::tuple(8, 0, Qt::SizeHorCursor));
    triangle.nEndX = 0;  // apex over the left edge
    EXPECT_EQ(std::get<0>(arm(triangle, {133, 97})), -1);
    EXPECT_EQ(std::get<0>(arm(triangle, {103, 104})), 8);
}

using Box = std::array<int, 4>;  // nPosX, nPosY, nWidth, nHeight

// An element of `type` at (100, 50), 60 x 40 dots, turned by `angle`, with `handle` armed.
LabelElement Armed(int32_t type, int angle, int handle) {
    LabelElement e = CreateElement(type, {100, 50});
    std::tie(e.nWidth, e.nHeight, e.nOrgWidth, e.nOrgHeight) = std::tuple(60, 40, 60, 40);
    std::tie(e.nEscapement, e.nSize) = std::pair(angle, handle);
    return e;
}

Box BoxOf(const LabelElement& e) { return {e.nPosX, e.nPosY, e.nWidth, e.nHeight}; }

using Routine = void (*)(LabelElement&, QPoint, QPoint, double, double);

// At 2 pixels per dot, pressed at (300, 200) and dragged to (321, 187): 10.5 dots right
// and 6.5 up; the pointer stands at (160, 93) in dots.
Box Resized(Routine size, int32_t type, int angle, int handle, QPoint to = {321, 187}) {
    LabelElement e = Armed(type, angle, handle);
    size(e, to, {300, 200}, 2.0, 2.0);
    return BoxOf(e);
}

// A text keeps its letters' shape: new content widens or narrows the box at
// the same height, and a point size sets the height with the width in proportion.
TEST(TextBoxRule, ContentAndPointSizeKeepTheLettersShape) {
    struct Content {
        int32_t width, height;
        const char16_t *before, *after;
        int32_t expected;
    };
    for (const Content& c : {Content{120, 24, u"Double", u"SN:0001", 140},  // 20 per cell
                             Content{120, 24, u"ABCDEFGHIJ", u"AB", 24},    // narrower
                             Content{60, 30, u"标签", u"标签AB", 90},       // a Chinese character is two cells
                             Content{60, 30, u"", u"ABC", 45},              // nothing before: half the height each
                             Content{60, 30, u"ABC", u"", 0}}) {
        LabelElement e = CreateElement(kText, {0, 0}, c.before);
        EXPECT_EQ(TextWidthForContent(c.width, c.height, TextUnits(e, c.before), TextUnits(e, c.after)), c.expected)
            << c.width << " " << c.expected;
    }
    LabelElement turned = CreateElement(kText, {0, 0}, u"标签");
    turned.nEscapement = 900;
    EXPECT_EQ(TextUnits(turned, u"标签"), 2) << "turned text spreads over characters";
    struct Size {
        QSize box;
        int points, dpi, units;
        QSize expected;
    };
    for (const Size& c : {Size{{140, 24}, 36, 203, 7, {595, 102}},  // 36 pt at 203 dpi is 101.5 dots
                          Size{{140, 24}, 9, 203, 7, {146, 25}}, Size{{100, 50}, 12, 300, 4, {100, 50}},
                          Size{{0, 0}, 20, 203, 4, {112, 56}}})  // not yet measured
        EXPECT_EQ(TextBoxForPointSize(c.box, c.points, c.dpi, c.units), c.expected) << c.points;
    EXPECT_EQ(TextPointSize(101, 203), 36);
    EXPECT_EQ(TextPointSize(56, 203), 20);
}

// Shift held: a dragged line end goes to the nearest of 0, 45 and 90 degrees.
TEST(DragStep, ShiftSnapsALineToLevelUprightOrDiagonal) {
    const QPoint from(100, 100);
    for (auto [to, expected] : {std::pair{QPoint(300, 101), QPoint(300, 100)},
                                {QPoint(40, 120), QPoint(40, 100)},
                                {QPoint(98, -50), QPoint(100, -50)},
                                {QPoint(190, 210), QPoint(200, 200)},
                                {QPoint(20, 170), QPoint(25, 175)},
                                {QPoint(100, 100), QPoint(100, 100)}})
        EXPECT_EQ(SnapToAngle(from, to), expected) << to.x() << "," << to.y();
    LabelElement line = MakeLine(50, 50, 100, 100, true);
    line.nSize = 1;
    DragLine(line, {300, 103}, {}, 2.0, 2.0, true);
    EXPECT_EQ(std::pair(line.nEndX, line.nEndY), std::pair(300, 100)) << "level with the start as drawn";
}

// A window is never placed above the screen's top: its title bar stays reachable.
TEST(WindowPlacement, AFrameIsKeptWithinTheScreen) {
    const QRect screen(0, 0, 1280, 1000);
    for (auto [frame, expected] : {std::pair{QRect(0, -30, 1280, 1030), QRect(0, 0, 1280, 1000)},
                                   {QRect(100, 100, 800, 600), QRect(100, 100, 800, 600)},
                                   {QRect(900, 700, 800, 600), QRect(480, 400, 800, 600)},
                                   {QRect(-50, -50, 300, 200), QRect(0, 0, 300, 200)}})
        EXPECT_EQ(KeepOnScreen(frame, screen), expected) << frame.x() << "," << frame.y();
}

TEST(ResizeRules, EveryHandleAtEveryAngleForEveryFamily) {
    // Upright, a left or top edge jumps to the pointer; handle 0 works in whole dots.
    const Box upright[8] = {{160, 93, 50, 46}, {100, 93, 60, 46}, {100, 93, 70, 46}, {160, 50, 49, 40},
                            {100, 50, 70, 40}, {160, 50, 49, 33}, {100, 50, 60, 33}, {100, 50, 70, 33}};
    // Half turned, the edges move by the whole-dot drag (10, -6).
    const Box halfTurn[8] = {{110, 44, 50, 46}, {100, 44, 60, 46}, {100, 44, 70, 46}, {110, 50, 50, 40},
                             {100, 50, 70, 40}, {110, 50, 50, 34}, {100, 50, 60, 34}, {100, 50, 70, 34}};
    // A quarter turned, the shown box (110, 40)-(150, 100) keeps the side or corner opposite the handle.
    const Box quarterTurn[8] = {{102, 52, 66, 30}, {97, 47, 66, 40},  {102, 42, 66, 50}, {105, 55, 60, 30},
                                {105, 45, 60, 50}, {108, 52, 54, 30}, {103, 47, 54, 40}, {108, 42, 54, 50}};
    const std::pair<Routine, int32_t> families[] = {{SizeFont, kText},
                                                    {SizePicture, kPicture},
                                                    {SizePicture, kCode2D},
                                                    {SizeRectangle, kShape},
                                                    {SizeBarcode, kBarcode}};
    for (const auto& [size, type] : families) {
        for (int handle = 0; handle < 8; ++handle) {
            EXPECT_EQ(Resized(size, type, 0, handle), upright[handle]) << type << " handle " << handle;
            EXPECT_EQ(Resized(size, type, 450, handle), upright[handle]) << type << " handle " << handle;
            EXPECT_EQ(Resized(size, type, 1800, handle), halfTurn[handle]) << type << " handle " << handle;
            for (int angle : {900, 2700, -900})
                EXPECT_EQ(Resized(size, type, angle, handle), quarterTurn[handle])
                    << type << " " << angle << " " << handle;
        }
    }
}

TEST(ResizeRules, LimitsWhereTheyExist) {
    // A barcode's top handle stops above its caption band (15) plus 20; other kinds do not.
    EXPECT_EQ(Resized(SizeBarcode, kBarcode, 0, 1, {300, 209}), (Box{100, 104, 60, 35}));
    EXPECT_EQ(Resized(SizeBarcode, kBarcode, 0, 1, {300, 210}), (Box{100, 50, 60, 40}));
    EXPECT_EQ(Resized(SizeRectangle, kShape, 0, 1, {300, 300}), (Box{100, 150, 60, -10}));
    // Upright, a left handle pulled past the right edge makes the width negative.
    EXPECT_EQ(Resized(SizePicture, kPicture, 0, 3, {500, 200}), (Box{250, 50, -40, 40}));
    // Half turned, only handle 0 keeps both sides positive.
    EXPECT_EQ(Resized(SizePicture, kPicture, 1800, 0, {500, 200}), (Box{100, 50, 60, 40}));
    EXPECT_EQ(Resized(SizePicture, kPicture, 1800, 3, {500, 200}), (Box{200, 50, -40, 40}));
    // A quarter turned, a left or top handle never shrinks its side to zero; right and bottom do.
    EXPECT_EQ(Resized(SizeFont, kText, 900, 3, {400, 200}), (Box{100, 50, 60, 40}));
    EXPECT_EQ(Resized(SizeFont, kText, 900, 4, {100, 200}), (Box{50, 100, 60, -60}));
    EXPECT_EQ(Resized(SizeFont, kText, 900, 9, {400, 200}), (Box{100, 50, 60, 40})) << "no such handle";
}

TEST(DragStep, ALineEndsTheStepAndTheApexStaysOverTheBox) {
    LabelElement line = CreateElement(kLine, {10, 10}, {}, {200, 100});
    std::tie(line.nSize, line.bSelected) = std::pair(-1, 1);
    std::vector<LabelElement> elements{Armed(kText, 0, -1), line, Armed(kShape, 0, -1)};
    for (LabelElement& e : elements) e.bSelected = 1;
    StartDrag(elements);
    DragSelected(elements, {310, 210}, {300, 200}, 2.0, 2.0);
    EXPECT_EQ((std::array{elements[0].nPosX, elements[1].nPosX, elements[1].nEndX, elements[2].nPosX}),
              (std::array{105, 15, 210, 100}));
    LabelElement triangle = Armed(kShape, 0, 8);
    DragApex(triangle, {260, 0}, 2.0);
    DragApex(triangle, {330, 0}, 2.0);  // beyond the right edge: stays
    EXPECT_EQ(triangle.nEndX, 30);
}

}  // namespace
}  // namespace kestrix
