#include "qt_translations.h"

#include "session.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zav::ui {

void useQtTranslations(int language)
{
    static QTranslator* installed = nullptr;
    static int installedLanguage = 0;
    if (language == installedLanguage)
        return;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    installedLanguage = language;
    if (language != kChinese)
        return;
    auto* translator = new QTranslator;
    // "qt_zh_CN" gathers the catalogues of every Qt module.
    if (translator->load(QStringLiteral("qt_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        installed = translator;
    } else {
        delete translator;
    }
}

} // namespace zav::ui
