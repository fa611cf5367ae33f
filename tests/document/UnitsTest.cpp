// Millimetres and dots as the dialogs convert them, and the symbology lists.

#include <gtest/gtest.h>

#include <climits>

#include "document/Symbologies.h"
#include "document/Units.h"

namespace kestrix {
namespace {

TEST(Units, MillimetresAndDotsRoundTheWayTheDialogsShowThem) {
    struct Case {
        int mm, dpi, dots;
    };
    // A 300 x 80 barcode opens as 38 x 10 mm, which stores 304 x 80.
    for (const Case& c : {Case{38, 203, 304}, Case{10, 203, 80}, Case{13, 203, 104}, Case{-5, 203, -39},
                          Case{99999, 203, 799205}, Case{10, 300, 118}, Case{INT_MAX, 203, INT_MAX},
                          Case{INT_MIN, 203, INT_MIN}})
        EXPECT_EQ(MmToDots(c.mm, c.dpi), c.dots) << c.mm;
    for (const Case& c : {Case{38, 203, 300}, Case{10, 203, 80}, Case{13, 203, 100}, Case{8, 203, 66}})
        EXPECT_EQ(DotsToMm(c.dots, c.dpi), c.mm) << c.dots;
}

TEST(Symbologies, ListsInDialogOrderWithTheirCodes) {
    EXPECT_EQ(LinearSymbologies().size(), 14u);
    EXPECT_EQ(Code2DSymbologies().size(), 7u);
    EXPECT_EQ(SymbologyIndex(LinearSymbologies(), 113), 12);
    EXPECT_EQ(SymbologyIndex(LinearSymbologies(), 58), -1);
    EXPECT_EQ(SymbologyIndex(Code2DSymbologies(), 84), 6);
    EXPECT_STREQ(SymbologyLabel(37), "UPC_E");
    EXPECT_STREQ(SymbologyLabel(142), "GRID MATRIX");
    EXPECT_EQ(SymbologyLabel(9999), nullptr);
}

}  // namespace
}  // namespace kestrix
