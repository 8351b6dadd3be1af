// The tone-tip player's audio comes from a module loaded at run time. When
// the module is missing or unusable the player must still play every step
// (in silence, keeping time); when it is there, it must load and expose its
// C entry points.

#include "module_note_output.h"
#include "tone_player.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zav;

namespace {

/// A folder whose module file is not a library at all.
QString WriteBrokenModule(const QTemporaryDir& dir)
{
    QFile file(dir.filePath(QStringLiteral("libzavprog-audio.so")));
    if (file.open(QIODevice::WriteOnly))
        file.write("not a shared object\n");
    return dir.path();
}

/// Plays the steps to the end; false when the player never finishes.
bool PlaysThrough(ToneTipPlayer& player, std::vector<PlaybackStep> steps)
{
    QSignalSpy finished(&player, &ToneTipPlayer::finished);
    if (!player.play(std::move(steps)))
        return false;
    // Generous bound: only a hung melody ever gets near it.
    return finished.wait(10000) && finished.count() == 1 && !player.isPlaying();
}

const std::vector<PlaybackStep> kSteps = {{1000, 30}, {0, 20}, {2000, 30}, {0, 0}, {1500, 20}};

} // namespace

class TestAudioModule : public QObject {
    Q_OBJECT
private slots:
    void unusableModuleGivesNoOutput_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no folders") << "none";
        QTest::newRow("missing folder") << "missing";
        QTest::newRow("empty folder") << "empty";
        QTest::newRow("file is not a library") << "broken";
    }

    void unusableModuleGivesNoOutput()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList folders;
        if (kind == "missing")
            folders << dir.filePath(QStringLiteral("no-such-folder"));
        else if (kind == "empty")
            folders << dir.path();
        else if (kind == "broken")
            folders << WriteBrokenModule(dir);
        QVERIFY(!loadAudioModule(folders).has_value());
        QVERIFY(makeModuleNoteOutput(folders) == nullptr);
    }

    void playerKeepsTimeWithoutModule()
    {
        // The test program's own folder has no module; point the program
        // folder at one whose module cannot load.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray saved = qgetenv("ZAV_PROGRAM_DIR");
        qputenv("ZAV_PROGRAM_DIR", WriteBrokenModule(dir).toLocal8Bit());
        ToneTipPlayer player;
        qputenv("ZAV_PROGRAM_DIR", saved);

        QVERIFY(qobject_cast<SilentOutput*>(player.output()) != nullptr);
        QVERIFY(PlaysThrough(player, kSteps));
        // And again: a second playback starts from a clean state.
        QVERIFY(PlaysThrough(player, kSteps));
    }

    void installedModuleLoads()
    {
        const QString programDir = qEnvironmentVariable("ZAV_PROGRAM_DIR");
        QVERIFY2(!programDir.isEmpty(), "ZAV_PROGRAM_DIR is not set");
        // A missing folder in front must not stop the search.
        const QStringList folders{QDir(programDir).filePath(QStringLiteral("no-such-folder")), programDir};
        const std::optional<AudioModuleApi> api = loadAudioModule(folders);
        QVERIFY2(api.has_value(), qPrintable("no usable audio module in " + programDir));

        // Sound itself needs a device: without one the module says so and
        // the player falls back to silence.
        void* handle = api->create();
        if (!handle) {
            ToneTipPlayer player;
            QVERIFY(qobject_cast<SilentOutput*>(player.output()) != nullptr);
            return;
        }
        api->destroy(handle);

        ToneTipPlayer player;
        player.setOutput(makeModuleNoteOutput(folders));
        QVERIFY(qobject_cast<ModuleNoteOutput*>(player.output()) != nullptr);
        QVERIFY(PlaysThrough(player, kSteps));
    }

    void destroyingMidNoteEndsQuietly()
    {
        const QStringList folders = audioModuleFolders();
        std::unique_ptr<NoteOutput> output = makeModuleNoteOutput(folders);
        if (!output)
            QSKIP("no audio device on this machine");
        QSignalSpy finished(output.get(), &NoteOutput::finished);
        output->start(1000, 2000);
        output.reset();
        // Whatever the module had pending must not call back into the
        // deleted output.
        QTest::qWait(50);
        QCOMPARE(finished.count(), 0);
    }
};

QTEST_MAIN(TestAudioModule)
#include "test_audio_module.moc"
