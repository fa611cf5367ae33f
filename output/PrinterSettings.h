#pragma once
// The options that shape the direct-print command stream, read from
// PrinterSettings.ini (section "Print Settings") once when the canvas starts.

#include <QString>

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
};

// Gap and Offset keep at most this many characters.
constexpr int kSettingTextChars = 63;

// ~/.config/PrinterSettings.ini
QString PrinterSettingsPath();
// Fills `settings` from the file at `path` (default location when empty);
// whatever is missing keeps its default. Never fails.
void LoadPrinterSettings(PrinterSettings& settings, const QString& path = {});
void LoadPrinterSettings(PrinterSettings& settings, const IniFile& ini);

}  // namespace kestrix
