#include "window_tour.h"

#include "bulk_commands.h"
#include "bulk_edit_dialog.h"
#include "channel_csv.h"
#include "channel_find_dialog.h"
#include "channel_table_window.h"
#include "channel_windows.h"
#include "exchange_commands.h"
#include "help_system.h"
#include "main_window.h"
#include "prompts.h"
#include "session.h"
#include "splash_screen.h"
#include "window_names.h"
#include "window_registry.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace zav::help {
namespace {

constexpr int kOpenMs = 10000;     ///< a window that needs no radio opens at once
constexpr int kTransferMs = 120000; ///< a read of the virtual radio

using Opener = std::function<void(MainWindow&, ui::ScriptedPrompter&)>;

Opener editor(const QString& window)
{
    return [window](MainWindow& main, ui::ScriptedPrompter&) { main.openEditor(window); };
}

/// A main-window command without questions on the way.
template <typename Command>
Opener command(Command run)
{
    return [run](MainWindow& main, ui::ScriptedPrompter&) { run(main); };
}

void trigger(QAction* action)
{
    if (action)
        action->trigger();
}

void triggerCommand(MainWindow& main, MenuAction command) { trigger(main.action(command)); }

/// Edit's commands over many channels and Find.
template <typename Action>
void triggerBulkCommand(MainWindow& main, Action action)
{
    if (auto* bulk = main.findChild<BulkCommands*>())
        trigger((bulk->*action)());
}

void importChannels(MainWindow& main)
{
    if (auto* exchange = main.findChild<ExchangeCommands*>())
        trigger(exchange->importChannelsAction());
}

/// File > Import Channels... of the table's first row and a copy of its
/// second with a tone no radio has: the refused row is listed.
void importRefusedRow(MainWindow& main, ui::ScriptedPrompter& prompter)
{
    QTemporaryDir folder; // the import reads the file before trigger() returns
    const QStringList lines =
        QString::fromStdString(exportChannelsCsv(main.context().session.doc)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    if (lines.size() < 3)
        return;
    QStringList bad = lines.at(2).split(QLatin1Char(','));
    const int toneColumn = 6; // receive tone
    if (bad.size() > toneColumn)
        bad[toneColumn] = QStringLiteral("XYZ");
    const QString path = folder.filePath(QStringLiteral("refused.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write((QStringList{lines.at(0), lines.at(1), bad.join(QLatin1Char(','))}.join(QStringLiteral("\r\n")) +
                QStringLiteral("\r\n")).toUtf8());
    file.close();
    prompter.files.push_back(path);
    importChannels(main);
}

/// The channel table, opened if it is not, with its first three rows
/// selected: two channels of the radio's first group and an empty slot.
bool selectFirstRows(MainWindow& main)
{
    main.openEditor(kChannelTableName);
    channels::ChannelTableWindow* table = channels::findChannelTable(main.context());
    if (!table)
        return false;
    const int receiveColumn = 1; // an empty slot is entered from its frequency
    table->selectRows(1, 3, receiveColumn);
    return true;
}

/// Edit > Find Channel... of a frequency two channels of the radio share.
void findFrequency(MainWindow& main, ui::ScriptedPrompter&)
{
    triggerBulkCommand(main, &BulkCommands::findAction);
    if (auto* find = main.findChild<channels::ChannelFindDialog*>()) {
        find->queryBox()->setText(QStringLiteral("26.965"));
        find->findNext();
    }
}

/// Edit > Set for Selected Channels... over the first three rows.
void setForFirstRows(MainWindow& main, ui::ScriptedPrompter&)
{
    if (selectFirstRows(main))
        triggerBulkCommand(main, &BulkCommands::setForSelectedAction);
}

/// The same with a receive frequency and a transmit tone chosen: country
/// channels keep their frequencies and an empty slot takes no tone, so
/// the values not stored are listed (the tone goes into both channels).
void setRefusedValues(MainWindow& main, ui::ScriptedPrompter& prompter)
{
    if (!selectFirstRows(main))
        return;
    prompter.dialogs.push_front([](QDialog& dialog) {
        auto* bulk = qobject_cast<channels::BulkEditDialog*>(&dialog);
        return bulk && bulk->choose("receive MHz", QStringLiteral("27.50000")) && bulk->choose("transmit tone", QStringLiteral("67.0"))
                   ? int(QDialog::Accepted)
                   : int(QDialog::Rejected);
    });
    triggerBulkCommand(main, &BulkCommands::setForSelectedAction);
}

/// File > Import Channels... in extended channel mode, which asks first
/// whether the file replaces the table; the radio's country mode again after.
void importInExtendedMode(MainWindow& main, ui::ScriptedPrompter& prompter)
{
    QTemporaryDir folder; // the import reads the file before it asks
    const QString path = folder.filePath(QStringLiteral("channels.csv"));
    triggerCommand(main, MenuAction::ModeExtended);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QByteArray::fromStdString(exportChannelsCsv(main.context().session.doc)));
        file.close();
        prompter.files.push_back(path);
        importChannels(main);
    }
    triggerCommand(main, MenuAction::ModeCountry);
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
        {kMainWindowName, {}},
        {kSplashName, {}},
        // A read first, so that the editors show what a radio holds.
        {kProgressDialogName, command([](MainWindow& main) { main.readFromRadio(); }), true},
        {kChannelTableName, editor(kChannelTableName)},
        {kDetailEditorName, editor(kDetailEditorName)},
        {kOptionalFeaturesName, editor(kOptionalFeaturesName)},
        {kDtmfEditorName, editor(kDtmfEditorName)},
        {kToneTipsName, editor(kToneTipsName)},
        {kEmbeddedMessageName, editor(kEmbeddedMessageName)},
        {kRadioInfoName, command([](MainWindow& main) { main.showRadioInfo(); }), true},
        {kModelDialogName, command([](MainWindow& main) { main.chooseModel(); })},
        {kLanguageDialogName, command([](MainWindow& main) { main.chooseLanguage(); })},
        {kPortDialogName, command([](MainWindow& main) { main.choosePort(); })},
        {kPasswordDialogName, command([](MainWindow& main) { main.enterPassword(); })},
        {kTransferOptionsName, command([](MainWindow& main) { main.chooseBackupOptions(); })},
        {kBackupListName,
         [](MainWindow& main, ui::ScriptedPrompter& prompter) {
             // Not saving what the editors touched since the read.
             if (main.context().session.doc.isModified())
                 prompter.answers.push_back(ui::Answer::No);
             main.openBackup();
         }},
        {kCheckWindowName, command([](MainWindow& main) { main.showConfigurationCheck(); })},
        {kFleetWindowName, command([](MainWindow& main) { main.showFleetWindow(); })},
        {kProgrammingLogWindowName, command([](MainWindow& main) { main.showProgrammingLog(); })},
        {kHelpWindowName, command([](MainWindow& main) { main.help().showManual(); })},
        {kShortcutsName, command([](MainWindow& main) { main.help().showShortcuts(); })},
        {kProblemReportName, command([](MainWindow& main) { main.help().reportProblem(); })},
        {kImportRefusalsName, importRefusedRow},
        {kBulkEditName, setForFirstRows},
        {kBulkRefusalsName, setRefusedValues},
        // After the bulk edit, so that the document and the radio differ.
        {kCompareWindowName, [](MainWindow& main, ui::ScriptedPrompter&) { triggerCommand(main, MenuAction::CompareRadio); }, true},
        // Find moves the table to another group, which the document keeps.
        {kFindChannelName, findFrequency},
        {kImportChoiceName, importInExtendedMode},
        {kAboutName, command([](MainWindow& main) { main.showAbout(); })},
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
        if (stop.objectName == kMainWindowName) {
            visit(main);
            continue;
        }
        if (stop.objectName == kSplashName) {
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
        stop.open(main, prompter);
        prompter.dialogs.clear();
        prompter.files.clear();
        if (visited)
            continue;
        QWidget* window = nullptr;
        if (!runEventsUntil([&] { return (window = shownWindow(stop.objectName)) != nullptr; },
                            stop.needsRadio ? kTransferMs : kOpenMs)) {
            missed << stop.objectName;
            continue;
        }
        visit(*window);
        if (stop.needsRadio && stop.objectName == kProgressDialogName) {
            // The progress window closes with its read, which ends by
            // showing the channel table of what was read.
            runEventsUntil([&] { return !main.transferRunning() && shownWindow(kChannelTableName); },
                           kTransferMs);
            continue;
        }
        if (stop.needsRadio)
            runEventsUntil([&] { return !main.transferRunning(); }, kTransferMs);
        closeShown(window, main);
    }
    prompter.answers.clear();
    return missed;
}

} // namespace zav::help
