#pragma once

// Qt's own texts (the standard buttons, the file dialogs) in the language
// the program shows: without them a German program opens English dialogs.

#include <string>

namespace zav::ui {

/// Loads Qt's translations for locale (the language file's, "de", "zh_CN")
/// and drops those of the previous one. English needs none; a locale Qt has
/// no translations for keeps Qt's English.
void useQtTranslations(const std::string& locale);

} // namespace zav::ui
