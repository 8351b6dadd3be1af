#include "qt_translations.h"

#include "language_files.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zav::ui {

void useQtTranslations(const std::string& locale)
{
    static QTranslator* installed = nullptr;
    static std::string installedLocale = kEnglishLocale;
    if (locale == installedLocale)
        return;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    installedLocale = locale;
    if (languageNumberForLocale(locale) == kEnglish)
        return;
    auto* translator = new QTranslator;
    // "qt_<locale>" gathers the catalogues of every Qt module; "de_AT" falls
    // back to "qt_de".
    if (translator->load(QLocale(QString::fromStdString(locale)), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        installed = translator;
    } else {
        delete translator;
    }
}

} // namespace zav::ui
