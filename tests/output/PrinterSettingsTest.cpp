// Reading PrinterSettings.ini with the Windows profile meanings.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "output/IniFile.h"
#include "output/PrinterSettings.h"

namespace kestrix {
namespace {

PrinterSettings FromText(const QByteArray& text) {
    PrinterSettings s;
    s.Speed = 99;  // every field is written, even by defaults
    LoadPrinterSettings(s, IniFile::FromText(text));
    return s;
}

TEST(PrinterSettings, DefaultsWithoutFile) {
    QTemporaryDir dir;
    PrinterSettings s;
    s.Gap = QStringLiteral("x");
    LoadPrinterSettings(s, dir.filePath(QStringLiteral("missing.ini")));
    EXPECT_EQ(s.Speed, 1);
    EXPECT_EQ(s.Density, 6);
    EXPECT_EQ(s.LabelType, 0);
    EXPECT_EQ(s.Gap, QStringLiteral("2.0"));
    EXPECT_EQ(s.SavePaper, 0);
    EXPECT_EQ(s.Media, 0);
    EXPECT_EQ(s.Cutting, 1);
    EXPECT_EQ(s.CuttingEveryLabel, 0);
    EXPECT_EQ(s.Offset, QStringLiteral("0"));
}

TEST(PrinterSettings, KeyCaseSpacingAndSections) {
    const PrinterSettings s = FromText(
        "Speed=7\n"  // outside any section
        "[Other]\nDensity=1\n"
        "[print SETTINGS]\n  speed = 5 \nDENSITY=0\n\tsavepaper\t=\t1\nspeed=8\nLabelType=\n;Cutting=0\n");
    EXPECT_EQ(s.Speed, 5);
    EXPECT_EQ(s.Density, 0);
    EXPECT_EQ(s.SavePaper, 1);
    EXPECT_EQ(s.LabelType, 0) << "an empty integer keeps its default";
    EXPECT_EQ(s.Cutting, 1) << "a comment is not a key";
}

TEST(PrinterSettings, IntegersAreLeadingDigits) {
    const PrinterSettings s = FromText("[Print Settings]\nSpeed=3mm\nDensity=abc\nCutting=3\nCuttingEveryLabel=-2\n"
                                       "LabelType=7\n");
    EXPECT_EQ(s.Speed, 3);
    EXPECT_EQ(s.Density, 0);
    EXPECT_EQ(s.CuttingEveryLabel, -2);
    EXPECT_EQ(s.LabelType, 7);
}

TEST(PrinterSettings, LongTextsAreCutTo63Characters) {
    const QByteArray gap = QByteArray("1234567890.").repeated(7);
    const PrinterSettings s = FromText("[Print Settings]\nGap=" + gap + "\nOffset=" + gap + "\n");
    EXPECT_EQ(s.Gap, QString::fromLatin1(gap.left(63)));
    EXPECT_EQ(s.Offset.size(), 63);
}

}  // namespace
}  // namespace kestrix
