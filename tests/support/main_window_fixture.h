#pragma once

// A throw-away installed layout (program folder with the language files,
// data folder with the settings file) and a main window over it, with the
// settings store kept inside the same temporary folder.

#include "channel_fixture.h"
#include "window_names.h"
#include "data_file.h"
#include "main_window.h"
#include "prompts.h"
#include "session.h"
#include "startup.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace zav::test {

class ShellFixture {
public:
    explicit ShellFixture(int language = kEnglish)
        : ShellFixture(language == kChinese ? "zh_CN.UTF-8" : "en_US.UTF-8")
    {
    }

    /// A first start under the system locale (the language it picks).
    explicit ShellFixture(const char* locale)
    {
        const QString program = dir.filePath("dist/V300");
        QDir().mkpath(program + "/language");
        QDir().mkpath(program + "/Init");
        const QString source = qEnvironmentVariable("ZAV_SOURCE_DIR") + "/data/language/";
        for (const char* name : {"english.ini", "chinese.ini", "german.ini", "polish.ini", "italian.ini"})
            QFile::copy(source + name, program + "/language/" + name);
        const QDir pictures(qEnvironmentVariable("ZAV_SOURCE_DIR") + "/data/pictures");
        for (const QString& name : pictures.entryList(QDir::Files))
            QFile::copy(pictures.filePath(name), program + "/" + name);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
        QCoreApplication::setOrganizationName("zavprog-test");
        QCoreApplication::setApplicationName("zavprog-test");
        // Backups and recovery files of this fixture's runs stay in its folder.
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());

        startup.programDir = program.toStdString();
        startup.localeName = locale;
        startup.userConfigDir = dir.filePath("user").toStdString();
        startup.userLanguageDir = userLanguageDir().toStdString();
        restart();
    }

    /// Runs the start-up again (after a test changed the settings file or
    /// the language folders); what it reports goes to the next open().
    void restart()
    {
        started = runStartup(session, startup);
        ui::setMessageTitle(QString::fromStdString(session.text(12000)));
    }

    /// Creates the main window (after the test set up what it needs).
    MainWindow& open(const std::string& portOverride = {})
    {
        MainOptions options;
        options.shownLanguageFile = session.settings.languageFile;
        options.missingLanguage = started.missingLanguage;
        options.portOverride = portOverride;
        main = std::make_unique<MainWindow>(session, options);
        main->show();
        flush();
        return *main;
    }

    /// Lets closed windows finish (their deletion is deferred).
    static void flush()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    /// Runs the event loop until done() holds or timeoutMs passed; returns
    /// done(). Unlike QTRY_VERIFY it never sleeps between events, so a
    /// transfer of a thousand round trips is not slowed down.
    static bool runUntil(const std::function<bool()>& done, int timeoutMs)
    {
        if (done())
            return true;
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done())
                loop.quit();
        });
        poll.start(2);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        return done();
    }

    /// objectNames of the open child windows, in creation order.
    QStringList openWindows() const
    {
        QStringList names;
        for (QMdiSubWindow* sub : main->area()->subWindowList())
            if (!sub->isHidden() && sub->widget())
                names << sub->widget()->objectName();
        return names;
    }

    /// Text of id in the current language.
    QString text(int id) const { return QString::fromUtf8(session.text(id).c_str()); }
    QString programDir() const { return dir.filePath("dist/V300"); }
    QString settingsFile() const { return QString::fromStdString(session.paths.settingsFile); }
    /// The user's own language files ($XDG_DATA_HOME/zavprog/language).
    QString userLanguageDir() const { return dir.filePath("data/zavprog/language"); }

    /// Opens, as a user would, an extended-mode document with channels 1
    /// and 521 that every editor has shown once and that was saved then:
    /// showing it changes nothing any more. The table shows group 0, and
    /// the DTMF ID code is NULs as in new radios (an empty box).
    void openShownDocument()
    {
        NewDocument(session.doc, kExtendedMode, {{1, "02700000"}, {521, "02720000"}});
        QVERIFY(saveDocument(session.doc, dir.filePath("first.dat").toStdString()));
        main->openFile(dir.filePath("first.dat"));
        for (const QString& editor : {zav::kOptionalFeaturesName, zav::kDtmfEditorName, zav::kToneTipsName, zav::kEmbeddedMessageName, zav::kDetailEditorName})
            main->openEditor(editor);
        flush();
        Document shown = session.doc;
        shown.image().OptFeat.Common1[common1::CurrentGroup] = 0;
        shown.image().DtmfSettings.IdCode.assign(std::string(10, '\0'));
        shown.image().DtmfSettings.IdCodeLength = 0;
        QVERIFY(saveDocument(shown, dir.filePath("original.dat").toStdString()));
        main->openFile(dir.filePath("original.dat"));
        flush();
    }

    /// Answers the next modal dialog by clicking its button named button
    /// (such as Import Channels' question: "cmdReplaceTable",
    /// "cmdChangeListed", "cmdCancel").
    void answerDialogWith(const char* button)
    {
        prompter.dialogs.push_back([button](QDialog& dialog) {
            if (QAbstractButton* b = dialog.findChild<QAbstractButton*>(QString::fromLatin1(button)))
                b->click();
            return dialog.result();
        });
    }

    /// Makes the working image differ from the saved one.
    void modify() { session.doc.image().OptFeat.Common1[0] = static_cast<Int16>(session.doc.image().OptFeat.Common1[0] + 1); }

    QTemporaryDir dir;
    StartupOptions startup;
    StartupReport started;
    Session session;
    ui::ScriptedPrompter prompter;
    ui::ScopedPrompter scope{prompter};
    std::unique_ptr<MainWindow> main;
};

} // namespace zav::test
