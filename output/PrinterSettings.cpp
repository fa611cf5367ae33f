#include "output/PrinterSettings.h"

#include <QDir>
#include <QStandardPaths>

#include "output/IniFile.h"

namespace kestrix {

QString PrinterSettingsPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("PrinterSettings.ini"));
}

void LoadPrinterSettings(PrinterSettings& settings, const QString& path) {
    LoadPrinterSettings(settings, IniFile::FromFile(path.isEmpty() ? PrinterSettingsPath() : path));
}

void LoadPrinterSettings(PrinterSettings& s, const IniFile& ini) {
    const QString section = QStringLiteral("Print Settings");
    const PrinterSettings defaults;
    s.Speed = ini.ReadInt(section, QStringLiteral("Speed"), defaults.Speed);
    s.Density = ini.ReadInt(section, QStringLiteral("Density"), defaults.Density);
    s.LabelType = ini.ReadInt(section, QStringLiteral("LabelType"), defaults.LabelType);
    s.Gap = ini.ReadString(section, QStringLiteral("Gap"), defaults.Gap).left(kSettingTextChars);
    s.SavePaper = ini.ReadInt(section, QStringLiteral("SavePaper"), defaults.SavePaper);
    s.Media = ini.ReadInt(section, QStringLiteral("Media"), defaults.Media);
    s.Cutting = ini.ReadInt(section, QStringLiteral("Cutting"), defaults.Cutting);
    s.CuttingEveryLabel = LeadingInt(ini.ReadString(section, QStringLiteral("CuttingEveryLabel"), QStringLiteral("0")));
    s.Offset = ini.ReadString(section, QStringLiteral("Offset"), defaults.Offset).left(kSettingTextChars);
    s.Device = ini.ReadString(section, QStringLiteral("Device"), defaults.Device);
}

}  // namespace kestrix
