// The main window's menus, toolbar, left pane, status bar and captions.

#include "editor_catalog.h"
#include "bulk_commands.h"
#include "common_text_ids.h"
#include "exchange_commands.h"
#include "help_system.h"
#include "main_window.h"
#include "pictures.h"
#include "prompts.h"
#include "qt_translations.h"
#include "radio_link.h"
#include "session.h"
#include "twips.h"
#include "undo_tracker.h"
#include "window_names.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zav {
namespace {

// One row per menu action, in MenuAction's order: its object name, its
// caption's text id and what it runs (nullptr: connected in buildActions).
struct ActionRow {
    MenuAction key;
    const char* name;
    int textId;
    void (*run)(MainWindow&);
};

constexpr ActionRow kActionRows[] = {
    {MenuAction::FileNew, "mnuFileNew", 10001, [](MainWindow& w) { w.newDocument(); }},
    {MenuAction::FileOpen, "mnuFileOpen", 10002, [](MainWindow& w) { w.openDocument(); }},
    {MenuAction::FileOpenBackup, "mnuFileOpenBackup", 32230, [](MainWindow& w) { w.openBackup(); }},
    {MenuAction::FileSave, "mnuFileSave", 10003, [](MainWindow& w) { w.saveDocument(); }},
    {MenuAction::FileSaveAs, "mnuFileSaveAs", 10004, [](MainWindow& w) { w.saveDocumentAs(); }},
    {MenuAction::FileExit, "mnuFileExit", 10006, [](MainWindow& w) { w.exitProgram(); }},
    {MenuAction::ModelInfo, "mnuModelInfo", 10101, [](MainWindow& w) { w.chooseModel(); }},
    {MenuAction::ModeCountry, "MnuModeCountry", 10011, [](MainWindow& w) { w.useCountryMode(); }},
    {MenuAction::ModeExtended, "MnuModeExtended", 10012, [](MainWindow& w) { w.useExtendedMode(); }},
    {MenuAction::ChannelTable, "mnuChannelInfo", 10201, [](MainWindow& w) { w.openEditor(kChannelTableName); }},
    {MenuAction::OptionalFeatures, "mnuOptFeature", 10202, [](MainWindow& w) { w.openEditor(kOptionalFeaturesName); }},
    {MenuAction::ToneTips, "mnuToneTips", 10221, [](MainWindow& w) { w.openEditor(kToneTipsName); }},
    {MenuAction::Dtmf, "MnuDTMF", 10204, [](MainWindow& w) { w.openEditor(kDtmfEditorName); }},
    {MenuAction::EmbeddedMessages, "mnuEmbeddedMsg", 10206, [](MainWindow& w) { w.openEditor(kEmbeddedMessageName); }},
    {MenuAction::RadioInfo, "MnuLocalInfo", 10207, [](MainWindow& w) { w.showRadioInfo(); }},
    {MenuAction::ReadFromRadio, "mnuReadFromRadio", 10301, [](MainWindow& w) { w.readFromRadio(); }},
    {MenuAction::WriteToRadio, "mnuWriteToRadio", 10302, [](MainWindow& w) { w.writeToRadio(); }},
    {MenuAction::CompareRadio, "mnuCompareRadio", 34221, [](MainWindow& w) { w.compareWithRadio(); }},
    {MenuAction::WriteMany, "mnuWriteMany", 32801, [](MainWindow& w) { w.showFleetWindow(); }},
    {MenuAction::CheckConfig, "mnuCheckConfig", 32800, [](MainWindow& w) { w.showConfigurationCheck(); }},
    {MenuAction::ProgramLog, "mnuProgramLog", 32802, [](MainWindow& w) { w.showProgrammingLog(); }},
    {MenuAction::Password, "MnuProPassWord", 10303, [](MainWindow& w) { w.enterPassword(); }},
    {MenuAction::Port, "mnuComm", 10401, [](MainWindow& w) { w.choosePort(); }},
    {MenuAction::Language, "mnuLanguage", 10402, [](MainWindow& w) { w.chooseLanguage(); }},
    {MenuAction::BackupSettings, "mnuBackupSettings", 32231, [](MainWindow& w) { w.chooseBackupOptions(); }},
    {MenuAction::WireTrace, "mnuWireTrace", 32900, [](MainWindow& w) { w.toggleWireTrace(); }},
    {MenuAction::Initialize, "MnuInit", 10403, [](MainWindow& w) { w.initializeDocument(); }},
    {MenuAction::TreeView, "mnuTreeView", 10501, nullptr},
    {MenuAction::ViewToolbar, "mnuViewToolbar", 10502, nullptr},
    {MenuAction::ViewStatusBar, "mnuViewStatusBar", 10503, nullptr},
    {MenuAction::WindowCascade, "mnuWindowCascade", 10601, [](MainWindow& w) { w.area()->cascadeSubWindows(); }},
    {MenuAction::CloseAll, "mnuCloseAll", 10602, [](MainWindow& w) { w.closeAllWindows(); }},
    {MenuAction::HelpManual, "mnuHelpManual", 34400, [](MainWindow& w) { w.help().showManual(); }},
    {MenuAction::HelpShortcuts, "mnuHelpShortcuts", 34401, [](MainWindow& w) { w.help().showShortcuts(); }},
    {MenuAction::HelpReport, "mnuHelpReport", 34402, [](MainWindow& w) { w.help().reportProblem(); }},
    {MenuAction::HelpAbout, "mnuHelpAbout", 10702, [](MainWindow& w) { w.showAbout(); }},
};

template <typename Row, std::size_t N>
constexpr bool rowsInEnumOrder(const Row (&rows)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(rows[i].key) != i)
            return false;
    return true;
}

struct MenuRow {
    MainMenu key;
    const char* name;
    int textId;
};

constexpr MenuRow kMenuRows[] = {
    {MainMenu::File, "mnuFile", 10000},       {MainMenu::Model, "mnuModel", 10100},
    {MainMenu::Mode, "MnuMode", 10010},       {MainMenu::Edit, "mnuEdit", 10200},
    {MainMenu::Program, "mnuProgram", 10300}, {MainMenu::Settings, "mnuSet", 10400},
    {MainMenu::View, "mnuView", 10500},       {MainMenu::Window, "mnuWindow", 10600},
    {MainMenu::Help, "mnuHelp", 10700},
};
static_assert(std::size(kActionRows) == kMenuActionCount && rowsInEnumOrder(kActionRows));
static_assert(std::size(kMenuRows) == kMainMenuCount && rowsInEnumOrder(kMenuRows));

// The tool bar's buttons (key nullptr: a separator); those of a transfer
// wait while one runs.
struct ToolButton {
    const char* key;
    int tipId;
    IconId icon;
    void (*run)(MainWindow&);
    bool transfer;
};

constexpr ToolButton kToolButtons[] = {
    {"NewFile", 11000, IconId::NewFile, [](MainWindow& w) { w.newDocumentFromToolbar(); }, false},
    {"OpenFile", 11001, IconId::OpenFile, [](MainWindow& w) { w.openDocument(); }, false},
    {"SaveFile", 11002, IconId::SaveFile, [](MainWindow& w) { w.saveDocument(); }, false},
    {nullptr, 0, IconId::NewFile, nullptr, false},
    {"ReadRadio", 11004, IconId::ReadRadio, [](MainWindow& w) { w.readFromRadio(); }, true},
    {"CommSet", 11005, IconId::CommSet, [](MainWindow& w) { w.choosePort(); }, false},
    {"WriteRadio", 11006, IconId::WriteRadio, [](MainWindow& w) { w.writeToRadio(); }, true},
    {nullptr, 0, IconId::NewFile, nullptr, false},
    {"About", 11007, IconId::About, [](MainWindow& w) { w.showAbout(); }, false},
};

// Tree nodes below the root, in TreeNode's order: the key the tree items
// keep, text id, editor window it opens (nullptr for the radio-information
// command, which reads the radio first).
struct TreeRow {
    TreeNode key;
    const char* itemKey;
    int textId;
    const QString* window;
};

constexpr TreeRow kTreeRows[] = {
    {TreeNode::ChannelTable, "N1", 12001, &kChannelTableName},
    {TreeNode::OptionalFeatures, "N2", 12002, &kOptionalFeaturesName},
    {TreeNode::Dtmf, "N4", 12004, &kDtmfEditorName},
    {TreeNode::ToneTips, "N12", 12014, &kToneTipsName},
    {TreeNode::EmbeddedMessages, "N6", 12006, &kEmbeddedMessageName},
    {TreeNode::RadioInfo, "N7", 12007, nullptr},
};
static_assert(rowsInEnumOrder(kTreeRows));

// The menu items that open an editor window, which this build may lack.
constexpr std::pair<MenuAction, const QString*> kEditorActions[] = {
    {MenuAction::ChannelTable, &kChannelTableName},  {MenuAction::OptionalFeatures, &kOptionalFeaturesName},
    {MenuAction::ToneTips, &kToneTipsName},          {MenuAction::Dtmf, &kDtmfEditorName},
    {MenuAction::EmbeddedMessages, &kEmbeddedMessageName},
};

constexpr int kKeyRole = Qt::UserRole;     ///< the item's key ("N1")
constexpr int kNodeRole = Qt::UserRole + 1; ///< its TreeNode

constexpr int kTextDataFiles = 9001;       // "Data files"
constexpr int kTextNavigationTree = 10501; // "&Navigation Tree"
constexpr int kTextFile = 12009;           // "File"
// The status bar's port caption: with a port number, and with a device name
// (the first ends in "COM").
constexpr int kTextPortNumber = 12008; // "Port: COM"
constexpr int kTextPortDevice = 12015;

} // namespace

void MainWindow::buildActions()
{
    for (const ActionRow& row : kActionRows) {
        auto* created = new QAction(this);
        created->setObjectName(QString::fromLatin1(row.name));
        if (row.run)
            connect(created, &QAction::triggered, this, [this, run = row.run] { run(*this); });
        actions_[static_cast<std::size_t>(row.key)] = created;
    }
    for (MenuAction checkable : {MenuAction::WireTrace, MenuAction::ModeCountry, MenuAction::ModeExtended})
        action(checkable)->setCheckable(true);
    action(MenuAction::Password)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    for (MenuAction key : {MenuAction::TreeView, MenuAction::ViewToolbar, MenuAction::ViewStatusBar}) {
        QAction* toggle = action(key);
        toggle->setCheckable(true);
        toggle->setChecked(true);
        // The pane and the bars are built after the actions.
        connect(toggle, &QAction::toggled, this, [this, key](bool on) {
            QWidget* bar = key == MenuAction::ViewToolbar ? static_cast<QWidget*>(toolBar_) : statusBar_;
            (key == MenuAction::TreeView ? leftPane_ : bar)->setVisible(on);
        });
    }
    // F1 is the help system's in every window (the page of that window);
    // the menu shows the key without taking it.
    QAction* manual = action(MenuAction::HelpManual);
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    manual->setShortcutContext(Qt::WidgetShortcut);
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto menu = [&](MainMenu key, QMenu* parent = nullptr) {
        QMenu* m = parent ? parent->addMenu(QString()) : bar->addMenu(QString());
        m->setObjectName(QString::fromLatin1(kMenuRows[static_cast<std::size_t>(key)].name));
        menus_[static_cast<std::size_t>(key)] = m;
        return m;
    };
    auto add = [&](QMenu* m, std::initializer_list<MenuAction> keys) {
        for (MenuAction key : keys)
            m->addAction(action(key));
    };

    QMenu* file = menu(MainMenu::File);
    add(file, {MenuAction::FileNew, MenuAction::FileOpen, MenuAction::FileOpenBackup, MenuAction::FileSave,
               MenuAction::FileSaveAs});
    file->addSeparator();
    file->addAction(exchange_->importChannelsAction());
    file->addAction(exchange_->exportChannelsAction());
    file->addSeparator();
    file->addAction(exchange_->printAction());
    file->addAction(exchange_->exportPdfAction());
    file->addSeparator();
    add(file, {MenuAction::FileExit});

    QMenu* model = menu(MainMenu::Model);
    add(model, {MenuAction::ModelInfo});
    add(menu(MainMenu::Mode, model), {MenuAction::ModeCountry, MenuAction::ModeExtended});

    QMenu* edit = menu(MainMenu::Edit);
    edit->addAction(undo_->undoAction());
    edit->addAction(undo_->redoAction());
    edit->addSeparator();
    edit->addAction(exchange_->copyChannelsAction());
    edit->addAction(exchange_->pasteChannelsAction());
    edit->addSeparator();
    for (QAction* action : {bulk_->setForSelectedAction(), bulk_->fillDownAction(), bulk_->clearSelectedAction(),
                            bulk_->findAction(), bulk_->findNextAction()})
        edit->addAction(action);
    connect(edit, &QMenu::aboutToShow, bulk_, &BulkCommands::updateActions);
    edit->addSeparator();
    add(edit, {MenuAction::ChannelTable, MenuAction::OptionalFeatures, MenuAction::ToneTips, MenuAction::Dtmf,
               MenuAction::EmbeddedMessages, MenuAction::RadioInfo});

    QMenu* program = menu(MainMenu::Program);
    add(program, {MenuAction::ReadFromRadio, MenuAction::WriteToRadio, MenuAction::CompareRadio, MenuAction::WriteMany});
    program->addSeparator();
    add(program, {MenuAction::CheckConfig, MenuAction::ProgramLog});
    program->addSeparator();
    add(program, {MenuAction::Password});

    add(menu(MainMenu::Settings), {MenuAction::Port, MenuAction::Language, MenuAction::BackupSettings,
                                   MenuAction::WireTrace, MenuAction::Initialize});
    add(menu(MainMenu::View), {MenuAction::TreeView, MenuAction::ViewToolbar, MenuAction::ViewStatusBar});

    QMenu* window = menu(MainMenu::Window);
    connect(window, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    fillWindowMenu();

    QMenu* help = menu(MainMenu::Help);
    add(help, {MenuAction::HelpManual, MenuAction::HelpShortcuts});
    help->addSeparator();
    add(help, {MenuAction::HelpReport});
    help->addSeparator();
    add(help, {MenuAction::HelpAbout});
}

void MainWindow::fillWindowMenu()
{
    QMenu* window = menus_[static_cast<std::size_t>(MainMenu::Window)];
    window->clear();
    window->addAction(action(MenuAction::WindowCascade));
    window->addAction(action(MenuAction::CloseAll));
    const auto subs = area_->subWindowList();
    if (!subs.isEmpty())
        window->addSeparator();
    for (QMdiSubWindow* sub : subs) {
        if (sub->isHidden())
            continue;
        QAction* item = window->addAction(sub->windowTitle());
        item->setCheckable(true);
        item->setChecked(sub == area_->activeSubWindow());
        connect(item, &QAction::triggered, area_, [this, sub] { area_->setActiveSubWindow(sub); });
    }
}

void MainWindow::buildToolbar()
{
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName("tbToolBar");
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(24, 24));
    for (const ToolButton& b : kToolButtons) {
        if (!b.key) {
            toolBar_->addSeparator();
            buttons_.push_back(nullptr);
            continue;
        }
        QAction* button = toolBar_->addAction(icons_->icon(b.icon), QString());
        button->setObjectName(QString::fromLatin1(b.key));
        connect(button, &QAction::triggered, this, [this, run = b.run] { run(*this); });
        buttons_.push_back(button);
    }
    // Undo and redo after the file buttons.
    QAction* afterFiles = toolBar_->actions().at(3);
    undo_->undoAction()->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    undo_->redoAction()->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), style()->standardIcon(QStyle::SP_ArrowForward)));
    toolBar_->insertAction(afterFiles, undo_->undoAction());
    toolBar_->insertAction(afterFiles, undo_->redoAction());
}

void MainWindow::buildLeftPane()
{
    leftPane_ = new QWidget(this);
    leftPane_->setObjectName("Picture1");
    leftPane_->setMinimumWidth(kMinPaneTwips / ui::kTwipsPerPixel);

    paneBar_ = new QToolBar(leftPane_);
    paneBar_->setObjectName("Toolbar1");
    paneBar_->setIconSize(QSize(16, 16));
    modelLabel_ = new QLabel(leftPane_);
    modelLabel_->setObjectName("Label1");
    QFont bold = modelLabel_->font();
    bold.setBold(true);
    modelLabel_->setFont(bold);
    paneBar_->addWidget(modelLabel_);
    auto* spacer = new QWidget(paneBar_);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    paneBar_->addWidget(spacer);
    QIcon hideIcon = icons_->icon(IconId::HidePane);
    if (hideIcon.isNull())
        hideIcon = style()->standardIcon(QStyle::SP_TitleBarCloseButton);
    hidePane_ = paneBar_->addAction(hideIcon, QString());
    hidePane_->setObjectName(QString::fromUtf8("删除"));
    connect(hidePane_, &QAction::triggered, this, [this] { action(MenuAction::TreeView)->setChecked(false); });

    tree_ = new QTreeWidget(leftPane_);
    tree_->setObjectName("TreeView1");
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    connect(tree_, &QTreeWidget::itemClicked, this, &MainWindow::treeItemClicked);
    connect(tree_, &QTreeWidget::itemActivated, this, &MainWindow::treeItemClicked);

    auto* layout = new QVBoxLayout(leftPane_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(paneBar_);
    layout->addWidget(tree_, 1);

    // The splitter handle is the draggable bar at the pane's right edge;
    // the pane's minimum width keeps it at 300 twips or more.
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName("CommandMove");
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(leftPane_);
    splitter_->addWidget(area_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({200, 800});
    setCentralWidget(splitter_);
}

void MainWindow::buildStatusBar()
{
    statusBar_ = statusBar();
    statusBar_->setObjectName("sbStatusBar");
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(statusBar_);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panels_[i]->setContentsMargins(4, 0, 4, 0);
        if (i == 0)
            statusBar_->addWidget(panels_[i], 1);
        else
            statusBar_->addPermanentWidget(panels_[i]);
    }
    noRecovery_ = new QLabel(statusBar_);
    noRecovery_->setObjectName("lblNoRecovery");
    noRecovery_->setContentsMargins(4, 0, 4, 0);
    noRecovery_->setStyleSheet(QStringLiteral("color: #b00000;"));
    statusBar_->addPermanentWidget(noRecovery_);
    noRecovery_->hide();
}

int MainWindow::paneWidthTwips() const { return ui::pixelsToTwips(leftPane_->width()); }

bool MainWindow::setPaneWidthTwips(int twips)
{
    const int clientTwips = ui::pixelsToTwips(splitter_->width());
    if (twips < kMinPaneTwips || twips > clientTwips)
        return false;
    const int pixels = ui::twipsToPixels(twips);
    splitter_->setSizes({pixels, std::max(splitter_->width() - pixels - splitter_->handleWidth(), 0)});
    return true;
}

void MainWindow::retranslate()
{
    fileFilter_ = ctx_.text(kTextDataFiles) + QStringLiteral(" (*.dat)|*.dat");
    ui::useQtTranslations(session_.settings.languageLocale);
    ui::setMessageTitle(ctx_.text(textid::kTextProgramTitle));
    undo_->retranslate();
    exchange_->retranslate();
    bulk_->retranslate();
    // Message box buttons with their keyboard accelerators ("&Yes", "是(&Y)");
    // the plain words stay for logs and other texts.
    ui::setButtonTexts({ctx_.text(textid::kTextOkKey), ctx_.text(textid::kTextCancelKey),
                        ctx_.text(textid::kTextYesKey), ctx_.text(textid::kTextNoKey),
                        ctx_.text(textid::kTextRetryKey)});

    // The device given for this run, else the one chosen in the port
    // dialog, else the port number of an older settings file.
    const std::string& device =
        options_.portOverride.empty() ? session_.settings.portDevice : options_.portOverride;
    if (device.empty())
        panels_[2]->setText(ctx_.text(kTextPortNumber) + QString::number(session_.settings.portNumber));
    else
        panels_[2]->setText(ctx_.text(kTextPortDevice).arg(QString::fromStdString(device)));
    // The device named without asking the system for its port list, which
    // takes long enough to be felt at start-up.
    panels_[2]->setToolTip(QString::fromStdString(options_.portOverride.empty() ? session_.settings.portDevice
                                                                                : options_.portOverride));
    const ModelBand& model = session_.doc.model;
    panels_[1]->setText(QString::fromStdString(model.modelName) + "[" + QString::fromStdString(model.bandLabel) + "]");
    refreshCaption();

    for (const ActionRow& row : kActionRows)
        action(row.key)->setText(ctx_.text(row.textId));
    for (const MenuRow& row : kMenuRows)
        menus_[static_cast<std::size_t>(row.key)]->setTitle(ctx_.text(row.textId));
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        QAction* button = buttons_[i];
        if (!button)
            continue;
        const QString tip = ctx_.text(kToolButtons[i].tipId);
        button->setToolTip(tip);
        button->setText(tip);
        if (button->icon().isNull())
            toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly); // no picture strip: show the words
    }
    hidePane_->setToolTip(ctx_.text(kTextNavigationTree).remove('&'));
}

void MainWindow::rebuildTree()
{
    tree_->clear();
    auto* root = new QTreeWidgetItem(tree_, {modelLabel_->text()});
    root->setData(0, kKeyRole, QStringLiteral("N0"));
    root->setIcon(0, icons_->icon(IconId::TreeRoot));
    for (const TreeRow& node : kTreeRows) {
        auto* item = new QTreeWidgetItem(root, {ctx_.text(node.textId)});
        item->setData(0, kKeyRole, QString::fromLatin1(node.itemKey));
        item->setData(0, kNodeRole, static_cast<int>(node.key));
        item->setIcon(0, icons_->icon(IconId::TreeNode));
        // A node whose window this build lacks stays disabled.
        const bool available = node.window ? editorAvailable(*node.window) : !transferRunning();
        if (!available)
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
    root->setExpanded(true);
    action(MenuAction::Dtmf)->setVisible(true);
}

void MainWindow::treeItemClicked(QTreeWidgetItem* item)
{
    if (!item || !(item->flags() & Qt::ItemIsEnabled))
        return;
    // The command runs after the tree has finished with the click: the
    // windows it opens may rebuild the tree (rebuildTree) and delete item.
    // The root opens nothing.
    const QVariant node = item->data(0, kNodeRole);
    if (!node.isValid())
        return;
    const TreeRow& row = kTreeRows[node.toInt()];
    QTimer::singleShot(0, this, [this, window = row.window] {
        if (window)
            openEditor(*window);
        else
            showRadioInfo();
    });
}

void MainWindow::refreshCaption()
{
    const ModelBand& model = session_.doc.model;
    const QString modelName = QString::fromStdString(model.modelName);
    // "[*]" is where Qt shows the modified mark; one in the file's own name
    // is doubled so that it shows as it is.
    QString documentName = QString::fromStdString(session_.doc.documentName());
    documentName.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(ctx_.text(textid::kTextProgramTitle) + "[" + modelName + ":" +
                   QString::fromStdString(model.bandLabel) + "][" + ctx_.text(kTextFile) + ":" + documentName + "[*]]");
    showModified();
    modelLabel_->setText(modelName);
    if (tree_ && tree_->topLevelItemCount() > 0)
        tree_->topLevelItem(0)->setText(0, modelLabel_->text());
}

void MainWindow::showModified() { setWindowModified(session_.doc.isModified()); }

void MainWindow::showChannelMode()
{
    const bool extended = isExtendedMode(session_.doc.image().ChannelMode);
    action(MenuAction::ModeCountry)->setChecked(!extended);
    action(MenuAction::ModeExtended)->setChecked(extended);
}

void MainWindow::updateCommandStates()
{
    for (const auto& [key, window] : kEditorActions)
        action(key)->setEnabled(editorAvailable(*window));
    // One transfer at a time.
    const bool idle = !transferRunning();
    for (MenuAction key : {MenuAction::ReadFromRadio, MenuAction::WriteToRadio, MenuAction::RadioInfo,
                           MenuAction::CompareRadio})
        action(key)->setEnabled(idle);
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (kToolButtons[i].transfer)
            buttons_[i]->setEnabled(idle);
    if (tree_ && tree_->topLevelItemCount() > 0) {
        QTreeWidgetItem* root = tree_->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i) {
            QTreeWidgetItem* item = root->child(i);
            if (item->data(0, kNodeRole).toInt() == static_cast<int>(TreeNode::RadioInfo))
                item->setFlags(idle ? item->flags() | Qt::ItemIsEnabled : item->flags() & ~Qt::ItemIsEnabled);
        }
    }
}

} // namespace zav
