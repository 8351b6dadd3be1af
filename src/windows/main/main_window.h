#pragma once

// The main window: a multiple-document frame with the menus, the toolbar,
// the status bar and the navigation tree in a left pane. It owns the
// document commands, routes every menu, toolbar and tree command, keeps
// its caption and position, and hosts the radio link.

#include "app_context.h"
#include "menu_actions.h"
#include "packets.h"
#include "radio_image.h"
#include "recovery_keeper.h"
#include "transfer_backups.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QSplitter;
class QStatusBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace zav::link {
struct TransferOutcome;
}

namespace zav {

struct ConfigFinding;
class FleetWindow;
class BulkCommands;
class CompareCommand;
class ExchangeCommands;
class IconStrip;
class RadioLink;
class UndoTracker;
namespace help {
class HelpSystem;
}
struct Session;
struct ProgrammingLogEntry;

/// The left pane never gets narrower than 300 twips (20 px).
inline constexpr int kMinPaneTwips = 300;

struct MainOptions {
    std::string shownLanguageFile; ///< language file the captions are in at first (the locale's); "" = the run's
    std::string missingLanguage; ///< the stored language that has no file ("" = none): told once shown
    std::string portOverride;  ///< device for transfers from --port / ZAV_PORT ("" = the chosen port)
    std::string programFile = "zavprog"; ///< own file name, to start another version of it
};

class MainWindow : public QMainWindow, public ui::ShellHooks {
    Q_OBJECT
public:
    MainWindow(Session& session, MainOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- operations other windows use ---------------------------------------
    void refreshCaption() override;
    /// The caption's modified mark follows the document.
    void showModified();
    void rebuildTree() override;
    /// Shows every text of the main window in the current language.
    void retranslate();
    void scheduleNewDocument();
    void loadStartupDocument();
    void closeAllWindows();
    /// Writes every byte of the following transfers to path (Settings >
    /// Wire Trace shows it checked); false after telling the user.
    bool startWireTrace(const QString& path);
    void showChannelMode();
    void changeChannelMode(Int16 newMode);
    void readRadioInfo();

    // --- commands (menus, toolbar, tree) --------------------------------------
    void newDocument();
    void openDocument();
    /// Save; false when nothing was saved (cancelled or failed).
    bool saveDocument();
    bool saveDocumentAs();
    void exitProgram();
    void newDocumentFromToolbar();
    void initializeDocument();
    void chooseModel();
    void useCountryMode();
    void useExtendedMode();
    void chooseLanguage();
    void choosePort();
    void enterPassword();
    void showAbout();
    void readFromRadio();
    void writeToRadio();
    void showRadioInfo();
    /// Opens an editor window by name (showEditor); nothing when this build
    /// has no such window.
    void openEditor(const QString& name);
    /// Opens a data file given on the command line (no questions first).
    void openFile(const QString& path);
    /// File > Open Backup...: a backup opened as an untitled document.
    void openBackup();
    /// Settings > Backups...
    void chooseBackupOptions();
    /// Settings > Wire Trace...: starts a trace (asking for its file) or stops it.
    void toggleWireTrace();
    /// Program > Check Configuration...: the findings in a child window.
    void showConfigurationCheck();
    /// Opens the editor at the place of a finding (the check window's double-click).
    void openFinding(const ConfigFinding& finding);
    /// Program > Compare with Radio...: reads the radio and lists where it
    /// differs from the document (main_window_check.cpp).
    void compareWithRadio();
    /// Program > Write to Many Radios...: the fleet window.
    void showFleetWindow();
    /// Program > Programming Log...
    void showProgrammingLog();
    /// The fleet window when it is open.
    [[nodiscard]] FleetWindow* fleetWindow() const;
    /// The main window was activated: applies a language change.
    void applyLanguageChange();

    // --- state -----------------------------------------------------------------
    [[nodiscard]] ui::AppContext& context() { return ctx_; }
    [[nodiscard]] QMdiArea* area() const { return area_; }
    [[nodiscard]] UndoTracker* undoTracker() const { return undo_; }
    [[nodiscard]] RecoveryKeeper* recoveryKeeper() const { return recovery_; }
    [[nodiscard]] const std::string& shownLanguageFile() const { return shownLanguageFile_; }
    [[nodiscard]] bool transferRunning() const;
    [[nodiscard]] RadioLink& radioLink() { return *link_; }
    /// The manual, F1, the shortcut list and the problem report.
    [[nodiscard]] help::HelpSystem& help() { return *help_; }
    /// The device a transfer opens now.
    [[nodiscard]] std::string linkDevice() const;
    /// "*.dat" filter for the file dialogs (text 9001 + " (*.dat)|*.dat").
    [[nodiscard]] const QString& fileFilter() const { return fileFilter_; }
    /// Left pane width in twips.
    [[nodiscard]] int paneWidthTwips() const;
    /// Tries to give the left pane a new width (the splitter drag); widths
    /// under 300 twips or beyond the client area are refused.
    bool setPaneWidthTwips(int twips);
    /// A new document is waiting to be built (scheduleNewDocument).
    [[nodiscard]] bool newDocumentPending() const { return newDocumentTimer_.isActive(); }
    /// A menu command of the main window.
    [[nodiscard]] QAction* action(MenuAction key) const { return actions_[static_cast<std::size_t>(key)]; }

signals:
    /// The window has been shown for the first time.
    void firstShown();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Backups and recovery (main_window_backups.cpp).
    void offerRecovery();
    /// The status bar says, for the rest of the run, that no recovery file
    /// can be kept and why (a box would interrupt the typing it follows).
    void showRecoveryUnavailable(RecoveryKeeper::Problem problem, const QString& systemError);
    void documentSettled();

    // Building (main_window_layout.cpp).
    void buildActions();
    void buildMenus();
    void buildToolbar();
    void buildLeftPane();
    void buildStatusBar();
    void treeItemClicked(QTreeWidgetItem* item);
    void updateCommandStates();
    void fillWindowMenu();

    // Document (main_window_document.cpp).
    void buildScheduledDocument();
    bool saveTo(const std::string& path);
    bool saveWithoutAsking();
    /// The version question; on Yes starts the other version with
    /// arguments and closes this window. True when the window closed.
    bool askOtherVersion(const std::string& imageVersion, const QStringList& arguments);
    bool startOtherVersion(const std::string& imageVersion, const QStringList& arguments);
    void showChannelTable();
    /// The document has become what a radio holds (a read, or the compare
    /// window's "Open what the radio holds"): its windows, a new history.
    void showReadDocument();

    // Position (main_window.cpp).
    void restorePosition();
    void storePosition();

    // Radio (main_window_commands.cpp).
    void transferEnding(const link::TransferOutcome& outcome);
    void transferFinished(const link::TransferOutcome& outcome);
    /// Before a write: what the check's question decided
    /// (main_window_check.cpp). With errors the user is asked once, the
    /// errors and the write's own question together.
    enum class CheckAnswer { NoErrors, WriteAnyway, DontWrite };
    CheckAnswer askCheckBeforeWrite();
    /// A finding in the other channel mode: asks, then switches the mode
    /// as the mode menu does and opens the place (main_window_check.cpp).
    void openFindingOfOtherMode(ConfigFinding finding);
    /// The compare window with the radio's memory as read from device.
    void showComparison(const link::RadioMemory& memory, const QString& device);
    /// A line in the programming log for the write that just ended.
    void logSingleWrite(const link::TransferOutcome& outcome);
    /// The line of a write the check's question stopped before it began.
    void logRefusedWrite();
    /// Appends entry to the programming log; tells the user when it cannot.
    void addLogLine(const ProgrammingLogEntry& entry);

    Session& session_;
    MainOptions options_;
    ui::AppContext ctx_;
    TransferBackups backups_{ctx_, this}; ///< of every read and write (TransferOptions)
    std::string shownLanguageFile_;
    bool firstShowDone_ = false;
    QTimer newDocumentTimer_; ///< builds a scheduled new document once events settle
    QString fileFilter_;

    QMdiArea* area_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* leftPane_ = nullptr;
    QToolBar* paneBar_ = nullptr;
    QLabel* modelLabel_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    std::array<QLabel*, 3> panels_{};
    QLabel* noRecovery_ = nullptr; ///< shown once no recovery file can be kept

    std::array<QAction*, kMenuActionCount> actions_{};
    std::array<QMenu*, kMainMenuCount> menus_{};
    std::vector<QAction*> buttons_; ///< the tool bar's, in its order (nullptr: a separator)
    QAction* hidePane_ = nullptr;

    std::unique_ptr<IconStrip> icons_;
    std::unique_ptr<RadioLink> link_;
    std::unique_ptr<CompareCommand> compare_; ///< Compare with Radio: its own link and document
    UndoTracker* undo_ = nullptr; ///< undo and redo of every edit; owned as a child
    RecoveryKeeper* recovery_ = nullptr; ///< the recovery file of this run; owned as a child
    ExchangeCommands* exchange_ = nullptr; ///< CSV, clipboard and report commands; owned as a child
    BulkCommands* bulk_ = nullptr;         ///< Edit's commands over many channels and Find; owned as a child
    help::HelpSystem* help_ = nullptr; ///< the Help menu's commands and F1; owned as a child
    QPointer<QWidget> fleet_; ///< the FleetWindow of Program > Write to Many Radios..., one at a time
};

} // namespace zav
