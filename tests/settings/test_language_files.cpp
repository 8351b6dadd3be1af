// The languages offered are the files found: installed and per-user
// folders, each file naming itself; broken files are skipped with the
// reason, a user's file replaces the installed one of its locale, and the
// system locale picks a file by its exact locale or by its language alone.

#include "language_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zav;

namespace {

bool Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray Header(const QByteArray& name, const QByteArray& locale)
{
    return "; a language\n[Language]\nName=" + name + "\nLocale=" + locale + "\n\n[Msg]\n9017=OK\n";
}

/// An installed folder with English, Chinese and German, and an empty
/// per-user folder.
struct Folders {
    QTemporaryDir root;
    QString installed() const { return root.filePath("V300/language"); }
    QString user() const { return root.filePath("user/language"); }
    std::vector<std::string> both() const { return {installed().toStdString(), user().toStdString()}; }
    Folders()
    {
        Write(installed() + "/english.ini", Header("English", "en"));
        Write(installed() + "/chinese.ini", Header("简体中文", "zh_CN"));
        Write(installed() + "/german.ini", Header("Deutsch", "de"));
        // The settings file shares the installed folder and is no language.
        Write(installed() + "/mysetup.ini", "[language]\nIsFirstRun=0\nCurrentLanguage=1\n");
        QDir().mkpath(user());
    }
};

QStringList Names(const LanguageFolders& found)
{
    QStringList names;
    for (const LanguageFile& l : found.languages)
        names << QString::fromStdString(l.name) + "/" + QString::fromStdString(l.locale) + "/" +
                     QString::number(l.number);
    return names;
}

} // namespace

class TestLanguageFiles : public QObject {
    Q_OBJECT
private slots:
    void installedLanguagesInTheirOrder()
    {
        Folders f;
        const LanguageFolders found = findLanguages(f.both());
        // English and Chinese keep 1 and 2; the rest follow by name, number 3.
        QCOMPARE(Names(found), (QStringList{"English/en/1", "简体中文/zh_CN/2", "Deutsch/de/3"}));
        QVERIFY(found.skipped.empty());
        QCOMPARE(QString::fromStdString(found.find("DE")->path), f.installed() + "/german.ini");
    }

    void fileDroppedIntoUserFolderAppears()
    {
        Folders f;
        QVERIFY(Write(f.user() + "/francais.ini", Header("Français", "fr")));
        // A user's own German replaces the installed one.
        QVERIFY(Write(f.user() + "/mein-deutsch.ini", Header("Deutsch (eigene)", "de")));
        const LanguageFolders found = findLanguages(f.both());
        QCOMPARE(Names(found), (QStringList{"English/en/1", "简体中文/zh_CN/2", "Deutsch (eigene)/de/3",
                                            "Français/fr/3"}));
        QCOMPARE(QString::fromStdString(found.find("de")->path), f.user() + "/mein-deutsch.ini");
    }

    void brokenFilesAreSkippedWithTheReason_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("problem");
        QTest::newRow("no header") << QByteArray("[Msg]\n9017=OK\n") << int(LanguageFileProblem::NoHeader);
        QTest::newRow("header without locale")
            << QByteArray("[Language]\nName=Svenska\n[Msg]\n9017=OK\n") << int(LanguageFileProblem::NoHeader);
        QTest::newRow("empty name") << QByteArray("[Language]\nName=\nLocale=sv\n") << int(LanguageFileProblem::NoHeader);
        QTest::newRow("Latin-1, not UTF-8")
            << QByteArray("[Language]\nName=Fran\xe7" "ais\nLocale=fr\n") << int(LanguageFileProblem::NotUtf8);
        QTest::newRow("cut UTF-8 sequence at the end")
            << QByteArray("[Language]\nName=x\nLocale=fr\n9017=\xc3") << int(LanguageFileProblem::NotUtf8);
        QTest::newRow("empty file") << QByteArray() << int(LanguageFileProblem::NoHeader);
    }
    void brokenFilesAreSkippedWithTheReason()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, problem);
        Folders f;
        const QString path = f.user() + "/broken.ini";
        QVERIFY(Write(path, bytes));
        const LanguageFolders found = findLanguages(f.both());
        QCOMPARE(Names(found), (QStringList{"English/en/1", "简体中文/zh_CN/2", "Deutsch/de/3"}));
        QCOMPARE(found.skipped.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(found.skipped[0].path), path);
        QCOMPARE(int(found.skipped[0].problem), problem);
    }

    void unreadableFileAndMissingFolders()
    {
        Folders f;
        QVERIFY(QDir().mkpath(f.user() + "/folder.ini")); // a folder with a language's name
        const LanguageFolders found =
            findLanguages({f.installed().toStdString(), f.root.filePath("gone").toStdString(), "", f.user().toStdString()});
        QCOMPARE(found.languages.size(), std::size_t(3));
        QCOMPARE(found.skipped.size(), std::size_t(1));
        QCOMPARE(int(found.skipped[0].problem), int(LanguageFileProblem::Unreadable));
    }

    void systemLocalePicksAFile_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("picked"); // "" for none
        QTest::newRow("German, Germany") << "de_DE.UTF-8" << "de";
        QTest::newRow("German, Austria, BCP 47") << "de-AT" << "de";
        QTest::newRow("German alone") << "de" << "de";
        QTest::newRow("PRC") << "zh_CN.UTF-8" << "zh_CN";
        QTest::newRow("PRC, BCP 47") << "zh-CN" << "zh_CN";
        QTest::newRow("Taiwan") << "zh_TW.UTF-8" << "";
        QTest::newRow("Hong Kong") << "zh_HK" << "";
        QTest::newRow("US") << "en_US.UTF-8" << "en";
        QTest::newRow("Polish, no file") << "pl_PL.UTF-8" << "";
        QTest::newRow("C") << "C" << "";
        QTest::newRow("empty") << "" << "";
    }
    void systemLocalePicksAFile()
    {
        QFETCH(QString, locale);
        QFETCH(QString, picked);
        Folders f;
        const LanguageFolders found = findLanguages(f.both());
        const LanguageFile* language = found.forSystemLocale(locale.toStdString());
        QCOMPARE(language ? QString::fromStdString(language->locale) : QString(), picked);
    }

    void localeNames_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("normal");
        QTest::addColumn<int>("number");
        QTest::newRow("glibc") << "de_DE.UTF-8" << "de_DE" << 3;
        QTest::newRow("modifier") << "ca_ES@valencia" << "ca_ES" << 3;
        QTest::newRow("BCP 47, odd case") << "ZH-cn" << "zh_CN" << 2;
        QTest::newRow("English") << "en" << "en" << 1;
        QTest::newRow("English of a country") << "en_GB" << "en_GB" << 3;
    }
    void localeNames()
    {
        QFETCH(QString, given);
        QFETCH(QString, normal);
        QFETCH(int, number);
        QCOMPARE(QString::fromStdString(normalizedLocale(given.toStdString())), normal);
        QCOMPARE(languageNumberForLocale(given.toStdString()), number);
    }
};

QTEST_APPLESS_MAIN(TestLanguageFiles)
#include "test_language_files.moc"
