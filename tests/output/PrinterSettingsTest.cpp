// PrinterSettings.ini: defaults, the nine keys, and the private-profile reading
// rules (case, spacing, first key wins, integers from leading digits, text
// values bounded to 63 characters).

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "output/IniFile.h"
#include "output/PrinterSettings.h"

namespace kestrix {
namespace {

// Speed, Density, LabelType, Gap, Media, SavePaper, Cutting, CuttingEveryLabel, Offset.
using Values = std::tuple<int, int, int, std::string, int, int, int, int, std::string>;
const Values kDefaults{1, 6, 0, "2.0", 0, 0, 1, 0, "0"};

Values Read(const PrinterSettings& s) {
    return {s.Speed,     s.Density, s.LabelType,         s.Gap.toStdString(),   s.Media,
            s.SavePaper, s.Cutting, s.CuttingEveryLabel, s.Offset.toStdString()};
}

TEST(PrinterSettings, DefaultsAndThePrivateProfileRules) {
    QTemporaryDir dir;
    PrinterSettings missing;
    missing.Speed = 9;
    LoadPrinterSettings(missing, dir.filePath("PrinterSettings.ini"));
    EXPECT_EQ(Read(missing), kDefaults) << "a missing file gives the defaults";
    const QByteArray head = "[Print Settings]\n";
    const std::pair<QByteArray, Values> cases[] = {
        {"[Print Settings]\r\nSpeed=3\r\nDensity=12\r\nLabelType=1\r\nGap=3.5\r\nSavePaper=1\r\nMedia=2\r\n"
         "Cutting=3\r\nCuttingEveryLabel=5\r\nOffset=-1.5\r\n",
         {3, 12, 1, "3.5", 2, 1, 3, 5, "-1.5"}},
        // Names ignore case and spacing (checked by the acceptance checks too), after a byte order mark.
        {"\xef\xbb\xbf  [ print SETTINGS ]  \n  speed =  4 \n", {4, 6, 0, "2.0", 0, 0, 1, 0, "0"}},
        // Only the first key of the right section counts; a section named again continues.
        {"Speed=7\n[Other]\nDensity=1\n" + head + "; Speed=8\nSpeed=2\nSpeed=5\n[print settings]\nCutting=0\n",
         {2, 6, 0, "2.0", 0, 0, 0, 0, "0"}},
        // Integers from their leading digits; an empty one keeps the default.
        {head + "Speed=3fast\nDensity=\nLabelType=99999999999\nMedia=x\nCutting=-99999999999\n"
                "CuttingEveryLabel=-2\nSavePaper=+2\n",
         {3, 6, 2147483647, "2.0", 0, 2, -2147483647 - 1, -2, "0"}},
        // Text values are trimmed and cut to 63 characters; an empty one is used as it is.
        {head + "Gap=" + QByteArray(100, '7') + "\nOffset= 2 mm \n",
         {1, 6, 0, std::string(63, '7'), 0, 0, 1, 0, "2 mm"}},
        {head + "Gap=\n", {1, 6, 0, "", 0, 0, 1, 0, "0"}},
        // One pair of enclosing quotes, single or double, is dropped after trimming; what is inside
        // stays as it is and integers are read from it. A quote without its partner is kept.
        {head + "Gap=\"3.0\"\nOffset=' 1.5 '\nSpeed=\"4\"\nDensity=' 9'\nLabelType=\"1\nCutting=\"\"\n"
                "CuttingEveryLabel=\"-3\"\nMedia='2\"\n",
         {4, 9, 0, "3.0", 0, 0, 1, -3, " 1.5 "}},
        {head + "Gap=\"\nOffset=\"2.0\" ; mm\n", {1, 6, 0, "\"", 0, 0, 1, 0, "\"2.0\" ; mm"}},
        {QByteArray("\0\xff\xfe[Print Settings\nSpeed", 24), kDefaults},
        {head + "=5\nSpeed\n", kDefaults},
    };
    for (const auto& [text, want] : cases) {
        PrinterSettings s;
        LoadPrinterSettings(s, IniFile::FromText(text));
        EXPECT_EQ(Read(s), want) << text.toStdString();
    }
}

}  // namespace
}  // namespace kestrix
