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

TEST(PrintStreamBody, OneBandPerRunOfInkedRowsOverItsInkedBytes) {
    const std::pair<MonoImage, Bands> cases[] = {
        {Inked(64, 40, {{0, 8, 5, 10}, {0, 8, 10, 15}}), {{0, 5, 1, 10}}},  // touching rows
        {Inked(64, 40, {{0, 8, 5, 10}, {0, 8, 11, 15}}), {{0, 5, 1, 5}, {0, 11, 1, 4}}},
        {Inked(64, 40, {{8, 9, 37, 40}}), {{8, 37, 1, 3}}},  // up to the last row
        {Inked(64, 40, {{8, 9, 39, 40}}), {{8, 39, 1, 1}}},
        {Inked(400, 20, {{24, 25, 4, 5}, {47, 48, 5, 6}}), {{24, 4, 3, 2}}}};  // bytes 3 to 5
    for (const auto& [mono, bands] : cases) EXPECT_EQ(Bitmaps(BuildPrintStreamBody(mono, 1).bytes), bands);
    // The band's bytes are the raster's as they stand.
    EXPECT_EQ(BuildPrintStreamBody(cases[4].first, 1).bytes,
              QByteArray("BITMAP 24,4,3,2,1,\x7f\xff\xff\xff\xff\xfe\r\nPRINT 1,1\r\n", 37));
}

TEST(PrintStreamBody, NoInkGivesOnlyPrintAndLengthNine) {
    const MonoImage m(400, 560);
    const PrintStreamBody body = BuildPrintStreamBody(m, 0);
    EXPECT_EQ(body.bytes, "PRINT 1,1\r\n");
    EXPECT_EQ(body.endRow, -1);
    EXPECT_EQ(PrintLength(PrinterSettings{}, body.endRow, 70), 9);
    EXPECT_TRUE(BuildPrintStream(m, {}, 50, 70).header.startsWith("SIZE 50 mm, 9 mm\r\n"));
}

TEST(PrintStreamBody, SavePaper0MovesContentUpToEighty) {
    const MonoImage m = Inked(400, 560, {{0, 8, 200, 210}, {0, 8, 300, 305}});
    const PrintStreamBody saved = BuildPrintStreamBody(m, 0);
    EXPECT_EQ(Bitmaps(saved.bytes), (Bands{{0, 80, 1, 10}, {0, 180, 1, 5}}));
    EXPECT_EQ(saved.endRow, 304 - 120);
    EXPECT_EQ(PrintLength(PrinterSettings{}, saved.endRow, 70), int((184 + 80) * 25.4 / 203));
    EXPECT_EQ(Bitmaps(BuildPrintStreamBody(m, 1).bytes), (Bands{{0, 200, 1, 10}, {0, 300, 1, 5}}));
    PrinterSettings s;
    s.SavePaper = 1;
    EXPECT_EQ(PrintLength(s, BuildPrintStreamBody(m, 1).endRow, 70), 70);
    s.SavePaper = 2;  // rows kept, length still from the content
    EXPECT_EQ(PrintLength(s, BuildPrintStreamBody(m, 2).endRow, 70), int((304 + 80) * 25.4 / 203));
}

TEST(PrintStreamBody, ManyNarrowBandsGrowTheBody) {
    // Every other row inked: far more command text than stride x height + 1024.
    MonoImage m(8, 2000);
    for (int y = 0; y < 2000; y += 2) m.SetBlack(0, y);
    const QByteArray body = BuildPrintStreamBody(m, 1).bytes;
    EXPECT_EQ(Bitmaps(body).size(), 1000);
    EXPECT_TRUE(body.endsWith("PRINT 1,1\r\n"));
}

TEST(PrintStreamHeader, DefaultsAndVariants) {
    EXPECT_EQ(BuildPrintStreamHeader(PrinterSettings{}, 50, 33),
              "SIZE 50 mm, 33 mm\r\nGAP 2.0 mm,0 mm\r\nREFERENCE 0, 0\r\nSPEED 2\r\nDENSITY 7\r\n"
              "SET PEEL OFF\r\nSET CUTTER OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET TEAR ON\r\n"
              "DIRECTION 0\r\nSHIFT 0\r\nOFFSET 0 mm\r\nCLS\r\n");
    struct Case {
        int labelType, cutting, every;
        const char16_t* gap;
        QByteArray expect;
    };
    const QByteArray tearOff = "DENSITY 7\r\nSET TEAR OFF\r\nSET ";
    const Case cases[] = {
        {1, 1, 0, u"3.5", "\r\nBLINE 3.5 mm,0 mm\r\nREFERENCE"},
        {2, 1, 0, u"3.5", "\r\nGAP 0 mm,0 mm\r\nREFERENCE"},
        {7, 1, 0, u"3.5", "\r\nGAP 3.5 mm,0 mm\r\nREFERENCE"},  // unknown types are gaps
        {0, 1, 0, u"2,5\u00b5", "\r\nGAP 2,5\xb5 mm,0 mm\r\n"},  // the text as Latin-1
        {0, 0, 0, u"2", tearOff + "CUTTER OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET PEEL ON\r\nDIRECTION"},
        {0, 2, 0, u"2", tearOff + "PEEL OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET CUTTER BATCH\r\nDIRECTION"},
        {0, 3, -2, u"2", tearOff + "PEEL OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET CUTTER -2\r\nDIRECTION"},
        {0, 9, 0, u"2", "\r\nDENSITY 7\r\nDIRECTION"}};
    for (const Case& c : cases) {
        PrinterSettings s;
        s.LabelType = c.labelType;
        s.Cutting = c.cutting;
        s.CuttingEveryLabel = c.every;
        s.Gap = QString::fromUtf16(c.gap);
        s.Offset = QStringLiteral("-1.5");
        const QByteArray h = BuildPrintStreamHeader(s, 40, 30);
        EXPECT_TRUE(h.contains(c.expect)) << c.expect.toStdString() << "\nnot in\n" << h.toStdString();
        EXPECT_TRUE(h.endsWith("\r\nOFFSET -1.5 mm\r\nCLS\r\n"));
    }
    // The largest step a file can hold stays the largest number instead of wrapping round.
    PrinterSettings top;
    top.Speed = top.Density = std::numeric_limits<int>::max();
    EXPECT_TRUE(BuildPrintStreamHeader(top, 40, 30).contains("\r\nSPEED 2147483647\r\nDENSITY 2147483647\r\n"));
}

}  // namespace
}  // namespace kestrix
