// PrinterSettings.ini: defaults, the nine keys, the private-profile reading
// rules (case, spacing, first key wins, integers from leading digits) and the
// bounded text fields.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "DocumentTestSupport.h"
#include "output/IniFile.h"
#include "output/PrinterSettings.h"

namespace kestrix {
namespace {

PrinterSettings FromText(const QByteArray& text) {
    PrinterSettings s;
    LoadPrinterSettings(s, IniFile::FromText(text));
    return s;
}

void ExpectDefaults(const PrinterSettings& s) {
    EXPECT_EQ(s.Speed, 1);
    EXPECT_EQ(s.Density, 6);
    EXPECT_EQ(s.LabelType, 0);
    EXPECT_EQ(s.Gap, "2.0");
    EXPECT_EQ(s.SavePaper, 0);
    EXPECT_EQ(s.Media, 0);
    EXPECT_EQ(s.Cutting, 1);
    EXPECT_EQ(s.CuttingEveryLabel, 0);
    EXPECT_EQ(s.Offset, "0");
}

TEST(PrinterSettingsFile, MissingFileGivesTheDefaults) {
    QTemporaryDir dir;
    PrinterSettings s;
    s.Speed = 9;
    s.Gap = "9";
    LoadPrinterSettings(s, dir.filePath("PrinterSettings.ini"));
    ExpectDefaults(s);
}

TEST(PrinterSettingsFile, EveryKeyIsRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath("PrinterSettings.ini");
    ASSERT_TRUE(test::WriteFileBytes(path, "[Print Settings]\r\nSpeed=3\r\nDensity=12\r\nLabelType=1\r\n"
                                           "Gap=3.5\r\nSavePaper=1\r\nMedia=2\r\nCutting=3\r\n"
                                           "CuttingEveryLabel=5\r\nOffset=-1.5\r\n"));
    PrinterSettings s;
    LoadPrinterSettings(s, path);
    EXPECT_EQ(s.Speed, 3);
    EXPECT_EQ(s.Density, 12);
    EXPECT_EQ(s.LabelType, 1);
    EXPECT_EQ(s.Gap, "3.5");
    EXPECT_EQ(s.SavePaper, 1);
    EXPECT_EQ(s.Media, 2);
    EXPECT_EQ(s.Cutting, 3);
    EXPECT_EQ(s.CuttingEveryLabel, 5);
    EXPECT_EQ(s.Offset, "-1.5");
}

TEST(PrinterSettingsFile, LivesInTheUserConfigFolder) {
    EXPECT_TRUE(PrinterSettingsPath().endsWith("/PrinterSettings.ini"));
}

TEST(PrinterSettingsReading, NamesIgnoreCaseAndSpacing) {
    const PrinterSettings s = FromText("\xef\xbb\xbf  [ print SETTINGS ]  \n  speed =  4 \n\tDENSITY\t=\t9\n gap = 1.5 \n");
    EXPECT_EQ(s.Speed, 4);
    EXPECT_EQ(s.Density, 9);
    EXPECT_EQ(s.Gap, "1.5");
}

TEST(PrinterSettingsReading, OnlyTheFirstKeyOfTheRightSectionCounts) {
    const PrinterSettings s = FromText(
        "Speed=7\n[Other]\nDensity=1\n[Print Settings]\n; Speed=8\nSpeed=2\nSpeed=5\n[print settings]\nCutting=0\n");
    EXPECT_EQ(s.Speed, 2);
    EXPECT_EQ(s.Density, 6);
    EXPECT_EQ(s.Cutting, 0) << "a section named again continues it";
}

TEST(PrinterSettingsReading, IntegersComeFromTheirLeadingDigits) {
    const PrinterSettings s = FromText("[Print Settings]\nSpeed=3fast\nDensity=\nLabelType=7\nMedia=x\n"
                                       "Cutting=-1\nCuttingEveryLabel=-2\nSavePaper=+2\n");
    EXPECT_EQ(s.Speed, 3);
    EXPECT_EQ(s.Density, 6) << "an empty value keeps the default";
    EXPECT_EQ(s.LabelType, 7) << "kept as it is; the stream treats it like 0";
    EXPECT_EQ(s.Media, 0);
    EXPECT_EQ(s.Cutting, -1);
    EXPECT_EQ(s.CuttingEveryLabel, -2);
    EXPECT_EQ(s.SavePaper, 2);

    EXPECT_EQ(LeadingInt("-"), 0);
    EXPECT_EQ(LeadingInt("99999999999"), 2147483647);
    EXPECT_EQ(LeadingInt("-99999999999"), -2147483647 - 1);
}

TEST(PrinterSettingsReading, TextValuesAreKeptAndBoundedTo63Characters) {
    const QByteArray longGap(100, '7');
    PrinterSettings s = FromText("[Print Settings]\nGap=" + longGap + "\nOffset=" + QByteArray(64, '1') + "\n");
    EXPECT_EQ(s.Gap, QString(63, u'7'));
    EXPECT_EQ(s.Offset, QString(63, u'1'));
    s = FromText("[Print Settings]\nGap=\nOffset= 2 mm \nCuttingEveryLabel=\n");
    EXPECT_EQ(s.Gap, "") << "an empty text value is used as it is";
    EXPECT_EQ(s.Offset, "2 mm");
    EXPECT_EQ(s.CuttingEveryLabel, 0);
}

TEST(PrinterSettingsReading, DamagedTextGivesDefaults) {
    ExpectDefaults(FromText(QByteArray("\0\xff\xfe[Print Settings\nSpeed", 24)));
    ExpectDefaults(FromText("[Print Settings]\n=5\nSpeed\n"));
}

}  // namespace
}  // namespace kestrix
