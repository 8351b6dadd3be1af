// zavprog-manual: what the manual takes from the program itself.
//
//   zavprog-manual lists --language en --entries FILE --heading "Message %1" --out DIR
//       writes DIR/shortcuts.rst and DIR/messages.rst (fails when a transfer
//       message has no explanation in FILE)
//   zavprog-manual screenshots --out DIR [--language en]
//       opens every window against the virtual radio and saves
//       DIR/<language>/images/<objectName>.png

#include "help_system.h"
#include "help_window.h"
#include "main_window.h"
#include "manual_lists.h"
#include "prompts.h"
#include "tool_environment.h"
#include "window_names.h"
#include "window_tour.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QProcess>
#include <QTextStream>

#include <memory>

namespace {

constexpr int kSimStartMs = 10000;
constexpr int kHelpMs = 60000; ///< the help's contents and search index, made in the background

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

/// Writes text to path unless the file holds it already (so that an
/// unchanged list does not make the manual build again).
bool writeIfChanged(const QString& path, const QByteArray& bytes)
{
    QFile old(path);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == bytes)
        return true;
    old.close();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        err() << "zavprog-manual: cannot write " << path << "\n";
        return false;
    }
    return true;
}

bool savePicture(QWidget& window, const QString& path)
{
    QCoreApplication::processEvents();
    if (window.grab().save(path, "PNG"))
        return true;
    err() << "zavprog-manual: cannot save " << path << "\n";
    return false;
}

QString text(const zav::Session& session, int id) { return QString::fromUtf8(session.text(id).c_str()); }

int writeLists(const QCommandLineParser& args)
{
    const QString language = args.value(QStringLiteral("language"));
    const QString out = args.value(QStringLiteral("out"));
    QString error;
    const auto entries = zav::help::readMessageEntries(args.value(QStringLiteral("entries")), &error);
    if (!error.isEmpty()) {
        err() << "zavprog-manual: " << error << "\n";
        return 1;
    }
    if (const auto missing = zav::help::messagesWithoutEntry(entries); !missing.empty()) {
        err() << "zavprog-manual: " << args.value(QStringLiteral("entries")) << " explains no message";
        for (int id : missing)
            err() << " " << id;
        err() << "\n";
        return 1;
    }
    zav::manual::ToolEnvironment env(QApplication::applicationDirPath(), language);
    if (!env.ok())
        return 1;
    zav::ui::ScriptedPrompter prompter;
    zav::ui::ScopedPrompter scope(prompter);
    zav::MainOptions options;
    zav::MainWindow main(env.session, options);

    QDir().mkpath(out);
    const QString shortcuts =
        zav::help::shortcutsRst(zav::help::collectShortcuts(&main, main.menuBar()),
                                text(env.session, zav::help::kTextCommand), text(env.session, zav::help::kTextKeys));
    const QString messages = zav::help::messagesRst(
        entries, [&](int id) { return text(env.session, id); }, args.value(QStringLiteral("heading")));
    return writeIfChanged(QDir(out).filePath(QStringLiteral("shortcuts.rst")), shortcuts.toUtf8()) &&
                   writeIfChanged(QDir(out).filePath(QStringLiteral("messages.rst")), messages.toUtf8())
               ? 0
               : 1;
}

int takeScreenshots(const QString& language, const QString& out)
{
    zav::manual::ToolEnvironment env(QApplication::applicationDirPath(), language);
    if (!env.ok())
        return 1;
    QProcess sim;
    sim.setProgram(QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("zavprog-radio-sim")));
    // A port name that stays the same from run to run (the status bar shows it).
    const QString port = env.filePath(QStringLiteral("ttyUSB0"));
    sim.setArguments({QStringLiteral("--link"), port});
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start();
    QString device;
    if (sim.waitForStarted(kSimStartMs)) {
        while (!sim.canReadLine() && sim.state() == QProcess::Running)
            sim.waitForReadyRead(kSimStartMs);
        device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    }
    if (device.isEmpty()) {
        err() << "zavprog-manual: the virtual radio did not start\n";
        return 1;
    }

    zav::ui::ScriptedPrompter prompter;
    zav::ui::ScopedPrompter scope(prompter);
    zav::MainOptions options;
    options.portOverride = port.toStdString();
    zav::MainWindow main(env.session, options);
    main.resize(1100, 760);
    main.show();
    QCoreApplication::processEvents();

    const QString folder = QDir(out).filePath(language + QStringLiteral("/images"));
    QDir().mkpath(folder);
    int failures = 0;
    const QStringList missed = zav::help::tourWindows(main, prompter, true, [&](QWidget& window) {
        // A child window with its frame and caption, as the user sees it.
        QWidget* shown = &window;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget()))
            shown = sub;
        if (auto* help = qobject_cast<zav::help::HelpWindow*>(&window))
            zav::help::runEventsUntil([help] { return help->contentsReady(); }, kHelpMs);
        QCoreApplication::processEvents();
        if (!savePicture(*shown, QDir(folder).filePath(window.objectName() + QStringLiteral(".png"))))
            ++failures;
    });
    // The help window as the manual shows it: the page F1 opens in the
    // channel table, and a search.
    main.openEditor(zav::kChannelTableName);
    if (QWidget* table = main.findChild<QWidget*>(zav::kChannelTableName)) {
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(table, &f1);
    }
    zav::help::HelpWindow* help = main.help().helpWindow();
    if (!help) {
        err() << "zavprog-manual: F1 opened no help window\n";
        return 1;
    }
    zav::help::runEventsUntil([help] { return help->contentsReady(); }, kHelpMs);
    if (!savePicture(*help, QDir(folder).filePath(QStringLiteral("FrmHelp-f1.png"))))
        ++failures;
    help->search(language == QLatin1String("zh") ? QStringLiteral("写频") : QStringLiteral("verify"));
    zav::help::runEventsUntil([help] { return !help->searching(); }, kHelpMs);
    if (!savePicture(*help, QDir(folder).filePath(QStringLiteral("FrmHelp-search.png"))))
        ++failures;
    for (const QString& name : missed)
        err() << "zavprog-manual: " << name << " did not open\n";
    sim.kill();
    sim.waitForFinished(kSimStartMs);
    return failures == 0 && missed.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool lists = argc > 1 && QByteArray(argv[1]) == "lists";
    // The lists need no screen; the pictures need a real one (Xvfb).
    if (lists && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("zavprog-manual"));
    QCoreApplication::setApplicationName(QStringLiteral("zavprog-manual"));
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("lists or screenshots"));
    parser.addOption({QStringLiteral("language"), QStringLiteral("en or zh"), QStringLiteral("LANGUAGE")});
    parser.addOption({QStringLiteral("entries"), QStringLiteral("The troubleshooting explanations."), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("heading"), QStringLiteral("A message's heading (%1 its id)."), QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("Output folder."), QStringLiteral("DIR")});
    parser.addHelpOption();
    parser.process(app);
    const QString command = parser.positionalArguments().value(0);
    if (command == QLatin1String("lists"))
        return writeLists(parser);
    if (command == QLatin1String("screenshots")) {
        const QStringList languages = parser.isSet(QStringLiteral("language"))
                                          ? QStringList{parser.value(QStringLiteral("language"))}
                                          : QStringList{QStringLiteral("en"), QStringLiteral("zh")};
        int result = 0;
        for (const QString& language : languages)
            result |= takeScreenshots(language, parser.value(QStringLiteral("out")));
        return result;
    }
    parser.showHelp(2);
}
