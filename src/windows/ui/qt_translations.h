#pragma once

// Qt's own texts (the standard buttons, the file dialogs) in the language
// the program shows: without them a Chinese program opens English dialogs.

namespace zav::ui {

/// Loads Qt's translations for language (the program's language number)
/// and drops those of the previous one. English needs none.
void useQtTranslations(int language);

} // namespace zav::ui
