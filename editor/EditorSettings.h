#pragma once
// The editor's own settings (QSettings): the direct print job's printer and the
// data file of each label. PrinterSettings.ini is only ever read.

#include <QSettings>

namespace kestrix {

inline QSettings EditorSettings() {
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Kestrix"));
}

}  // namespace kestrix
