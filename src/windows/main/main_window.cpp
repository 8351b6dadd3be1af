#include "main_window.h"

#include "bulk_commands.h"
#include "common_text_ids.h"
#include "compare_command.h"
#include "exchange_commands.h"
#include "help_system.h"
#include "pending_edits.h"
#include "pictures.h"
#include "prompts.h"
#include "radio_link.h"
#include "session.h"
#include "undo_tracker.h"
#include "user_folders.h"
#include "recovery_store.h"
#include "recovery_keeper.h"
#include "window_names.h"
#include "twips.h"
#include "window_registry.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QSplitter>
#include <QTimer>

namespace zav {
namespace {

constexpr int kTextLanguageMissing = 34603;

// Position keys of the settings store and their defaults, in twips.
struct PositionKey {
    const char* key;
    double fallback;
};
constexpr PositionKey kLeft{"MainLeft", 1000};
constexpr PositionKey kTop{"MainTop", 1000};
constexpr PositionKey kWidth{"MainWidth", 12500};
constexpr PositionKey kHeight{"MainHeight", 9500};

// Stored as decimal text, read back as a single-precision number.
int readPixels(QSettings& settings, const PositionKey& k)
{
    bool ok = false;
    const float twips = settings.value(QString::fromLatin1(k.key)).toString().toFloat(&ok);
    return ui::twipsToPixels(ok ? static_cast<double>(twips) : k.fallback);
}

void writeTwips(QSettings& settings, const PositionKey& k, int pixels)
{
    settings.setValue(QString::fromLatin1(k.key), QString::number(ui::pixelsToTwips(pixels)));
}

} // namespace

MainWindow::MainWindow(Session& session, MainOptions options, QWidget* parent)
    : QMainWindow(parent), session_(session), options_(std::move(options)), ctx_{session, nullptr, this}
{
    setObjectName(kMainWindowName);
    shownLanguageFile_ = options_.shownLanguageFile.empty() ? session_.settings.languageFile : options_.shownLanguageFile;

    icons_ = std::make_unique<IconStrip>(session_.paths.programDir);
    area_ = new QMdiArea(this);
    area_->setObjectName("MDIClient");
    // Editors larger than the area stay reachable to their last control.
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ctx_.area = area_;
    link_ = std::make_unique<RadioLink>(ctx_, this, [this] { return linkDevice(); });
    link_->onEnding = [this](const link::TransferOutcome& o) { transferEnding(o); };
    link_->onFinished = [this](const link::TransferOutcome& o) { transferFinished(o); };
    link_->onBusyChanged = [this] { updateCommandStates(); };
    link_->onReadBeforeWrite = [this](const link::RadioMemory& memory) {
        backups_.keepBeforeWrite(memory, link_->engine().identity().channelMode, linkDevice());
    };
    compare_ = std::make_unique<CompareCommand>(ctx_, this, [this] { return linkDevice(); }, *link_);
    compare_->onBusyChanged = [this] { updateCommandStates(); };
    compare_->onCompared = [this](const link::RadioMemory& memory, const QString& device) {
        showComparison(memory, device);
    };

    undo_ = new UndoTracker(ctx_, this);
    connect(undo_, &UndoTracker::documentRestored, this, [this] {
        showChannelMode();
        refreshCaption();
        rebuildTree();
    });

    const std::string dataFolder = userDataFolder();
    recovery_ = new RecoveryKeeper(
        session_.doc, dataFolder.empty() ? std::string() : recoveryPath(dataFolder, QCoreApplication::applicationPid()),
        this);
    connect(undo_, &UndoTracker::edited, recovery_, &RecoveryKeeper::documentEdited);
    connect(undo_, &UndoTracker::edited, this, &MainWindow::showModified);
    connect(recovery_, &RecoveryKeeper::unavailable, this, &MainWindow::showRecoveryUnavailable);

    exchange_ = new ExchangeCommands(ctx_, this, *undo_);
    bulk_ = new BulkCommands(ctx_, this, *undo_);

    buildActions();
    buildMenus();
    help_ = new help::HelpSystem(ctx_, this, menuBar());
    buildToolbar();
    buildLeftPane();
    buildStatusBar();

    newDocumentTimer_.setObjectName("NewDocTimer");
    newDocumentTimer_.setSingleShot(true);
    newDocumentTimer_.setInterval(100);
    connect(&newDocumentTimer_, &QTimer::timeout, this, &MainWindow::buildScheduledDocument);

    // Load.
    showChannelMode();
    restorePosition();
    retranslate();
    rebuildTree();
    loadStartupDocument();
    updateCommandStates();
    // Work a crashed run left behind is offered once the window is up.
    QTimer::singleShot(0, this, &MainWindow::offerRecovery);
}

MainWindow::~MainWindow()
{
    // A transfer still running ends first, while the link it reports
    // through is still there (its end is logged like any other).
    link_->shutdown();
    compare_->shutdown();
    // The child windows hold this window's context: they go now, while it
    // is still alive, not later with the other child widgets.
    compare_.reset();
    link_.reset();
    // A normal end: nothing is left to recover.
    recovery_->documentSettled();
    recovery_->waitForWrites();
    if (area_) {
        for (QMdiSubWindow* sub : area_->subWindowList())
            delete sub;
    }
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        applyLanguageChange();
    return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!firstShowDone_) {
        firstShowDone_ = true;
        if (!options_.missingLanguage.empty())
            QTimer::singleShot(0, this, [this] {
                ui::inform(this, ctx_.text(kTextLanguageMissing).arg(QString::fromStdString(options_.missingLanguage)),
                           ui::Icon::Warning);
            });
        emit firstShown();
    }
}

void MainWindow::applyLanguageChange()
{
    // By file, not number: every language but English and Chinese has number 3.
    const std::string& current = session_.settings.languageFile;
    if (current == shownLanguageFile_)
        return;
    shownLanguageFile_ = current;
    help_->retranslate();
    retranslate();
    rebuildTree();
    closeAllWindows();
    showChannelTable();
}

void MainWindow::restorePosition()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Settings"));
    const int left = readPixels(settings, kLeft);
    const int top = readPixels(settings, kTop);
    const int width = readPixels(settings, kWidth);
    const int height = readPixels(settings, kHeight);
    // A position stored on a screen that is gone would hide the window.
    const QRect wanted(left, top, std::max(width, 200), std::max(height, 150));
    bool visible = false;
    for (const QScreen* screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(wanted.adjusted(0, 0, -wanted.width() / 2, -20));
    move(visible ? wanted.topLeft() : QPoint(ui::twipsToPixels(kLeft.fallback), ui::twipsToPixels(kTop.fallback)));
    resize(wanted.size());
}

void MainWindow::storePosition()
{
    if (isMinimized())
        return;
    QSettings settings;
    settings.beginGroup(QStringLiteral("Settings"));
    // pos() is the frame's corner and size() the client size, as move()
    // and resize() take them back.
    writeTwips(settings, kLeft, pos().x());
    writeTwips(settings, kTop, pos().y());
    writeTwips(settings, kWidth, width());
    writeTwips(settings, kHeight, height());
}

void MainWindow::exitProgram() { close(); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Stored before the question, so a cancelled exit keeps it too.
    storePosition();

    // Radios still being written from the fleet window: that window asks.
    if (fleet_ && !fleet_->close()) {
        event->ignore();
        return;
    }

    ui::commitPendingEdits(ctx_);
    if (session_.doc.isModified()) {
        const ui::Answer answer =
            ui::ask(this, ctx_.text(textid::kTextSaveChanges), ui::Buttons::YesNoCancel, ui::Icon::Warning);
        if (answer == ui::Answer::Cancel || (answer == ui::Answer::Yes && !saveDocument())) {
            event->ignore();
            return;
        }
    }

    // A transfer still running ends now: END to the radio, port closed.
    link_->shutdown();
    compare_->shutdown();
    newDocumentTimer_.stop();
    closeAllWindows();
    event->accept();
}

bool MainWindow::transferRunning() const { return link_->busy() || (compare_ && compare_->busy()); }

} // namespace zav
