#pragma once
// The interface language, chosen once at start-up from the system locale and
// handed to every window that shows text.

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace kestrix {

enum class UiLanguage { English, Chinese };

// Chinese only for Chinese (China); every other locale, zh_TW included, is English.
UiLanguage LanguageForLocale(const QLocale& locale);

// The language flag as the output code takes it: nonzero for Chinese.
inline int LanguageFlag(UiLanguage language) { return language == UiLanguage::Chinese ? 1 : 0; }

// The text of the interface language.
inline QString UiText(UiLanguage language, const char* english, const char* chinese) {
    return QString::fromUtf8(language == UiLanguage::Chinese ? chinese : english);
}

// Qt's own dialogs and buttons (file, font and print dialogs, Yes/No/Cancel)
// speak the interface language: installs Qt's translation for Chinese.
// False when it is needed and not installed on the system.
bool InstallQtTranslation(QCoreApplication& app, UiLanguage language);

// The file dialogs' filter for label files.
inline QString LabelFileFilter(UiLanguage language) {
    return UiText(language, "Lable Files(*.lab)", "标签文件(*.lab)");
}

}  // namespace kestrix
