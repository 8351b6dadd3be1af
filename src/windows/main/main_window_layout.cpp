// The main window's menus, toolbar, left pane, status bar and captions.

#include "editor_catalog.h"
#include "bulk_commands.h"
#include "exchange_commands.h"
#include "help_system.h"
#include "main_window.h"
#include "pictures.h"
#include "prompts.h"
#include "qt_translations.h"
#include "radio_link.h"
#include "session.h"
#include "undo_tracker.h"

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

// Menu captions: control name -> text id, in menu order.
struct MenuItem {
    const char* name;
    int textId;
};

constexpr MenuItem kMenuTexts[] = {
    {"mnuFile", 10000},        {"mnuFileNew", 10001},      {"mnuFileOpen", 10002},
    {"mnuFileSave", 10003},    {"mnuFileSaveAs", 10004},   {"mnuFileExit", 10006},
    {"mnuModel", 10100},       {"mnuModelInfo", 10101},    {"MnuMode", 10010},
    {"MnuModeCountry", 10011}, {"MnuModeExtended", 10012}, {"mnuEdit", 10200},
    {"mnuChannelInfo", 10201}, {"mnuOptFeature", 10202},   {"MnuDTMF", 10204},
    {"mnuEmbeddedMsg", 10206}, {"MnuLocalInfo", 10207},    {"mnuToneTips", 10221},
    {"mnuProgram", 10300},     {"mnuReadFromRadio", 10301}, {"mnuWriteToRadio", 10302},
    {"MnuProPassWord", 10303}, {"mnuSet", 10400},          {"mnuComm", 10401},
    {"mnuLanguage", 10402},    {"MnuInit", 10403},         {"mnuView", 10500},
    {"mnuTreeView", 10501},    {"mnuViewToolbar", 10502},  {"mnuViewStatusBar", 10503},
    {"mnuWindow", 10600},      {"mnuWindowCascade", 10601}, {"mnuCloseAll", 10602},
    {"mnuHelp", 10700},        {"mnuHelpAbout", 10702},
    {"mnuHelpManual", 34400},  {"mnuHelpShortcuts", 34401}, {"mnuHelpReport", 34402},
    {"mnuFileOpenBackup", 32230}, {"mnuBackupSettings", 32231},
    {"mnuWireTrace", 32900},
    {"mnuCheckConfig", 32800}, {"mnuWriteMany", 32801}, {"mnuProgramLog", 32802},
    {"mnuCompareRadio", 34221},
};

struct ToolButton {
    const char* key;
    int tipId;
    IconId icon;
};

constexpr ToolButton kToolButtons[] = {
    {"NewFile", 11000, IconId::NewFile},     {"OpenFile", 11001, IconId::OpenFile},
    {"SaveFile", 11002, IconId::SaveFile},   {nullptr, 0, IconId::NewFile},
    {"ReadRadio", 11004, IconId::ReadRadio}, {"CommSet", 11005, IconId::CommSet},
    {"WriteRadio", 11006, IconId::WriteRadio}, {nullptr, 0, IconId::NewFile},
    {"About", 11007, IconId::About},
};

// Tree nodes below the root: key, text id, editor window it opens ("" for
// the radio-information command, which reads the radio first).
struct TreeNode {
    const char* key;
    int textId;
    const char* window;
};

constexpr TreeNode kTreeNodes[] = {
    {"N1", 12001, "frmCommChInfo"}, {"N2", 12002, "FrmOptFeatures"}, {"N4", 12004, "FrmDTMF"},
    {"N12", 12014, "FrmToneTips"},  {"N6", 12006, "FrmEmbMsg"},      {"N7", 12007, ""},
};

// Menu items that open an editor window by name.
struct EditorItem {
    const char* action;
    const char* window;
};

constexpr EditorItem kEditorItems[] = {
    {"mnuChannelInfo", "frmCommChInfo"}, {"mnuOptFeature", "FrmOptFeatures"}, {"mnuToneTips", "FrmToneTips"},
    {"MnuDTMF", "FrmDTMF"},              {"mnuEmbeddedMsg", "FrmEmbMsg"},
};

constexpr int kKeyRole = Qt::UserRole;

// Message box buttons with their keyboard accelerators ("&Yes", "是(&Y)");
// the plain words stay for logs and other texts.
constexpr int kTextOkKey = 33401;
constexpr int kTextCancelKey = 33402;
constexpr int kTextYesKey = 33403;
constexpr int kTextNoKey = 33404;
constexpr int kTextRetryKey = 33405;
// The status bar's port caption with a device name (12008 ends in "COM").
constexpr int kTextPortDevice = 12015;

} // namespace

QAction* MainWindow::newAction(const char* name, void (MainWindow::*slot)())
{
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    actions_[action->objectName()] = action;
    return action;
}

void MainWindow::buildActions()
{
    newAction("mnuFileNew", &MainWindow::newDocument);
    newAction("mnuFileOpen", &MainWindow::openDocument);
    newAction("mnuFileOpenBackup", &MainWindow::openBackup);
    newAction("mnuBackupSettings", &MainWindow::chooseBackupOptions);
    newAction("mnuWireTrace", &MainWindow::toggleWireTrace)->setCheckable(true);
    connect(newAction("mnuFileSave", nullptr), &QAction::triggered, this, [this] { saveDocument(); });
    connect(newAction("mnuFileSaveAs", nullptr), &QAction::triggered, this, [this] { saveDocumentAs(); });
    newAction("mnuFileExit", &MainWindow::exitProgram);
    newAction("mnuModelInfo", &MainWindow::chooseModel);
    newAction("MnuModeCountry", &MainWindow::useCountryMode)->setCheckable(true);
    newAction("MnuModeExtended", &MainWindow::useExtendedMode)->setCheckable(true);
    for (const EditorItem& item : kEditorItems) {
        const QString window = QString::fromLatin1(item.window);
        connect(newAction(item.action, nullptr), &QAction::triggered, this, [this, window] { openEditor(window); });
    }
    newAction("MnuLocalInfo", &MainWindow::showRadioInfo);
    newAction("mnuReadFromRadio", &MainWindow::readFromRadio);
    newAction("mnuWriteToRadio", &MainWindow::writeToRadio);
    newAction("mnuCheckConfig", &MainWindow::showConfigurationCheck);
    newAction("mnuWriteMany", &MainWindow::showFleetWindow);
    newAction("mnuCompareRadio", &MainWindow::compareWithRadio);
    newAction("mnuProgramLog", &MainWindow::showProgrammingLog);
    newAction("MnuProPassWord", &MainWindow::enterPassword)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    newAction("mnuComm", &MainWindow::choosePort);
    newAction("mnuLanguage", &MainWindow::chooseLanguage);
    newAction("MnuInit", &MainWindow::initializeDocument);

    QAction* tree = newAction("mnuTreeView", nullptr);
    tree->setCheckable(true);
    tree->setChecked(true);
    connect(tree, &QAction::toggled, this, [this](bool on) { leftPane_->setVisible(on); });
    QAction* toolbar = newAction("mnuViewToolbar", nullptr);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    connect(toolbar, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
    QAction* status = newAction("mnuViewStatusBar", nullptr);
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, this, [this](bool on) { statusBar_->setVisible(on); });

    connect(newAction("mnuWindowCascade", nullptr), &QAction::triggered, area_, &QMdiArea::cascadeSubWindows);
    newAction("mnuCloseAll", &MainWindow::closeAllWindows);
    newAction("mnuHelpAbout", &MainWindow::showAbout);
    // F1 is the help system's in every window (the page of that window);
    // the menu shows the key without taking it.
    QAction* manual = newAction("mnuHelpManual", nullptr);
    connect(manual, &QAction::triggered, this, [this] { help_->showManual(); });
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    manual->setShortcutContext(Qt::WidgetShortcut);
    connect(newAction("mnuHelpShortcuts", nullptr), &QAction::triggered, this, [this] { help_->showShortcuts(); });
    connect(newAction("mnuHelpReport", nullptr), &QAction::triggered, this, [this] { help_->reportProblem(); });
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QString::fromLatin1(name));
        menus_[m->objectName()] = m;
        return m;
    };
    auto add = [&](QMenu* m, const char* name) { m->addAction(actions_.at(QString::fromLatin1(name))); };

    QMenu* file = menu("mnuFile");
    add(file, "mnuFileNew");
    add(file, "mnuFileOpen");
    add(file, "mnuFileOpenBackup");
    add(file, "mnuFileSave");
    add(file, "mnuFileSaveAs");
    file->addSeparator();
    file->addAction(exchange_->importChannelsAction());
    file->addAction(exchange_->exportChannelsAction());
    file->addSeparator();
    file->addAction(exchange_->printAction());
    file->addAction(exchange_->exportPdfAction());
    file->addSeparator();
    add(file, "mnuFileExit");

    QMenu* model = menu("mnuModel");
    add(model, "mnuModelInfo");
    QMenu* mode = model->addMenu(QString());
    mode->setObjectName("MnuMode");
    menus_["MnuMode"] = mode;
    add(mode, "MnuModeCountry");
    add(mode, "MnuModeExtended");

    QMenu* edit = menu("mnuEdit");
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
    add(edit, "mnuChannelInfo");
    add(edit, "mnuOptFeature");
    add(edit, "mnuToneTips");
    add(edit, "MnuDTMF");
    add(edit, "mnuEmbeddedMsg");
    add(edit, "MnuLocalInfo");

    QMenu* program = menu("mnuProgram");
    add(program, "mnuReadFromRadio");
    add(program, "mnuWriteToRadio");
    add(program, "mnuCompareRadio");
    add(program, "mnuWriteMany");
    program->addSeparator();
    add(program, "mnuCheckConfig");
    add(program, "mnuProgramLog");
    program->addSeparator();
    add(program, "MnuProPassWord");

    QMenu* set = menu("mnuSet");
    add(set, "mnuComm");
    add(set, "mnuLanguage");
    add(set, "mnuBackupSettings");
    add(set, "mnuWireTrace");
    add(set, "MnuInit");

    QMenu* view = menu("mnuView");
    add(view, "mnuTreeView");
    add(view, "mnuViewToolbar");
    add(view, "mnuViewStatusBar");

    QMenu* window = menu("mnuWindow");
    connect(window, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    fillWindowMenu();

    QMenu* help = menu("mnuHelp");
    add(help, "mnuHelpManual");
    add(help, "mnuHelpShortcuts");
    help->addSeparator();
    add(help, "mnuHelpReport");
    help->addSeparator();
    add(help, "mnuHelpAbout");
}

void MainWindow::fillWindowMenu()
{
    QMenu* window = menus_.at("mnuWindow");
    window->clear();
    window->addAction(actions_.at("mnuWindowCascade"));
    window->addAction(actions_.at("mnuCloseAll"));
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
            continue;
        }
        QAction* action = toolBar_->addAction(icons_->icon(b.icon), QString());
        action->setObjectName(QString::fromLatin1(b.key));
        buttons_[action->objectName()] = action;
    }
    // Undo and redo after the file buttons.
    QAction* afterFiles = toolBar_->actions().at(3);
    undo_->undoAction()->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    undo_->redoAction()->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), style()->standardIcon(QStyle::SP_ArrowForward)));
    toolBar_->insertAction(afterFiles, undo_->undoAction());
    toolBar_->insertAction(afterFiles, undo_->redoAction());
    // A click dispatches on the key.
    connect(buttons_.at("NewFile"), &QAction::triggered, this, &MainWindow::newDocumentFromToolbar);
    connect(buttons_.at("OpenFile"), &QAction::triggered, this, &MainWindow::openDocument);
    connect(buttons_.at("SaveFile"), &QAction::triggered, this, [this] { saveDocument(); });
    connect(buttons_.at("ReadRadio"), &QAction::triggered, this, &MainWindow::readFromRadio);
    connect(buttons_.at("CommSet"), &QAction::triggered, this, &MainWindow::choosePort);
    connect(buttons_.at("WriteRadio"), &QAction::triggered, this, &MainWindow::writeToRadio);
    connect(buttons_.at("About"), &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::buildLeftPane()
{
    leftPane_ = new QWidget(this);
    leftPane_->setObjectName("Picture1");
    leftPane_->setMinimumWidth(static_cast<int>(kMinPaneTwips / kTwipsPerPixel));

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
    connect(hidePane_, &QAction::triggered, this, [this] { actions_.at("mnuTreeView")->setChecked(false); });

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

int MainWindow::paneWidthTwips() const { return static_cast<int>(leftPane_->width() * kTwipsPerPixel + 0.5); }

bool MainWindow::setPaneWidthTwips(int twips)
{
    const int clientTwips = static_cast<int>(splitter_->width() * kTwipsPerPixel);
    if (twips < kMinPaneTwips || twips > clientTwips)
        return false;
    const int pixels = static_cast<int>(twips / kTwipsPerPixel + 0.5);
    splitter_->setSizes({pixels, std::max(splitter_->width() - pixels - splitter_->handleWidth(), 0)});
    return true;
}

void MainWindow::applyTexts()
{
    fileFilter_ = ctx_.text(9001) + QStringLiteral(" (*.dat)|*.dat");
    ui::useQtTranslations(session_.settings.languageLocale);
    ui::setMessageTitle(ctx_.text(12000));
    undo_->retranslate();
    exchange_->retranslate();
    bulk_->retranslate();
    ui::setButtonTexts({ctx_.text(kTextOkKey), ctx_.text(kTextCancelKey), ctx_.text(kTextYesKey),
                        ctx_.text(kTextNoKey), ctx_.text(kTextRetryKey)});

    // The device given for this run, else the one chosen in the port
    // dialog, else the port number of an older settings file.
    const std::string& device =
        options_.portOverride.empty() ? session_.settings.portDevice : options_.portOverride;
    if (device.empty())
        panels_[2]->setText(ctx_.text(12008) + QString::number(session_.settings.portNumber));
    else
        panels_[2]->setText(ctx_.text(kTextPortDevice).arg(QString::fromStdString(device)));
    // The device named without asking the system for its port list, which
    // takes long enough to be felt at start-up.
    panels_[2]->setToolTip(QString::fromStdString(options_.portOverride.empty() ? session_.settings.portDevice
                                                                                : options_.portOverride));
    const ModelBand& model = session_.doc.model;
    panels_[1]->setText(QString::fromStdString(model.modelName) + "[" + QString::fromStdString(model.bandLabel) + "]");
    refreshCaption();

    for (const MenuItem& item : kMenuTexts) {
        const QString name = QString::fromLatin1(item.name);
        if (auto a = actions_.find(name); a != actions_.end())
            a->second->setText(ctx_.text(item.textId));
        else if (auto m = menus_.find(name); m != menus_.end())
            m->second->setTitle(ctx_.text(item.textId));
    }
    for (const ToolButton& b : kToolButtons) {
        if (!b.key)
            continue;
        QAction* button = buttons_.at(QString::fromLatin1(b.key));
        const QString tip = ctx_.text(b.tipId);
        button->setToolTip(tip);
        button->setText(tip);
        if (button->icon().isNull())
            toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly); // no picture strip: show the words
    }
    hidePane_->setToolTip(ctx_.text(10501).remove('&'));
}

void MainWindow::changeLanguage()
{
    applyTexts();
    rebuildTree();
}

void MainWindow::rebuildTree()
{
    tree_->clear();
    auto* root = new QTreeWidgetItem(tree_, {modelLabel_->text()});
    root->setData(0, kKeyRole, QStringLiteral("N0"));
    root->setIcon(0, icons_->icon(IconId::TreeRoot));
    for (const TreeNode& node : kTreeNodes) {
        auto* item = new QTreeWidgetItem(root, {ctx_.text(node.textId)});
        item->setData(0, kKeyRole, QString::fromLatin1(node.key));
        item->setIcon(0, icons_->icon(IconId::TreeNode));
        const QString window = QString::fromLatin1(node.window);
        // A node whose window this build lacks stays disabled.
        const bool available = window.isEmpty() ? !transferRunning() : editorAvailable(window);
        if (!available)
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
    root->setExpanded(true);
    actions_.at("MnuDTMF")->setVisible(true);
}

void MainWindow::treeItemClicked(QTreeWidgetItem* item)
{
    if (!item || !(item->flags() & Qt::ItemIsEnabled))
        return;
    // The command runs after the tree has finished with the click: the
    // windows it opens may rebuild the tree (rebuildTree) and delete item.
    const QString key = item->data(0, kKeyRole).toString();
    QTimer::singleShot(0, this, [this, key] { runTreeCommand(key); });
}

void MainWindow::runTreeCommand(const QString& key)
{
    for (const TreeNode& node : kTreeNodes) {
        if (key != QLatin1String(node.key))
            continue;
        if (node.window[0] == '\0')
            showRadioInfo();
        else
            openEditor(QString::fromLatin1(node.window));
        return;
    }
    // The root "N0" opens nothing.
}

void MainWindow::refreshCaption()
{
    const ModelBand& model = session_.doc.model;
    const QString modelName = QString::fromStdString(model.modelName);
    // "[*]" is where Qt shows the modified mark; one in the file's own name
    // is doubled so that it shows as it is.
    QString documentName = QString::fromStdString(session_.doc.documentName());
    documentName.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(ctx_.text(12000) + "[" + modelName + ":" + QString::fromStdString(model.bandLabel) + "][" +
                   ctx_.text(12009) + ":" + documentName + "[*]]");
    showModified();
    modelLabel_->setText(modelName);
    if (tree_ && tree_->topLevelItemCount() > 0)
        tree_->topLevelItem(0)->setText(0, modelLabel_->text());
}

void MainWindow::showModified() { setWindowModified(session_.doc.isModified()); }

void MainWindow::showChannelMode()
{
    const bool extended = isExtendedMode(session_.doc.image().ChannelMode);
    actions_.at("MnuModeCountry")->setChecked(!extended);
    actions_.at("MnuModeExtended")->setChecked(extended);
}

void MainWindow::updateCommandStates()
{
    for (const EditorItem& item : kEditorItems)
        actions_.at(QString::fromLatin1(item.action))->setEnabled(editorAvailable(QString::fromLatin1(item.window)));
    // One transfer at a time.
    const bool idle = !transferRunning();
    for (const char* name : {"mnuReadFromRadio", "mnuWriteToRadio", "MnuLocalInfo", "mnuCompareRadio"})
        actions_.at(QString::fromLatin1(name))->setEnabled(idle);
    buttons_.at("ReadRadio")->setEnabled(idle);
    buttons_.at("WriteRadio")->setEnabled(idle);
    if (tree_ && tree_->topLevelItemCount() > 0) {
        QTreeWidgetItem* root = tree_->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i) {
            QTreeWidgetItem* item = root->child(i);
            if (item->data(0, kKeyRole).toString() == QLatin1String("N7"))
                item->setFlags(idle ? item->flags() | Qt::ItemIsEnabled : item->flags() & ~Qt::ItemIsEnabled);
        }
    }
}

} // namespace zav
