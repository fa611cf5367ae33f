#include "document/UiLanguage.h"

namespace kestrix {

UiLanguage LanguageForLocale(const QLocale& locale) {
    return locale.language() == QLocale::Chinese && locale.territory() == QLocale::China ? UiLanguage::Chinese
                                                                                         : UiLanguage::English;
}

}  // namespace kestrix
