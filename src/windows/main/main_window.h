#pragma once

// The main window: a multiple-document frame with the menus, the toolbar,
// the status bar and the navigation tree in a left pane. It owns the
// document commands, routes every menu, toolbar and tree command, keeps
// its caption and position, and hosts the radio link.

#include "app_context.h"
#include "radio_image.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <map>
#include <memory>
#include <string>

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

class IconStrip;
class RadioLink;
struct Session;

/// Window positions are kept in twips, as the settings store has always
/// held them: 1 twip = 1/15 pixel at 96 dpi.
inline constexpr double kTwipsPerPixel = 15.0;
/// The left pane never gets narrower than 300 twips (20 px).
inline constexpr int kMinPaneTwips = 300;

struct MainOptions {
    int shownLanguage = 1;     ///< language the captions are in at first (the locale's)
    std::string portOverride;  ///< device for transfers from --port / ZAV_PORT ("" = the chosen port)
    std::string programFile = "zavprog"; ///< own file name, to start another version of it
};

class MainWindow : public QMainWindow, public ui::ShellHooks {
    Q_OBJECT
public:
    MainWindow(Session& session, MainOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- operations other windows use ---------------------------------------
    void ShowMainTxt() override;
    void LoadTree() override;
    void SetMainCaptions();
    void Change_Language();
    void LoadNewDoc();
    void LoadNewDoc2();
    void CloseCurAllWindows();
    void SetSaveEditData();
    void ShowCountryMode();
    void ChangeCountryMode(Int16 newMode);
    void ReadRMGDataFromRadio();

    // --- commands (menus, toolbar, tree) --------------------------------------
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    /// Save; false when nothing was saved (cancelled or failed).
    bool mnuFileSave_Click();
    bool mnuFileSaveAs_Click();
    void mnuFileExit_Click();
    void ToolbarNew();
    void MnuInit_Click();
    void mnuModelInfo_Click();
    void MnuModeCountry_Click();
    void MnuModeExtended_Click();
    void mnuLanguage_Click();
    void mnuComm_Click();
    void MnuProPassWord_Click();
    void mnuHelpAbout_Click();
    void mnuReadFromRadio_Click();
    void mnuWriteToRadio_Click();
    void MnuLocalInfo_Click();
    /// Opens an editor window by name (ShowEditor); nothing when this build
    /// has no such window.
    void OpenEditor(const QString& name);
    /// Opens a data file given on the command line (no questions first).
    void OpenFile(const QString& path);
    /// The main window was activated: applies a language change.
    void Form_Activate();

    // --- state -----------------------------------------------------------------
    [[nodiscard]] ui::AppContext& context() { return ctx_; }
    [[nodiscard]] QMdiArea* area() const { return area_; }
    [[nodiscard]] int shownLanguage() const { return shownLanguage_; }
    [[nodiscard]] bool transferRunning() const;
    [[nodiscard]] RadioLink& radioLink() { return *link_; }
    /// The device a transfer opens now.
    [[nodiscard]] std::string LinkDevice() const;
    /// "*.dat" filter for the file dialogs (text 9001 + " (*.dat)|*.dat").
    [[nodiscard]] const QString& fileFilter() const { return fileFilter_; }
    /// Left pane width in twips.
    [[nodiscard]] int paneWidthTwips() const;
    /// Tries to give the left pane a new width (the splitter drag); widths
    /// under 300 twips or beyond the client area are refused.
    bool SetPaneWidthTwips(int twips);

    QTimer NewDocTimer;

signals:
    /// The window has been shown for the first time.
    void firstShown();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Building (main_window_layout.cpp).
    void BuildActions();
    void BuildMenus();
    void BuildToolbar();
    void BuildLeftPane();
    void BuildStatusBar();
    QAction* NewAction(const char* name, void (MainWindow::*slot)());
    void TreeClicked(QTreeWidgetItem* item);
    void RunTreeCommand(const QString& key);
    void UpdateCommandStates();
    void FillWindowMenu();

    // Document (main_window_document.cpp).
    void NewDocTimer_Timer();
    bool SaveTo(const std::string& path);
    bool SaveWithoutAsking();
    /// The version question; on Yes starts the other version with
    /// arguments and closes this window. True when the window closed.
    bool AskOtherVersion(const std::string& imageVersion, const QStringList& arguments);
    bool StartOtherVersion(const std::string& imageVersion, const QStringList& arguments);
    void ShowChannelTable();

    // Position (main_window.cpp).
    void RestorePosition();
    void StorePosition();

    // Radio (main_window_commands.cpp).
    void TransferEnding(const link::TransferOutcome& outcome);
    void TransferFinished(const link::TransferOutcome& outcome);

    Session& session_;
    MainOptions options_;
    ui::AppContext ctx_;
    int shownLanguage_ = 1;
    bool firstShowDone_ = false;
    QString fileFilter_;

    QMdiArea* area_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* Picture1 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QLabel* Label1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QToolBar* tbToolBar = nullptr;
    QStatusBar* sbStatusBar = nullptr;
    std::array<QLabel*, 3> panels_{};

    std::map<QString, QAction*> actions_;   ///< by control name
    std::map<QString, QMenu*> menus_;       ///< by control name
    std::map<QString, QAction*> buttons_;   ///< toolbar by key
    QAction* hidePane_ = nullptr;

    std::unique_ptr<IconStrip> icons_;
    std::unique_ptr<RadioLink> link_;
};

} // namespace zav
