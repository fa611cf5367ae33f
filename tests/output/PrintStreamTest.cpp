// The band scan and the header of the direct-print stream.

#include <gtest/gtest.h>

#include <QList>
#include <array>
#include <limits>

#include "output/PrintStream.h"

namespace kestrix {
namespace {

using Bands = QList<QList<int>>;

// A white w x h raster with black rows [y0, y1) over pixel columns [x0, x1).
MonoImage Inked(int w, int h, std::initializer_list<std::array<int, 4>> areas) {
    MonoImage m(w, h);
    for (const auto& [x0, x1, y0, y1] : areas)
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) m.SetBlack(x, y);
    return m;
}

// The numbers of every BITMAP command, in order.
Bands Bitmaps(const QByteArray& body) {
    Bands out;
    for (qsizetype at = body.indexOf("BITMAP "); at >= 0; at = body.indexOf("BITMAP ", at + 1)) {
        const QList<QByteArray> parts = body.mid(at + 7, 40).split(',');
        out.append({parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()});
        at += 7 + parts[0].size() + parts[1].size() + parts[2].size() + parts[3].size() + 6 +
              parts[2].toInt() * parts[3].toInt();
    }
    return out;
}

// SavePaper 1 and 2 keep the rows where they are; 0 moves the content up to row 80.
TEST(PrintStreamBody, OneBandPerRunOfInkedRowsOverItsInkedBytes) {
    const std::tuple<MonoImage, int, Bands> cases[] = {
        {Inked(64, 40, {{0, 8, 5, 10}, {0, 8, 10, 15}}), 1, {{0, 5, 1, 10}}},  // touching rows
        {Inked(64, 40, {{0, 8, 5, 10}, {0, 8, 11, 15}}), 1, {{0, 5, 1, 5}, {0, 11, 1, 4}}},
        {Inked(64, 40, {{8, 9, 37, 40}}), 1, {{8, 37, 1, 3}}},  // up to the last row
        {Inked(64, 40, {{8, 9, 39, 40}}), 1, {{8, 39, 1, 1}}},
        {Inked(400, 20, {{24, 25, 4, 5}, {47, 48, 5, 6}}), 1, {{24, 4, 3, 2}}},  // bytes 3 to 5
        {Inked(400, 560, {{0, 8, 200, 210}, {0, 8, 300, 305}}), 2, {{0, 200, 1, 10}, {0, 300, 1, 5}}},
        {Inked(400, 560, {{0, 8, 200, 210}, {0, 8, 300, 305}}), 0, {{0, 80, 1, 10}, {0, 180, 1, 5}}}};
    for (const auto& [mono, save, want] : cases) EXPECT_EQ(Bitmaps(BuildPrintStreamBody(mono, save).bytes), want);
    // The band's bytes are the raster's as they stand.
    EXPECT_EQ(BuildPrintStreamBody(std::get<0>(cases[4]), 1).bytes,
              QByteArray("BITMAP 24,4,3,2,1,\x7f\xff\xff\xff\xff\xfe\r\nPRINT 1,1\r\n", 37));
    // Every other row inked: far more command text than stride x height + 1024.
    MonoImage striped(8, 2000);
    for (int y = 0; y < 2000; y += 2) striped.SetBlack(0, y);
    const QByteArray body = BuildPrintStreamBody(striped, 1).bytes;
    EXPECT_EQ(Bitmaps(body).size(), 1000);
    EXPECT_TRUE(body.endsWith("PRINT 1,1\r\n"));
}

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
