#pragma once
// Qt's own dialogs and buttons (file, font and print dialogs, Yes/No/Cancel)
// in the interface language.

#include "document/UiLanguage.h"

class QCoreApplication;

namespace kestrix {

// Installs Qt's translation for Chinese. False when it is needed and not
// installed on the system.
bool InstallQtTranslation(QCoreApplication& app, UiLanguage language);

}  // namespace kestrix
