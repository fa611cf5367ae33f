#pragma once
// The options that shape the direct-print command stream, read from
// PrinterSettings.ini (section "Print Settings") once when the canvas starts,
// and again whenever the Printer Settings dialog has written the file.

#include <QString>
#include <QStringList>

#include "document/UiLanguage.h"

namespace kestrix {

class IniFile;

struct PrinterSettings {
    int Speed = 1;
    int Density = 6;
    int LabelType = 0;
    QString Gap = QStringLiteral("2.0");
    int Media = 0;
    int SavePaper = 0;
    int Cutting = 1;
    int CuttingEveryLabel = 0;
    QString Offset = QStringLiteral("0");
    // Where the direct stream goes (a PrinterAddress); empty: the USB printer.
    QString Device;

    bool operator==(const PrinterSettings&) const = default;
};

// Gap and Offset keep at most this many characters.
constexpr int kSettingTextChars = 63;

// ~/.config/PrinterSettings.ini
QString PrinterSettingsPath();
// Fills `settings` from the file at `path` (default location when empty);
// whatever is missing keeps its default. Never fails.
void LoadPrinterSettings(PrinterSettings& settings, const QString& path = {});
void LoadPrinterSettings(PrinterSettings& settings, const IniFile& ini);

// The ranges the settings dialog accepts (a hand-edited file may hold anything).
struct SettingRange {
    double low;
    double high;
};
inline constexpr SettingRange kSpeedRange{0, 13};    // SPEED 1 to 14
inline constexpr SettingRange kDensityRange{0, 14};  // DENSITY 1 to 15
inline constexpr SettingRange kGapRange{0, 30};
inline constexpr SettingRange kOffsetRange{-30, 30};
inline constexpr SettingRange kCutEveryRange{1, 65535};
inline constexpr SettingRange kMediaRange{0, 255};

// What is out of range in `settings`, one line each in `language`; empty when
// everything can be sent. Gap and Offset must be decimal numbers ("2.0", "-1.5").
QStringList PrinterSettingsProblems(const PrinterSettings& settings, UiLanguage language);

// Writes every key of the file at `path` (default location when empty) as a
// whole: a temporary file beside it is renamed over it, so a failure leaves
// the old file as it was. On failure `error` says why.
bool SavePrinterSettings(const PrinterSettings& settings, const QString& path, QString* error);

}  // namespace kestrix
