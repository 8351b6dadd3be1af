#include "window_tour.h"

#include "help_system.h"
#include "main_window.h"
#include "prompts.h"
#include "session.h"
#include "splash_screen.h"
#include "window_registry.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include <memory>

namespace zav::help {
namespace {

constexpr int kOpenMs = 10000;     ///< a window that needs no radio opens at once
constexpr int kTransferMs = 120000; ///< a read of the virtual radio

std::function<void(MainWindow&)> editor(const char* name)
{
    return [window = QString::fromLatin1(name)](MainWindow& main) { main.openEditor(window); };
}

/// The visible window of that name, top level or inside another.
QWidget* shownWindow(const QString& name)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        if (top->objectName() == name)
            return top;
        if (auto* inner = top->findChild<QWidget*>(name); inner && inner->isVisible())
            return inner;
    }
    return nullptr;
}

void closeShown(QWidget* window, MainWindow& main)
{
    if (window == &main)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        sub->close();
    else
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

const std::vector<TourStop>& windowTourStops()
{
    static const std::vector<TourStop> stops = {
        {"frmMain", [](MainWindow&) {}},
        {"frmSplash", {}},
        // A read first, so that the editors show what a radio holds.
        {"FrmProgress", [](MainWindow& main) { main.readFromRadio(); }, true},
        {"frmCommChInfo", editor("frmCommChInfo")},
        {"FrmCHInfoEdit", editor("FrmCHInfoEdit")},
        {"FrmOptFeatures", editor("FrmOptFeatures")},
        {"FrmDTMF", editor("FrmDTMF")},
        {"FrmToneTips", editor("FrmToneTips")},
        {"FrmEmbMsg", editor("FrmEmbMsg")},
        {"FrmRadioInfo", [](MainWindow& main) { main.showRadioInfo(); }, true},
        {"FrmModelInfo", [](MainWindow& main) { main.chooseModel(); }},
        {"FrmSetLanguage", [](MainWindow& main) { main.chooseLanguage(); }},
        {"FrmSetComm", [](MainWindow& main) { main.choosePort(); }},
        {"FrmPassWord", [](MainWindow& main) { main.enterPassword(); }},
        {"FrmBackupSettings", [](MainWindow& main) { main.chooseBackupOptions(); }},
        {"FrmOpenBackup", [](MainWindow& main) { main.openBackup(); }},
        {"FrmCheck", [](MainWindow& main) { main.showConfigurationCheck(); }},
        {"FrmFleet", [](MainWindow& main) { main.showFleetWindow(); }},
        {"FrmProgrammingLog", [](MainWindow& main) { main.showProgrammingLog(); }},
        {"FrmHelp", [](MainWindow& main) { main.help().showManual(); }},
        {"FrmShortcuts", [](MainWindow& main) { main.help().showShortcuts(); }},
        {"FrmProblemReport", [](MainWindow& main) { main.help().reportProblem(); }},
        {"frmAbout", [](MainWindow& main) { main.showAbout(); }},
    };
    return stops;
}

bool runEventsUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

QStringList tourWindows(MainWindow& main, ui::ScriptedPrompter& prompter, bool withRadio,
                        const std::function<void(QWidget&)>& visit)
{
    QStringList missed;
    for (const TourStop& stop : windowTourStops()) {
        if (stop.needsRadio && !withRadio)
            continue;
        if (stop.objectName == QLatin1String("frmMain")) {
            visit(main);
            continue;
        }
        if (!stop.open) {
            // The splash screen shows before the main window exists.
            SplashScreen splash(main.context().session.paths.programDir, main.context().session.settings.language);
            splash.show();
            QCoreApplication::processEvents();
            visit(splash);
            continue;
        }
        bool visited = false;
        prompter.dialogs.clear();
        prompter.dialogs.push_back([&](QDialog& dialog) {
            if (dialog.objectName() != stop.objectName)
                return int(QDialog::Rejected);
            dialog.setWindowModality(Qt::ApplicationModal);
            dialog.show();
            QCoreApplication::processEvents();
            visited = true;
            visit(dialog);
            dialog.hide();
            return int(QDialog::Rejected);
        });
        // A read asks first; the radio stops answer Ok, every other box its default.
        prompter.answers.clear();
        if (stop.needsRadio)
            prompter.answers.push_back(ui::Answer::Ok);
        stop.open(main);
        prompter.dialogs.clear();
        if (visited)
            continue;
        QWidget* window = nullptr;
        if (!runEventsUntil([&] { return (window = shownWindow(stop.objectName)) != nullptr; },
                            stop.needsRadio ? kTransferMs : kOpenMs)) {
            missed << stop.objectName;
            continue;
        }
        visit(*window);
        if (stop.needsRadio && stop.objectName == QLatin1String("FrmProgress")) {
            runEventsUntil([&] { return !main.transferRunning(); }, kTransferMs);
            continue; // the progress window closes with its transfer
        }
        if (stop.needsRadio)
            runEventsUntil([&] { return !main.transferRunning(); }, kTransferMs);
        closeShown(window, main);
    }
    prompter.answers.clear();
    return missed;
}

} // namespace zav::help
