// Start-up: language from the locale and mysetup.ini, the settings file
// rewritten on every start (or created), the per-user fallback when the
// data folder cannot be written, and the initial document.

#include "data_file.h"
#include "defaults.h"
#include "ini_file.h"
#include "startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zav;

namespace {

/// An installed layout in a temporary folder: <root>/V300 is the program
/// folder with the English, Chinese and German files, <root>/language/mysetup.ini
/// the settings file, <root>/languages the user's language folder.
struct Layout {
    QTemporaryDir root;
    QString programDir() const { return root.filePath("V300"); }
    QString settingsFile() const { return root.filePath("language/mysetup.ini"); }
    QString userDir() const { return root.filePath("user"); }
    QString userLanguageDir() const { return root.filePath("languages"); }
    Layout()
    {
        QDir().mkpath(programDir() + "/language");
        QDir().mkpath(root.filePath("language"));
        const QString source = qEnvironmentVariable("ZAV_SOURCE_DIR") + "/data/language/";
        for (const char* name : {"english.ini", "chinese.ini", "german.ini"})
            QFile::copy(source + name, programDir() + "/language/" + name);
    }
    StartupOptions options(const QString& locale) const
    {
        return {programDir().toStdString(), locale.toStdString(), userDir().toStdString(),
                userLanguageDir().toStdString()};
    }
};

bool Write(const QString& path, const QByteArray& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

QString Key(const std::string& file, const char* key)
{
    return QString::fromStdString(readProfileString(file, "language", key));
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void languageFromLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("language");
        QTest::newRow("PRC") << "zh_CN.UTF-8" << 2;
        QTest::newRow("PRC, BCP 47") << "zh-CN" << 2;
        QTest::newRow("Taiwan") << "zh_TW.UTF-8" << 1;
        QTest::newRow("Hong Kong") << "zh_HK" << 1;
        QTest::newRow("US") << "en_US.UTF-8" << 1;
        QTest::newRow("C") << "C" << 1;
        QTest::newRow("empty") << "" << 1;
    }
    void languageFromLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, language);
        QCOMPARE(zav::languageFromLocale(locale.toStdString()), language);
        QCOMPARE(QString::fromStdString(languageFileFor(language)),
                 language == 2 ? QString("chinese.ini") : QString("english.ini"));
    }

    void settingsFile_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("ini"); // "-" for no file
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("languageFile");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("firstRun");
        QTest::addColumn<QString>("writtenLanguage");
        QTest::addColumn<QString>("missing"); // what start-up reports as without a file

        const QByteArray firstRun = "[language]\r\nIsFirstRun=1\r\ncomPort=3\r\nCurrentLanguage=1\r\n";
        QTest::newRow("first run, PRC locale") << "zh_CN.UTF-8" << firstRun << 2 << "chinese.ini" << 3 << true << "2" << "";
        QTest::newRow("first run, Taiwan locale") << "zh_TW" << firstRun << 1 << "english.ini" << 3 << true << "1" << "";
        QTest::newRow("first run, German locale") << "de_AT.UTF-8" << firstRun << 3 << "german.ini" << 3 << true << "3" << "";
        QTest::newRow("first run, no file for the locale") << "pl_PL" << firstRun << 1 << "english.ini" << 3 << true << "1" << "";
        QTest::newRow("first run as True") << "zh_CN" << QByteArray("[language]\nIsFirstRun=True\nCurrentLanguage=1\n")
                                           << 2 << "chinese.ini" << 1 << true << "2" << "";
        const QByteArray chinese = "[language]\nIsFirstRun=0\ncomPort=2\nCurrentLanguage=2\n";
        QTest::newRow("stored Chinese") << "en_US" << chinese << 2 << "chinese.ini" << 2 << false << "2" << "";
        const QByteArray english = "[LANGUAGE]\nIsFirstRun = 0\ncomPort = 4 \nCurrentLanguage= 1\n";
        QTest::newRow("stored English, loose spelling") << "zh_CN" << english << 1 << "english.ini" << 4 << false
                                                        << "1" << "";
        const QByteArray german = "[language]\nIsFirstRun=0\ncomPort=1\nCurrentLanguage=3\nLanguageLocale=de\n";
        QTest::newRow("stored German") << "zh_CN" << german << 3 << "german.ini" << 1 << false << "3" << "";
        // A language whose file is gone, or a number no program gave, shows
        // English and says so; never empty captions.
        const QByteArray french = "[language]\nIsFirstRun=0\ncomPort=1\nCurrentLanguage=3\nLanguageLocale=fr\n";
        QTest::newRow("stored language without a file") << "de_DE" << french << 1 << "english.ini" << 1 << false << "1"
                                                        << "3 (fr)";
        const QByteArray three = "[language]\nIsFirstRun=0\ncomPort=1\nCurrentLanguage=3\n";
        QTest::newRow("language 3 without a locale") << "zh_CN" << three << 1 << "english.ini" << 1 << false << "1"
                                                     << "3";
        const QByteArray seven = "[language]\nIsFirstRun=0\ncomPort=1\nCurrentLanguage=7\n";
        QTest::newRow("unknown language number") << "zh_CN" << seven << 1 << "english.ini" << 1 << false << "1" << "7";
        QTest::newRow("no file") << "zh_CN" << QByteArray("-") << 2 << "chinese.ini" << 1 << true << "2" << "";
        QTest::newRow("empty file") << "en_US" << QByteArray() << 1 << "english.ini" << 1 << true << "1" << "";
        const QByteArray junk = "[language]\nIsFirstRun=0\ncomPort=COM3\nCurrentLanguage=x\n";
        QTest::newRow("values not numbers") << "zh_CN" << junk << 2 << "chinese.ini" << 1 << false << "2" << "";
        const QByteArray big = "[language]\nIsFirstRun=0\ncomPort=70000\nCurrentLanguage=2\n";
        QTest::newRow("port out of range") << "en_US" << big << 2 << "chinese.ini" << 1 << false << "2" << "";
        const QByteArray unsure = "[language]\nIsFirstRun=maybe\ncomPort=5\nCurrentLanguage=2\n";
        QTest::newRow("first-run flag unreadable") << "en_US" << unsure << 1 << "english.ini" << 5 << true << "1" << "";
    }
    void settingsFile()
    {
        QFETCH(QString, locale);
        QFETCH(QByteArray, ini);
        QFETCH(int, language);
        QFETCH(QString, languageFile);
        QFETCH(int, port);
        QFETCH(bool, firstRun);
        QFETCH(QString, writtenLanguage);
        QFETCH(QString, missing);
        Layout layout;
        if (ini != "-")
            QVERIFY(Write(layout.settingsFile(), ini));
        Session s;
        const StartupReport report = runStartup(s, layout.options(locale));

        QCOMPARE(s.settings.language, language);
        QCOMPARE(QString::fromStdString(report.missingLanguage), missing);
        QCOMPARE(QString::fromStdString(s.settings.languageFile), layout.programDir() + "/language/" + languageFile);
        QVERIFY(!s.text(9017).empty());
        QCOMPARE(s.settings.portNumber, port);
        QCOMPARE(s.settings.isFirstRun, firstRun);
        QCOMPARE(QString::fromStdString(s.texts.file()), layout.programDir() + "/language/" + languageFile);

        const std::string file = layout.settingsFile().toStdString();
        QCOMPARE(QString::fromStdString(s.paths.settingsFile), layout.settingsFile());
        QCOMPARE(Key(file, "IsFirstRun"), QString("0"));
        QCOMPARE(Key(file, "comPort"), QString::number(port));
        QCOMPARE(Key(file, "CurrentLanguage"), writtenLanguage);
        QCOMPARE(Key(file, "LanguageLocale"), QString::fromStdString(s.settings.languageLocale));
    }

    void languageFileGoneFallsBackToEnglish()
    {
        Layout layout;
        QVERIFY(QFile::remove(layout.programDir() + "/language/chinese.ini"));
        QVERIFY(Write(layout.settingsFile(), "[language]\nIsFirstRun=0\ncomPort=1\nCurrentLanguage=2\n"));
        Session s;
        const StartupReport report = runStartup(s, layout.options("zh_CN.UTF-8"));
        QCOMPARE(s.settings.language, 1);
        QCOMPARE(QString::fromStdString(report.missingLanguage), QString("2"));
        QCOMPARE(QString::fromStdString(s.text(9017)), QString("OK"));
        QCOMPARE(Key(layout.settingsFile().toStdString(), "CurrentLanguage"), QString("1"));
    }

    void languageOfTheUsersFolder()
    {
        Layout layout;
        QDir().mkpath(layout.userLanguageDir());
        QVERIFY(Write(layout.userLanguageDir() + "/dansk.ini", "[Language]\nName=Dansk\nLocale=da\n[Msg]\n9017=OK\n"));
        QVERIFY(Write(layout.settingsFile(), "[language]\nIsFirstRun=0\ncomPort=1\nCurrentLanguage=3\nLanguageLocale=da\n"));
        Session s;
        const StartupReport report = runStartup(s, layout.options("en_US"));
        QVERIFY(report.missingLanguage.empty());
        QCOMPARE(s.settings.language, 3);
        QCOMPARE(QString::fromStdString(s.texts.file()), layout.userLanguageDir() + "/dansk.ini");
        // The locale's language is what the first captions are in.
        QCOMPARE(QString::fromStdString(report.localeLanguageFile), layout.programDir() + "/language/english.ini");
    }

    void otherLinesOfTheSettingsFileStay()
    {
        Layout layout;
        QVERIFY(Write(layout.settingsFile(), "; settings\n[language]\nIsFirstRun=0\nextra=keep me\n"
                                             "comPort=2\nCurrentLanguage=1\n[other]\nx=1\n"));
        Session s;
        runStartup(s, layout.options("en_US"));
        const std::string file = layout.settingsFile().toStdString();
        QCOMPARE(Key(file, "extra"), QString("keep me"));
        QCOMPARE(QString::fromStdString(readProfileString(file, "other", "x")), QString("1"));
    }

    void dataFolderNotWritable_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("settings folder is a file") << "file";
        QTest::newRow("settings folder read-only") << "readonly";
    }
    void dataFolderNotWritable()
    {
        QFETCH(QString, how);
        Layout layout;
        const QString languageDir = layout.root.filePath("language");
        if (how == "file") {
            QVERIFY(QDir(languageDir).removeRecursively());
            QVERIFY(Write(languageDir, "not a folder"));
        } else {
            QVERIFY(Write(layout.settingsFile(), "[language]\nIsFirstRun=0\ncomPort=6\nCurrentLanguage=2\n"));
            QFile::setPermissions(languageDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            QFile probe(languageDir + "/probe");
            const bool writable = probe.open(QIODevice::WriteOnly);
            if (writable)
                probe.remove();
            if (writable) {
                QFile::setPermissions(languageDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
                QSKIP("this user writes into read-only folders");
            }
        }
        Session s;
        runStartup(s, layout.options("en_US"));
        QFile::setPermissions(languageDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        const QString userFile = layout.userDir() + "/mysetup.ini";
        QCOMPARE(QString::fromStdString(s.paths.settingsFile), userFile);
        const std::string file = userFile.toStdString();
        QCOMPARE(Key(file, "IsFirstRun"), QString("0"));
        if (how == "readonly") {
            // The values of the data folder's file carry over.
            QCOMPARE(s.settings.portNumber, 6);
            QCOMPARE(s.settings.language, 2);
            QCOMPARE(Key(file, "comPort"), QString("6"));
        } else {
            QCOMPARE(Key(file, "comPort"), QString("1"));
        }
        QCOMPARE(s.doc.activeCount(), 2);

        // The next start reads the per-user file.
        s.settings.portNumber = 9;
        storeComPort(s);
        Session again;
        runStartup(again, layout.options("en_US"));
        QCOMPARE(again.settings.portNumber, 9);
        QVERIFY(!again.settings.isFirstRun);
    }

    void storedPortAndLanguage()
    {
        Layout layout;
        QVERIFY(Write(layout.settingsFile(),
                      "[language]\nIsFirstRun=0\ncomPort=2\ncomDevice=/dev/ttyUSB0\nCurrentLanguage=1\n"));
        Session s;
        runStartup(s, layout.options("en_US"));
        QCOMPARE(QString::fromStdString(s.settings.portDevice), QString("/dev/ttyUSB0"));
        s.settings.portNumber = 7;
        s.settings.portDevice = "/dev/ttyS6";
        storeComPort(s);
        s.settings.language = 2;
        storeLanguage(s);
        const std::string file = layout.settingsFile().toStdString();
        QCOMPARE(Key(file, "comPort"), QString("7"));
        QCOMPARE(Key(file, "comDevice"), QString("/dev/ttyS6"));
        QCOMPARE(Key(file, "CurrentLanguage"), QString("2"));
    }

    void runStateAndInitialDocument()
    {
        Layout layout;
        QVERIFY(Write(layout.root.filePath("Version.ini"), "[Version]\nFirmVersionCount=1\n[Firm]\n0Firm=V300V210\n"));
        Session s;
        s.doc.image().ChannelMode = 4;
        s.doc.initPending = true;
        s.radioPassword = "1234";
        s.passwordAnswered = true;
        s.doc.model.bandLabel = "";
        runStartup(s, layout.options("en_US"));
        QVERIFY(s.versions.isCompatible("V300", "V210"));
        QCOMPARE(s.doc.model.modelName, std::string("ZAV415"));
        QCOMPARE(s.doc.model.bandLabel, std::string("25.615 - 30.105 MHz"));
        QCOMPARE(s.doc.model.bandLow, 25.615);
        QCOMPARE(s.doc.model.bandHigh, 30.105);
        QCOMPARE(int(s.doc.image().ChannelMode), 0);
        QVERIFY(!s.doc.initPending);
        QVERIFY(s.radioPassword.empty());
        QVERIFY(!s.passwordAnswered);
        QVERIFY(s.doc.isUntitled);
        QVERIFY(!s.doc.isModified());
        QCOMPARE(s.doc.image().Header.Version.raw(), std::string("V300"));
        QCOMPARE(s.doc.active()[0].RxFrequency.raw(), std::string("02786000"));
    }

    void startupTemplate()
    {
        Layout layout;
        Document t;
        buildNewDocument(t, "", TemplateVariant::NewDocument);
        t.image().ChannelCount = 0;
        appendDefaultChannel(t, 44, 26.0, false);
        QDir().mkpath(layout.programDir() + "/Init");
        QVERIFY(saveDocument(t, (layout.programDir() + "/Init/ZAV415_0_NEW.dat").toStdString()));
        Session s;
        runStartup(s, layout.options("en_US"));
        QCOMPARE(s.doc.activeCount(), 1);
        QCOMPARE(int(s.doc.active()[0].Number), 44);
        QVERIFY(s.doc.isUntitled);
        QCOMPARE(s.doc.documentPath, std::string("new.dat"));
    }
};

QTEST_APPLESS_MAIN(TestStartup)
#include "test_startup.moc"
