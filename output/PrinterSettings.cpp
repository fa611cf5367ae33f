#include "output/PrinterSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include "output/IniFile.h"

namespace kestrix {

namespace {

const QString kSection = QStringLiteral("Print Settings");

bool InRange(double value, SettingRange range) { return value >= range.low && value <= range.high; }

// A decimal number as the printer reads it in "GAP 2.0 mm": digits, one optional point, an optional minus.
bool InRange(const QString& text, SettingRange range) {
    static const QRegularExpression number(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    return number.match(text).hasMatch() && InRange(text.toDouble(), range);
}

QString RangeProblem(UiLanguage language, const UiTexts& name, SettingRange range) {
    return UiText(language, "%1 must be a number from %2 to %3.", "%1必须是 %2 到 %3 之间的数。")
        .arg(UiText(language, name))
        .arg(range.low)
        .arg(range.high);
}

}  // namespace

QString PrinterSettingsPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("PrinterSettings.ini"));
}

void LoadPrinterSettings(PrinterSettings& settings, const QString& path) {
    LoadPrinterSettings(settings, IniFile::FromFile(path.isEmpty() ? PrinterSettingsPath() : path));
}

void LoadPrinterSettings(PrinterSettings& s, const IniFile& ini) {
    const QString& section = kSection;
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

QStringList PrinterSettingsProblems(const PrinterSettings& s, UiLanguage language) {
    QStringList problems;
    // The dialog shows speed and darkness as the printer numbers them, one above the file's.
    if (!InRange(s.Speed, kSpeedRange))
        problems << RangeProblem(language, {"Print speed", "打印速度"}, {kSpeedRange.low + 1, kSpeedRange.high + 1});
    if (!InRange(s.Density, kDensityRange))
        problems << RangeProblem(language, {"Darkness", "打印浓度"}, {kDensityRange.low + 1, kDensityRange.high + 1});
    if (s.LabelType != 2 && !InRange(s.Gap, kGapRange))
        problems << RangeProblem(language, {"The gap (mm)", "间隙（毫米）"}, kGapRange);
    if (!InRange(s.Offset, kOffsetRange))
        problems << RangeProblem(language, {"The offset (mm)", "偏移（毫米）"}, kOffsetRange);
    if (s.Cutting == 3 && !InRange(s.CuttingEveryLabel, kCutEveryRange))
        problems << RangeProblem(language, {"Cut after every", "每隔几张切一次"}, kCutEveryRange);
    if (!InRange(s.Media, kMediaRange)) problems << RangeProblem(language, {"The media type", "介质类型"}, kMediaRange);
    return problems;
}

bool SavePrinterSettings(const PrinterSettings& s, const QString& path, QString* error) {
    QByteArray text = "[" + kSection.toUtf8() + "]\r\n";
    const auto key = [&text](const char* name, const QString& value) {
        text += QByteArray(name) + '=' + value.toUtf8() + "\r\n";
    };
    key("Speed", QString::number(s.Speed));
    key("Density", QString::number(s.Density));
    key("LabelType", QString::number(s.LabelType));
    key("Gap", s.Gap);
    key("SavePaper", QString::number(s.SavePaper));
    key("Media", QString::number(s.Media));
    key("Cutting", QString::number(s.Cutting));
    key("CuttingEveryLabel", QString::number(s.CuttingEveryLabel));
    key("Offset", s.Offset);
    if (!s.Device.isEmpty()) key("Device", s.Device);

    const QString target = path.isEmpty() ? PrinterSettingsPath() : path;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QSaveFile file(target);
    // A failed flush must stop the rename: commit() alone renames over a write that ran out of room.
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush() && file.commit())
        return true;
    if (error) *error = file.errorString();
    return false;
}

}  // namespace kestrix
