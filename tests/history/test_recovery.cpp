// Recovery after a crash: an edit reaches the recovery file a moment later,
// a program killed after an edit leaves it behind, and the next start
// offers it, naming when and which file, and restores the edit as an unsaved
// change of that file; declined, the work is kept among the backups. The
// backup settings show their folder on one line.
// A recovery file that cannot be written is told once, in the status bar.

#include "backup_store.h"
#include "window_names.h"
#include "main_window_fixture.h"
#include "recovery_keeper.h"
#include "recovery_store.h"
#include "undo_tracker.h"
#include "user_folders.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include <csignal>

using namespace zav;
using namespace zav::test;
using ui::Answer;

namespace {

constexpr Int16 kEditedTotTime = 11;

/// Edits the document as the channel table's user would, by a key press the
/// undo tracker sees, and waits until the recovery file holds it.
bool editAndWaitForRecovery(ShellFixture& f, MainWindow& w, Int16 totTime = kEditedTotTime)
{
    w.recoveryKeeper()->setDelay(20);
    f.session.doc.image().OptFeat.Common1[common1::TotTime] = totTime;
    QTest::keyClick(&w, Qt::Key_Shift); // any input: the tracker looks for changes after it
    const QString path = QString::fromStdString(w.recoveryKeeper()->path());
    return ShellFixture::runUntil([&] { return QFileInfo(path).size() > 0; }, 5000);
}

/// A process id no run has: ids near the top are free.
constexpr long kEndedRun = 4194000;

/// Leaves work of an ended run that had the data file source open (an
/// untitled document when source is empty), as a crash would.
void leaveRecovery(const QString& source)
{
    Document edited;
    edited.image().OptFeat.Common1[common1::TotTime] = kEditedTotTime;
    edited.documentPath = source.isEmpty() ? std::string(kUntitledName) : source.toStdString();
    edited.isUntitled = source.isEmpty();
    QVERIFY(writeRecovery(recoveryPath(userDataFolder(), kEndedRun), edited));
}

/// The rows of File > Open Backup..., each as its column texts.
QList<QStringList> backupRows(ShellFixture& f, MainWindow& w)
{
    QList<QStringList> rows;
    f.prompter.dialogs.push_back([&](QDialog& d) {
        auto* list = d.findChild<QTreeWidget*>("lstBackups");
        for (int r = 0; list && r < list->topLevelItemCount(); ++r) {
            QStringList row;
            for (int c = 0; c < list->columnCount(); ++c)
                row << list->topLevelItem(r)->text(c);
            rows << row;
        }
        return int(QDialog::Rejected);
    });
    w.findChild<QAction*>("mnuFileOpenBackup")->trigger();
    return rows;
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT

private slots:
    void editLeavesARecoveryFileANormalEndRemoves()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        QVERIFY(editAndWaitForRecovery(f, w));
        const QString path = QString::fromStdString(w.recoveryKeeper()->path());
        QVERIFY(path.contains(QString::number(QCoreApplication::applicationPid())));
        Document kept;
        QVERIFY(restoreRecovery(kept, path.toStdString(), {}));
        QCOMPARE(kept.image().OptFeat.Common1[common1::TotTime], kEditedTotTime);
        // Saving settles it.
        f.prompter.answers = {Answer::Ok};
        f.prompter.files = {f.dir.filePath("saved.dat")};
        w.saveDocumentAs();
        w.recoveryKeeper()->waitForWrites();
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(editAndWaitForRecovery(f, w, kEditedTotTime + 1));
        // A normal end removes it too.
        f.prompter.answers = {Answer::No};
        f.main.reset();
        QVERIFY(!QFileInfo::exists(path));
    }

    /// Run by killedProgramIsOfferedAtTheNextStart in a child process.
    void childEditsAndIsKilled()
    {
        if (qEnvironmentVariableIsEmpty("ZAV_RECOVERY_CHILD"))
            QSKIP("runs only as the child of killedProgramIsOfferedAtTheNextStart");
        ShellFixture f;
        qputenv("XDG_DATA_HOME", qgetenv("ZAV_RECOVERY_CHILD")); // the parent's folder
        MainWindow& w = f.open();
        QVERIFY(editAndWaitForRecovery(f, w));
        ::raise(SIGKILL);
    }

    void killedProgramIsOfferedAtTheNextStart()
    {
        ShellFixture f;
        const QString data = f.dir.filePath("data");
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZAV_RECOVERY_CHILD", data);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"childEditsAndIsKilled"});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const std::vector<std::string> left = abandonedRecoveries(userDataFolder());
        QCOMPARE(left.size(), std::size_t(1));
        const QString when = QFileInfo(QString::fromStdString(left[0])).lastModified().toString("yyyy-MM-dd HH:mm");

        f.prompter.answers = {Answer::Yes};
        MainWindow& w = f.open();
        QVERIFY(ShellFixture::runUntil([&] { return !f.prompter.asked.empty(); }, 2000));
        QCOMPARE(f.prompter.texts(), QStringList{f.text(33501).arg(when)});
        QCOMPARE(f.session.doc.image().OptFeat.Common1[common1::TotTime], kEditedTotTime);
        QVERIFY(f.session.doc.isModified());
        QVERIFY(f.session.doc.isUntitled);
        QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
        QVERIFY(abandonedRecoveries(userDataFolder()).empty());
        f.prompter.answers = {Answer::No};
        (void)w;
    }

    void unwritableRecoveryIsToldOnce()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        RecoveryKeeper* keeper = w.recoveryKeeper();
        const QString path = QString::fromStdString(keeper->path());
        QVERIFY(QDir().mkpath(path)); // a folder where the file goes: root cannot write it either
        keeper->setDelay(20);
        QSignalSpy told(keeper, &RecoveryKeeper::unavailable);
        auto* notice = w.findChild<QLabel*>("lblNoRecovery");
        QVERIFY(notice);
        QVERIFY(notice->isHidden());

        // Two edits, two failed writes, one notice; no box interrupts the typing.
        for (int edit = 1; edit <= 2; ++edit) {
            f.session.doc.image().OptFeat.Common1[common1::TotTime] = static_cast<Int16>(kEditedTotTime + edit);
            QTest::keyClick(&w, Qt::Key_Shift);
            QVERIFY(ShellFixture::runUntil([&] { return keeper->failedWrites() == edit; }, 5000));
            QCoreApplication::processEvents();
        }
        QCOMPARE(told.count(), 1);
        QVERIFY(f.prompter.asked.empty());
        QVERIFY(!notice->isHidden());
        QCOMPARE(notice->text(), f.text(33306).arg(f.text(33307).arg(path)));
        f.prompter.answers = {Answer::No};
    }

    void declinedRecoveryIsKeptAsABackup()
    {
        ShellFixture f;
        const QString source = f.dir.filePath("my radio.dat");
        leaveRecovery(source);
        const QString left = QString::fromStdString(recoveryPath(userDataFolder(), kEndedRun));
        const QString when = QFileInfo(left).lastModified().toString("yyyy-MM-dd HH:mm");
        f.prompter.answers = {Answer::No};
        MainWindow& w = f.open();
        QVERIFY(ShellFixture::runUntil([&] { return !f.prompter.asked.empty(); }, 2000));
        QCOMPARE(f.prompter.texts(), QStringList{f.text(33500).arg(when, source)});
        QVERIFY(f.session.doc.image().OptFeat.Common1[common1::TotTime] != kEditedTotTime);
        QVERIFY(abandonedRecoveries(userDataFolder()).empty());
        QVERIFY(!QFileInfo::exists(left + ".info"));

        // The work is a backup of its own kind, and opens as the edit.
        const QList<QStringList> rows = backupRows(f, w);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].value(1), f.text(33502));
        QCOMPARE(rows[0].value(5), QString("my radio.dat"));
        f.prompter.dialogs.push_back([](QDialog& d) {
            d.findChild<QPushButton*>("CommandOK")->click();
            return d.result();
        });
        w.findChild<QAction*>("mnuFileOpenBackup")->trigger();
        QCOMPARE(f.session.doc.image().OptFeat.Common1[common1::TotTime], kEditedTotTime);
    }

    void restoredDocumentKeepsTheNameOfItsFile()
    {
        ShellFixture f;
        const QString source = f.dir.filePath("radio.dat");
        leaveRecovery(source);
        f.prompter.answers = {Answer::Yes};
        MainWindow& w = f.open();
        QVERIFY(ShellFixture::runUntil([&] { return !f.prompter.asked.empty(); }, 2000));
        QCOMPARE(f.session.doc.image().OptFeat.Common1[common1::TotTime], kEditedTotTime);
        QCOMPARE(QString::fromStdString(f.session.doc.documentPath), source);
        QVERIFY(!f.session.doc.isUntitled);
        QVERIFY(f.session.doc.isModified());
        QVERIFY2(w.windowTitle().contains("radio.dat"), qPrintable(w.windowTitle()));
        QVERIFY(abandonedRecoveries(userDataFolder()).empty());
        QVERIFY(listBackups(backupFolder()).empty()); // restored, so not kept twice

        // Save asks before it overwrites that file, as for any modified document.
        f.prompter.asked.clear();
        f.prompter.answers = {Answer::Ok};
        w.findChild<QAction*>("mnuFileSave")->trigger();
        QCOMPARE(f.prompter.texts(), QStringList{"\"radio.dat\"" + f.text(9007)});
        Document saved;
        QCOMPARE(openDocument(saved, source.toStdString(), {}).outcome, OpenOutcome::Opened);
        QCOMPARE(saved.image().OptFeat.Common1[common1::TotTime], kEditedTotTime);
        f.prompter.answers = {Answer::No};
    }

    void untitledWorkIsOfferedAsANewDocument()
    {
        ShellFixture f;
        leaveRecovery({});
        const QString left = QString::fromStdString(recoveryPath(userDataFolder(), kEndedRun));
        const QString when = QFileInfo(left).lastModified().toString("yyyy-MM-dd HH:mm");
        f.prompter.answers = {Answer::Yes};
        f.open();
        QVERIFY(ShellFixture::runUntil([&] { return !f.prompter.asked.empty(); }, 2000));
        QCOMPARE(f.prompter.texts(), QStringList{f.text(33501).arg(when)});
        QVERIFY(f.session.doc.isUntitled);
        QVERIFY(f.session.doc.isModified());
        f.prompter.answers = {Answer::No};
    }

    void backupSettingsShowTheFolderWhole()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        const QString folder = QString::fromStdString(backupFolder());
        QString shown;
        bool readOnly = false;
        QStringList labels;
        f.prompter.dialogs.push_back([&](QDialog& d) {
            if (auto* box = d.findChild<QLineEdit*>("txtBackupFolder")) {
                shown = box->text();
                readOnly = box->isReadOnly();
            }
            for (QLabel* label : d.findChildren<QLabel*>())
                labels << label->text();
            return int(QDialog::Rejected);
        });
        w.findChild<QAction*>("mnuBackupSettings")->trigger();
        QCOMPARE(shown, folder);
        QVERIFY(readOnly);
        QVERIFY2(labels.filter(folder).isEmpty(), qPrintable(labels.join(" | "))); // no label to wrap it
    }
};

QTEST_MAIN(TestRecovery)
#include "test_recovery.moc"
