// zavprog: the desktop programming tool.

#include "main_window.h"
#include "common_text_ids.h"
#include "splash_screen.h"
#include "prompts.h"
#include "session.h"
#include "startup.h"
#include "user_folders.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QTextStream>
#include <QTimer>

#include <memory>
#include <string_view>

namespace {

struct CommandLineOptions {
    QCommandLineOption port{QStringLiteral("port"), QStringLiteral("Serial device for reading and writing (or ZAV_PORT)."),
                            QStringLiteral("DEVICE")};
    QCommandLineOption trace{QStringLiteral("trace"),
                             QStringLiteral("Write every chunk sent and received to FILE (time, port, direction, hex "
                                            "and text; the radio password masked). Settings > Wire Trace starts and "
                                            "stops it too."),
                             QStringLiteral("FILE")};
    QCommandLineOption quit{QStringLiteral("quit-when-shown"),
                            QStringLiteral("Quit as soon as the main window is shown (start-up timing).")};
};

void setNames()
{
    // Also the settings store's names (window position, section "Settings").
    QCoreApplication::setOrganizationName(QStringLiteral("zavprog"));
    QCoreApplication::setApplicationName(QStringLiteral("zavprog"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZAV_PROGRAM_VERSION));
}

void addOptions(QCommandLineParser& parser, const CommandLineOptions& options)
{
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(options.port);
    parser.addOption(options.trace);
    parser.addOption(options.quit);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Data file to open."), QStringLiteral("[file]"));
}

} // namespace

int main(int argc, char* argv[])
{
    const CommandLineOptions commandLine;
    // --help and --version answer without a display to open windows on.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" || arg == "--version") {
            QCoreApplication app(argc, argv);
            setNames();
            QCommandLineParser parser;
            addOptions(parser, commandLine);
            parser.process(app); // prints and exits
        }
    }

    QApplication app(argc, argv);
    setNames();
    QCommandLineParser parser;
    addOptions(parser, commandLine);
    // As the command line does: an option the program does not know is
    // named, exit status 2 (Qt's own process() would exit 1).
    if (!parser.parse(QApplication::arguments())) {
        QTextStream(stderr) << "zavprog: " << parser.errorText() << "\nTry 'zavprog --help'.\n";
        return 2;
    }
    const QCommandLineOption& portOption = commandLine.port;
    const QCommandLineOption& quitOption = commandLine.quit;
    const QCommandLineOption& traceOption = commandLine.trace;

    // Everything lives beside the program, wherever it is started from.
    zav::Session session;
    zav::StartupOptions startup;
    startup.programDir = QApplication::applicationDirPath().toStdString();
    startup.localeName = QLocale::system().name().toStdString();
    // mysetup.ini, when the program's folder is read-only, goes beside the
    // window position: $XDG_CONFIG_HOME/zavprog.
    startup.userConfigDir = zav::userConfigFolder();
    // Languages a user adds live beside the backups: $XDG_DATA_HOME/zavprog/language.
    if (const std::string data = zav::userDataFolder(); !data.empty())
        startup.userLanguageDir = data + "/language";
    const zav::StartupReport started = zav::runStartup(session, startup);
    // Every window, the child windows included, carries the program's icon.
    QApplication::setWindowIcon(QIcon(QString::fromStdString(session.paths.programDir) + QStringLiteral("/About.png")));
    zav::ui::setMessageTitle(QString::fromUtf8(session.text(zav::textid::kTextProgramTitle).c_str()));

    zav::MainOptions options;
    options.shownLanguageFile = started.localeLanguageFile;
    options.missingLanguage = started.missingLanguage;
    options.portOverride = parser.isSet(portOption) ? parser.value(portOption).toStdString()
                                                    : qEnvironmentVariable("ZAV_PORT").toStdString();
    options.programFile = QFileInfo(QApplication::applicationFilePath()).fileName().toStdString();
    const QString fileToOpen = parser.positionalArguments().value(0);
    const bool quitWhenShown = parser.isSet(quitOption);

    std::unique_ptr<zav::MainWindow> mainWindow;
    auto openMain = [&] {
        mainWindow = std::make_unique<zav::MainWindow>(session, options);
        if (quitWhenShown) {
            // exit(), not quit(): quit() would close the window first, with
            // its save question and a rewrite of the stored position.
            QObject::connect(
                mainWindow.get(), &zav::MainWindow::firstShown, &app, [] { QCoreApplication::exit(0); },
                Qt::QueuedConnection);
        }
        mainWindow->show();
        if (parser.isSet(traceOption))
            mainWindow->startWireTrace(parser.value(traceOption));
        if (!fileToOpen.isEmpty())
            mainWindow->openFile(fileToOpen);
    };

    std::unique_ptr<zav::SplashScreen> splash;
    if (quitWhenShown) {
        openMain(); // start-up timing measures up to the main window alone
    } else {
        splash = std::make_unique<zav::SplashScreen>(session.paths.programDir, session.settings.language);
        splash->onOpenMain = openMain;
        splash->show();
    }
    const int result = app.exec();
    mainWindow.reset();
    return result;
}
