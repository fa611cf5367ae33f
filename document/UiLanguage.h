#pragma once
// The interface language, chosen once at start-up from the system locale and
// handed to everything that shows or returns text for the user: the file
// readers' and the print jobs' messages as much as the windows.

#include <QLocale>
#include <QString>

namespace kestrix {

enum class UiLanguage { English, Chinese };

// Chinese only for Chinese (China); every other locale, zh_TW included, is English.
UiLanguage LanguageForLocale(const QLocale& locale);

// One text in both languages: a row of a text table.
struct UiTexts {
    const char* english;
    const char* chinese;
};

// The text of the interface language.
inline QString UiText(UiLanguage language, const char* english, const char* chinese) {
    return QString::fromUtf8(language == UiLanguage::Chinese ? chinese : english);
}
inline QString UiText(UiLanguage language, const UiTexts& texts) {
    return UiText(language, texts.english, texts.chinese);
}

// The caption of every message box: the product's name in each language.
inline constexpr UiTexts kProductCaption{"Kestrix", "Dravel标签编辑器"};

// The file dialogs' filter for label files.
inline QString LabelFileFilter(UiLanguage language) {
    return UiText(language, "Label Files (*.lab)", "标签文件(*.lab)");
}

}  // namespace kestrix
