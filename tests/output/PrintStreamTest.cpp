// The header of the direct-print stream where the acceptance checks, which compare whole
// streams with the raster they come from, do not reach.

#include <gtest/gtest.h>

#include <limits>

#include "output/PrintStream.h"

namespace kestrix {
namespace {

// The header's lines for every setting and the printed length are checked
// byte for byte by the acceptance checks; these are the cases they do not make.
TEST(PrintStreamHeader, UnknownLabelTypesLatin1TextAndTheLargestSteps) {
    PrinterSettings s;
    s.LabelType = 7;                      // unknown types are gaps
    s.Gap = QStringLiteral("2,5\u00b5");  // the text as Latin-1
    EXPECT_TRUE(BuildPrintStreamHeader(s, 40, 30).contains("\r\nGAP 2,5\xb5 mm,0 mm\r\nREFERENCE"));
    // The largest step a file can hold stays the largest number instead of wrapping round.
    s.Speed = s.Density = std::numeric_limits<int>::max();
    EXPECT_TRUE(BuildPrintStreamHeader(s, 40, 30).contains("\r\nSPEED 2147483647\r\nDENSITY 2147483647\r\n"));
}

}  // namespace
}  // namespace kestrix
