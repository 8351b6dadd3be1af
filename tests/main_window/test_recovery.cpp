// Recovery after a crash: an edit reaches the recovery file a moment later,
// a program killed after an edit leaves it behind, and the next start
// offers it and restores the edit as an unsaved document. A recovery file
// that cannot be written is told once, in the status bar.

#include "main_window_fixture.h"
#include "recovery_keeper.h"
#include "recovery_store.h"
#include "undo_tracker.h"
#include "user_folders.h"

#include <QLabel>
#include <QProcess>
#include <QSignalSpy>

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
        QCOMPARE(abandonedRecoveries(userDataFolder()).size(), std::size_t(1));

        f.prompter.answers = {Answer::Yes};
        MainWindow& w = f.open();
        QVERIFY(ShellFixture::runUntil([&] { return !f.prompter.asked.empty(); }, 2000));
        QCOMPARE(f.prompter.texts(), QStringList{f.text(32300)});
        QCOMPARE(f.session.doc.image().OptFeat.Common1[common1::TotTime], kEditedTotTime);
        QVERIFY(f.session.doc.isModified());
        QVERIFY(f.session.doc.isUntitled);
        QCOMPARE(f.openWindows(), QStringList{"frmCommChInfo"});
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

    void declinedRecoveryIsDiscarded()
    {
        ShellFixture f;
        Document edited;
        edited.image().OptFeat.Common1[common1::TotTime] = kEditedTotTime;
        // A run that is no longer there: process ids near the top are free.
        QVERIFY(writeRecovery(recoveryPath(userDataFolder(), 4194000), edited));
        f.prompter.answers = {Answer::No};
        f.open();
        QVERIFY(ShellFixture::runUntil([&] { return !f.prompter.asked.empty(); }, 2000));
        QVERIFY(f.session.doc.image().OptFeat.Common1[common1::TotTime] != kEditedTotTime);
        QVERIFY(abandonedRecoveries(userDataFolder()).empty());
    }
};

QTEST_MAIN(TestRecovery)
#include "test_recovery.moc"
