// Millimetres and dots as the dialogs convert them.

#include <gtest/gtest.h>

#include <climits>

#include "document/Units.h"

namespace kestrix {
namespace {

// A 300 x 80 barcode opens as 38 x 10 mm, which stores 304 x 80. Each case: mm, dpi, dots.
TEST(Units, MillimetresAndDotsRoundTheWayTheDialogsShowThem) {
    for (auto [mm, dpi, dots] : {std::tuple{38, 203, 304},
                                 {10, 203, 80},
                                 {13, 203, 104},
                                 {-5, 203, -39},
                                 {99999, 203, 799205},
                                 {10, 300, 118},
                                 {INT_MAX, 203, INT_MAX},
                                 {INT_MIN, 203, INT_MIN}})
        EXPECT_EQ(MmToDots(mm, dpi), dots) << mm;
    for (auto [mm, dpi, dots] : {std::tuple{38, 203, 300}, {10, 203, 80}, {13, 203, 100}, {8, 203, 66}})
        EXPECT_EQ(DotsToMm(dots, dpi), mm) << dots;
}

}  // namespace
}  // namespace kestrix
