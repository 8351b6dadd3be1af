// Help > Report a Problem...: one zip archive with the versions, the
// settings, the programming log, the wire trace, the document when ticked
// and the user's words, and never the radio's password, whether it was
// typed in the password dialog or given to the command line as --password
// or ZAV_PASSWORD. A report that cannot be saved is told and writes nothing.

#include "help_fixture.h"

#include "cli_process.h"
#include "problem_report_dialog.h"
#include "sim_process.h"
#include "zip_archive.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QProcessEnvironment>

using namespace zav;
using namespace zav::test;
using zav::testing::SimProcess;

namespace {

constexpr const char* kPassword = "W7qZ";
constexpr int kTransferMs = 120000; ///< only keeps a broken build from hanging the test
constexpr int kTextNotSaved = 34425;

/// The password as the wire carries it, in a trace's hex column.
QByteArray passwordInHex() { return QByteArray(kPassword).toHex(' ').toUpper(); }

/// zavprog-cli with ZAV_PASSWORD set for this run only.
Run CliWith(const QStringList& args, const QString& workDir, const QString& password)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZAV_PASSWORD"), password);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.start(ProgramDir() + "/zavprog-cli", args);
    Run r;
    if (!p.waitForFinished(kTransferMs) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestProblemReport : public QObject {
    Q_OBJECT

private slots:
    void archiveNeverHoldsThePassword_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("password dialog") << "dialog";
        QTest::newRow("--password") << "option";
        QTest::newRow("ZAV_PASSWORD") << "environment";
    }
    void archiveNeverHoldsThePassword()
    {
        QFETCH(QString, source);
        SimProcess sim({"--password", kPassword});
        QVERIFY(!sim.device().isEmpty());
        HelpFixture f;
        const QString trace = f.dir.filePath("trace.txt");
        const QString radio = f.dir.filePath("radio.dat");

        if (source == QLatin1String("dialog")) {
            // The desktop's read and write, the password typed when the radio asks.
            MainWindow& main = f.open(sim.device().toStdString());
            QVERIFY(main.startWireTrace(trace));
            f.prompter.dialogs.push_back([](QDialog& dialog) {
                dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QString::fromLatin1(kPassword));
                dialog.findChild<QPushButton*>(QStringLiteral("CommandOK"))->click();
                return dialog.result();
            });
            f.prompter.answers.push_back(ui::Answer::Ok); // read?
            main.readFromRadio();
            QVERIFY(ShellFixture::runUntil([&] { return !main.transferRunning() && f.prompter.texts().contains(f.text(9009)); },
                                           kTransferMs));
            // The virtual radio's own memory has findings: write anyway.
            f.prompter.answers.push_back(ui::Answer::Yes);
            f.prompter.answers.push_back(ui::Answer::Ok); // write?
            main.writeToRadio();
            QVERIFY(ShellFixture::runUntil([&] { return !main.transferRunning() && f.prompter.texts().contains(f.text(9010)); },
                                           kTransferMs));
            QCOMPARE(f.session.radioPassword, std::string(kPassword));
        } else {
            // The command line's read and write; the desktop never learns the password.
            const bool option = source == QLatin1String("option");
            const QStringList given = option ? QStringList{"--password", kPassword} : QStringList{};
            auto run = [&](const QStringList& args) {
                return option ? Cli(args + given, f.dir.path()) : CliWith(args, f.dir.path(), QString::fromLatin1(kPassword));
            };
            const Run read = run({"read", "--port", sim.device(), "-o", radio, "--trace", trace});
            QVERIFY2(read.exitCode == 0, qPrintable(read.err));
            // The virtual radio's own memory has findings; the check is not what this is about.
            const Run write = run({"write", "--port", sim.device(), radio, "--yes", "--force", "--trace", trace});
            QVERIFY2(write.exitCode == 0, qPrintable(write.err));
            f.open();
            QVERIFY(f.session.radioPassword.empty());
        }

        help::ProblemReportDialog dialog(f.main->context(), f.main.get());
        // The last trace the desktop kept is offered.
        if (source == QLatin1String("dialog"))
            QCOMPARE(dialog.tracePath->text(), trace);
        dialog.tracePath->setText(trace);
        dialog.description->setPlainText(QStringLiteral("The radio beeps twice after a write."));
        dialog.includeDocument->setChecked(true);
        const QString archive = f.dir.filePath("report.zip");
        f.prompter.files.push_back(archive);
        QVERIFY(dialog.saveReport());
        QVERIFY(f.prompter.texts().last().contains(archive));

        QString error;
        const auto files = help::unzipArchive(ReadAll(archive), &error);
        QVERIFY2(files, qPrintable(error));
        QStringList names;
        for (const help::ArchiveFile& file : *files) {
            names << file.name;
            QVERIFY2(!file.bytes.contains(kPassword), qPrintable(file.name));
            QVERIFY2(!file.bytes.contains(passwordInHex()), qPrintable(file.name));
        }
        QStringList expected{"what-happened.txt", "version.txt", "settings/mysetup.ini"};
        if (QFileInfo::exists(QSettings().fileName()))
            expected << "settings/zavprog-test.conf"; // the desktop's store, once it stored something
        expected << "programming-log.csv" << "wire-trace.txt" << "document.dat";
        QCOMPARE(names, expected);
        auto content = [&](const QString& name) {
            for (const help::ArchiveFile& file : *files)
                if (file.name == name)
                    return file.bytes;
            return QByteArray();
        };
        QCOMPARE(content("what-happened.txt"), QByteArray("The radio beeps twice after a write."));
        QVERIFY(content("version.txt").startsWith("zavprog "));
        // The trace holds both transfers, the password masked by the trace itself.
        QVERIFY(content("wire-trace.txt").contains("|PROGRAM|"));
        QVERIFY(content("wire-trace.txt").contains("** ** ** **"));
        QVERIFY(content("programming-log.csv").split('\n').size() >= 3); // header and the write
        QCOMPARE(content("document.dat").size(), qsizetype(95640));
        // Neither the settings files nor the log on disk hold it.
        for (const QString& path : {f.settingsFile(), QSettings().fileName()})
            QVERIFY2(!ReadAll(path).contains(kPassword), qPrintable(path));
    }

    void documentOnlyWhenTicked()
    {
        HelpFixture f;
        f.open();
        help::ProblemReportDialog dialog(f.main->context(), f.main.get());
        QVERIFY(!dialog.includeDocument->isChecked());
        dialog.tracePath->clear();
        const QString archive = f.dir.filePath("report.zip");
        f.prompter.files.push_back(archive);
        QVERIFY(dialog.saveReport());
        QString error;
        const auto files = help::unzipArchive(ReadAll(archive), &error);
        QVERIFY(files);
        for (const help::ArchiveFile& file : *files)
            QVERIFY2(file.name != QLatin1String("document.dat") && file.name != QLatin1String("wire-trace.txt"),
                     qPrintable(file.name));
    }

    void aReportThatCannotBeSavedIsToldAndChangesNothing()
    {
        HelpFixture f;
        f.open();
        help::ProblemReportDialog dialog(f.main->context(), f.main.get());
        // A folder where the archive would go.
        const QString folder = f.dir.filePath("report.zip");
        QVERIFY(QDir().mkpath(folder + "/inside"));
        f.prompter.files.push_back(folder);
        QVERIFY(!dialog.saveReport());
        QVERIFY2(f.prompter.texts().last().startsWith(f.text(kTextNotSaved).arg(folder)), qPrintable(f.prompter.texts().last()));
        QVERIFY(QFileInfo(folder).isDir() && QFileInfo::exists(folder + "/inside"));
        // Cancelled file dialog: nothing asked, nothing written.
        const auto asked = f.prompter.asked.size();
        f.prompter.files.push_back(QString());
        QVERIFY(!dialog.saveReport());
        QCOMPARE(f.prompter.asked.size(), asked);
    }
};

QTEST_MAIN(TestProblemReport)
#include "test_problem_report.moc"
