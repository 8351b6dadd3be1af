// Every file the desktop program writes or appends to when the user names
// it (or the programming log in its place): a folder, a device, a pipe or
// a read-only file there is refused with a message that says which, and
// left exactly as it was, without waiting on the pipe.

#include "file_write_text.h"
#include "main_window_fixture.h"

#include <QAction>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace zav;
using namespace zav::test;

namespace {

/// Every output of the desktop program: the action that reaches it and how
/// to run it with target as its file.
struct Output {
    QString action; ///< the menu action that writes it
    std::function<void(ShellFixture&, const QString& target)> run;
};

const std::map<QString, Output>& Outputs()
{
    static const std::map<QString, Output> outputs{
        {"save", {"mnuFileSave", [](ShellFixture& f, const QString& target) {
             // Save writes the document back where it came from.
             f.session.doc.documentPath = target.toStdString();
             f.session.doc.isUntitled = false;
             f.prompter.answers.push_back(ui::Answer::Ok);
             f.main->findChild<QAction*>("mnuFileSave")->trigger();
         }}},
        {"save as", {"mnuFileSaveAs", [](ShellFixture& f, const QString& target) {
             f.prompter.files.push_back(target);
             f.main->saveDocumentAs();
         }}},
        {"export channels", {"mnuExportChannels", [](ShellFixture& f, const QString& target) {
             f.prompter.files.push_back(target);
             f.main->findChild<QAction*>("mnuExportChannels")->trigger();
         }}},
        {"export pdf", {"mnuExportPdf", [](ShellFixture& f, const QString& target) {
             f.prompter.files.push_back(target);
             f.main->findChild<QAction*>("mnuExportPdf")->trigger();
         }}},
        {"wire trace", {"mnuWireTrace", [](ShellFixture& f, const QString& target) {
             f.prompter.files.push_back(target);
             f.main->findChild<QAction*>("mnuWireTrace")->trigger();
         }}},
        {"programming log", {"mnuWriteToRadio", [](ShellFixture& f, const QString&) {
             // A write whose port does not exist still gets its line.
             f.main->findChild<QAction*>("mnuWriteToRadio")->trigger();
             ShellFixture::runUntil([&] { return !f.main->transferRunning(); }, 60000);
         }}},
    };
    return outputs;
}

/// Remembers that a file to write was asked for.
class SaveDialogWatch : public ui::ScriptedPrompter {
public:
    QString saveFile(QWidget* parent, const QString& caption, const QString& path, const QString& filter) override
    {
        asked = true;
        return ui::ScriptedPrompter::saveFile(parent, caption, path, filter);
    }
    bool asked = false;
};

} // namespace

class TestDesktopOutputs : public QObject {
    Q_OBJECT
private slots:
    // Every menu action that asks for a file to write has its row, so a new
    // output cannot miss the checks below.
    void everyOutputHasARow()
    {
        QStringList covered;
        for (const auto& [name, output] : Outputs())
            covered << output.action;
        QStringList actions;
        {
            ShellFixture f;
            f.open(f.dir.filePath("no-such-port").toStdString());
            for (const QAction* action : f.main->findChildren<QAction*>())
                if (action->objectName().startsWith("mnu", Qt::CaseInsensitive))
                    actions << action->objectName();
        }
        QVERIFY(actions.contains("mnuFileSaveAs")); // the menus were found at all
        for (const QString& action : actions) {
            if (action == "mnuFileExit") // closes the window; its save question is Save's
                continue;
            ShellFixture f;
            f.open(f.dir.filePath("no-such-port").toStdString());
            SaveDialogWatch watch;
            {
                ui::ScopedPrompter scope{watch};
                f.main->findChild<QAction*>(action)->trigger();
                ShellFixture::runUntil([&] { return !f.main->transferRunning(); }, 60000);
                ShellFixture::flush();
            }
            ui::setPrompter(&f.prompter);
            QVERIFY2(!watch.asked || covered.contains(action), qPrintable(action + " writes a file that has no row"));
        }
    }

    void refusedTargetsAreLeftAsTheyWere_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("reason");
        for (const auto& [output, unused] : Outputs()) {
            QTest::newRow(qPrintable(output + " onto a folder")) << output << "folder" << ui::kTextIsFolder;
            QTest::newRow(qPrintable(output + " onto a device")) << output << "device" << ui::kTextIsDevice;
            QTest::newRow(qPrintable(output + " onto a pipe")) << output << "pipe" << ui::kTextIsPipe;
            QTest::newRow(qPrintable(output + " onto a read-only file")) << output << "read-only" << ui::kTextIsReadOnly;
        }
    }
    void refusedTargetsAreLeftAsTheyWere()
    {
        QFETCH(QString, output);
        QFETCH(QString, kind);
        QFETCH(int, reason);
        ShellFixture f;
        f.open(f.dir.filePath("no-such-port").toStdString());
        // The programming log has its fixed place; every other output is chosen.
        const QString target = output == "programming log" ? f.dir.filePath("data/zavprog/programming-log.csv")
                                                            : f.dir.filePath("target." + output.right(3));
        QDir().mkpath(QFileInfo(target).absolutePath());
        const QByteArray at = QFile::encodeName(target);
        const QByteArray old("kept as it was\n");
        if (kind == "folder") {
            QVERIFY(::mkdir(at.constData(), 0755) == 0);
        } else if (kind == "device") {
            if (::mknod(at.constData(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
                QSKIP("making a device node needs the right to");
        } else if (kind == "pipe") {
            QVERIFY(::mkfifo(at.constData(), 0644) == 0);
        } else {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
            file.close();
            QVERIFY(::chmod(at.constData(), 0444) == 0);
        }
        struct stat before {};
        QVERIFY(::lstat(at.constData(), &before) == 0);

        Outputs().at(output).run(f, target);

        const QString said = f.prompter.texts().join('\n');
        QVERIFY2(said.contains(f.text(reason)), qPrintable(said));
        struct stat after {};
        QVERIFY(::lstat(at.constData(), &after) == 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_rdev, before.st_rdev);
        if (kind == "read-only") {
            QFile file(target);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
        }
    }
};

QTEST_MAIN(TestDesktopOutputs)
#include "test_desktop_outputs.moc"
