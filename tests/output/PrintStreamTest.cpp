// The band scan and the header of the direct-print stream.

#include <gtest/gtest.h>

#include <QList>

#include "output/PrintStream.h"

namespace kestrix {
namespace {

// A white w x h image with black rows [y0, y1) over pixel columns [x0, x1).
void Ink(MonoImage& m, int x0, int x1, int y0, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) m.SetBlack(x, y);
}

// The numbers of every BITMAP command, in order.
QList<QList<int>> Bitmaps(const QByteArray& body) {
    QList<QList<int>> out;
    for (qsizetype at = body.indexOf("BITMAP "); at >= 0; at = body.indexOf("BITMAP ", at + 1)) {
        const QList<QByteArray> parts = body.mid(at + 7, 40).split(',');
        out.append({parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()});
        at += 7 + parts[0].size() + parts[1].size() + parts[2].size() + parts[3].size() + 6 +
              parts[2].toInt() * parts[3].toInt();
    }
    return out;
}

TEST(PrintStreamBody, NoInkGivesOnlyPrintAndLengthNine) {
    const MonoImage m(400, 560);
    const PrintStreamBody body = BuildPrintStreamBody(m, 0);
    EXPECT_EQ(body.bytes, "PRINT 1,1\r\n");
    EXPECT_EQ(body.endRow, -1);
    const PrinterSettings s;
    EXPECT_EQ(PrintLength(s, body.endRow, 70), 9);
    EXPECT_TRUE(BuildPrintStream(m, s, 50, 70).header.startsWith("SIZE 50 mm, 9 mm\r\n"));
}

TEST(PrintStreamBody, FirstInkAtRow200MovesContentUpWithSavePaper0) {
    MonoImage m(400, 560);
    Ink(m, 0, 8, 200, 210);
    Ink(m, 0, 8, 300, 305);
    const PrintStreamBody saved = BuildPrintStreamBody(m, 0);
    EXPECT_EQ(Bitmaps(saved.bytes), (QList<QList<int>>{{0, 80, 1, 10}, {0, 180, 1, 5}}));
    EXPECT_EQ(saved.endRow, 304 - 120);
    EXPECT_EQ(PrintLength(PrinterSettings{}, saved.endRow, 70), static_cast<int>((184 + 80) * 25.4 / 203));

    const PrintStreamBody kept = BuildPrintStreamBody(m, 1);
    EXPECT_EQ(Bitmaps(kept.bytes), (QList<QList<int>>{{0, 200, 1, 10}, {0, 300, 1, 5}}));
    PrinterSettings s;
    s.SavePaper = 1;
    EXPECT_EQ(PrintLength(s, kept.endRow, 70), 70);
    s.SavePaper = 2;  // rows kept, length still from the content
    EXPECT_EQ(PrintLength(s, BuildPrintStreamBody(m, 2).endRow, 70), static_cast<int>((304 + 80) * 25.4 / 203));
}

TEST(PrintStreamBody, TouchingRowsFormOneBandSeparatedRowsTwo) {
    MonoImage touching(64, 40);
    Ink(touching, 0, 8, 5, 10);
    Ink(touching, 0, 8, 10, 15);
    EXPECT_EQ(Bitmaps(BuildPrintStreamBody(touching, 1).bytes), (QList<QList<int>>{{0, 5, 1, 10}}));

    MonoImage apart(64, 40);
    Ink(apart, 0, 8, 5, 10);
    Ink(apart, 0, 8, 11, 15);
    EXPECT_EQ(Bitmaps(BuildPrintStreamBody(apart, 1).bytes), (QList<QList<int>>{{0, 5, 1, 5}, {0, 11, 1, 4}}));
}

TEST(PrintStreamBody, InkInLastRowIsCounted) {
    MonoImage m(64, 40);
    Ink(m, 8, 9, 37, 40);
    EXPECT_EQ(Bitmaps(BuildPrintStreamBody(m, 1).bytes), (QList<QList<int>>{{8, 37, 1, 3}}));
    MonoImage single(64, 40);
    Ink(single, 8, 9, 39, 40);
    EXPECT_EQ(Bitmaps(BuildPrintStreamBody(single, 1).bytes), (QList<QList<int>>{{8, 39, 1, 1}}));
}

TEST(PrintStreamBody, BandCoversOnlyInkedByteColumnsWithRawBytes) {
    MonoImage m(400, 20);
    Ink(m, 24, 25, 4, 5);  // byte 3
    Ink(m, 47, 48, 5, 6);  // byte 5
    const QByteArray body = BuildPrintStreamBody(m, 1).bytes;
    EXPECT_EQ(Bitmaps(body), (QList<QList<int>>{{24, 4, 3, 2}}));
    const QByteArray expected = QByteArray("BITMAP 24,4,3,2,1,") + QByteArray("\x7f\xff\xff\xff\xff\xfe", 6) +
                                "\r\nPRINT 1,1\r\n";
    EXPECT_EQ(body, expected);
}

TEST(PrintStreamBody, ManyNarrowBandsGrowTheBody) {
    // Every other row inked: far more command text than stride x height + 1024.
    MonoImage m(8, 2000);
    for (int y = 0; y < 2000; y += 2) m.SetBlack(0, y);
    const QByteArray body = BuildPrintStreamBody(m, 1).bytes;
    EXPECT_EQ(Bitmaps(body).size(), 1000);
    EXPECT_GT(body.size(), 4 * 2000 + 1024);
    EXPECT_TRUE(body.endsWith("PRINT 1,1\r\n"));
}

TEST(PrintStreamHeader, DefaultSettings) {
    EXPECT_EQ(BuildPrintStreamHeader(PrinterSettings{}, 50, 33),
              "SIZE 50 mm, 33 mm\r\nGAP 2.0 mm,0 mm\r\nREFERENCE 0, 0\r\nSPEED 2\r\nDENSITY 7\r\n"
              "SET PEEL OFF\r\nSET CUTTER OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET TEAR ON\r\n"
              "DIRECTION 0\r\nSHIFT 0\r\nOFFSET 0 mm\r\nCLS\r\n");
}

TEST(PrintStreamHeader, LabelTypeAndCuttingVariants) {
    PrinterSettings s;
    s.Gap = QStringLiteral("3.5");
    s.LabelType = 1;
    EXPECT_TRUE(BuildPrintStreamHeader(s, 40, 30).contains("\r\nBLINE 3.5 mm,0 mm\r\nREFERENCE"));
    s.LabelType = 2;
    EXPECT_TRUE(BuildPrintStreamHeader(s, 40, 30).contains("\r\nGAP 0 mm,0 mm\r\nREFERENCE"));
    s.LabelType = 7;
    EXPECT_TRUE(BuildPrintStreamHeader(s, 40, 30).contains("\r\nGAP 3.5 mm,0 mm\r\nREFERENCE"));

    const auto setLines = [&](int cutting, int every = 0) {
        s.Cutting = cutting;
        s.CuttingEveryLabel = every;
        const QByteArray h = BuildPrintStreamHeader(s, 40, 30);
        const qsizetype from = h.indexOf("DENSITY");
        return h.mid(h.indexOf('\n', from) + 1, h.indexOf("DIRECTION") - h.indexOf('\n', from) - 1);
    };
    EXPECT_EQ(setLines(0), "SET TEAR OFF\r\nSET CUTTER OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET PEEL ON\r\n");
    EXPECT_EQ(setLines(2), "SET TEAR OFF\r\nSET PEEL OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET CUTTER BATCH\r\n");
    EXPECT_EQ(setLines(3, -2), "SET TEAR OFF\r\nSET PEEL OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET CUTTER -2\r\n");
    EXPECT_EQ(setLines(9), "");
}

TEST(PrintStreamHeader, GapAndOffsetAsLatin1Text) {
    PrinterSettings s;
    s.Gap = QStringLiteral("2,5\u00b5");
    s.Offset = QStringLiteral("-1.5");
    const QByteArray h = BuildPrintStreamHeader(s, 40, 30);
    EXPECT_TRUE(h.contains("GAP 2,5\xb5 mm,0 mm\r\n"));
    EXPECT_TRUE(h.contains("OFFSET -1.5 mm\r\nCLS\r\n"));
}

}  // namespace
}  // namespace kestrix
