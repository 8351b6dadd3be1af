#include "help_system.h"

#include "app_context.h"
#include "help_files.h"
#include "help_window.h"
#include "problem_report_dialog.h"
#include "prompts.h"
#include "shortcut_list.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

namespace zav::help {
namespace {

constexpr int kTextShortcutsCaption = 34401;
constexpr int kTextWindowTitle = 34403;
constexpr int kTextContents = 34404;
constexpr int kTextIndex = 34405;
constexpr int kTextSearch = 34406;
constexpr int kTextLookFor = 34407;
constexpr int kTextSearchFor = 34408;
constexpr int kTextNoResults = 34409; ///< %1 the words searched
constexpr int kTextMissing = 34410;   ///< %1 what is missing
constexpr int kTextClose = 34414;
constexpr int kTextBack = 34428;
constexpr int kTextForward = 34429;
constexpr int kTextHome = 34430;

} // namespace

QString windowPage(const QString& objectName) { return QStringLiteral("windows/%1.html").arg(objectName); }

HelpSystem::HelpSystem(ui::AppContext& ctx, QWidget* root, QMenuBar* menus)
    : QObject(root), ctx_(ctx), root_(root), menus_(menus)
{
    qApp->installEventFilter(this);
}

HelpSystem::~HelpSystem() { qApp->removeEventFilter(this); }

HelpWindow* HelpSystem::helpWindow() const { return window_; }

bool HelpSystem::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            if (!key->isAutoRepeat())
                showPageFor(static_cast<QWidget*>(watched));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QString HelpSystem::pageFor(QWidget* widget)
{
    HelpWindow* window = ensureWindow();
    if (!window)
        return {};
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && window->hasPage(windowPage(w->objectName())))
            return windowPage(w->objectName());
    }
    return {};
}

void HelpSystem::showManual()
{
    if (HelpWindow* window = ensureWindow())
        window->showPage(QStringLiteral("index.html"));
}

void HelpSystem::showPageFor(QWidget* widget)
{
    QWidget* modal = QApplication::activeModalWidget();
    const QString page = pageFor(widget);
    if (HelpWindow* window = ensureWindow()) {
        if (!page.isEmpty())
            window->showPage(page);
        else if (window->currentPage().isEmpty())
            window->showPage(QStringLiteral("index.html"));
        keepUsableOver(modal);
    }
}

HelpWindow* HelpSystem::ensureWindow()
{
    if (!window_) {
        const HelpFiles files = findHelpFiles(ctx_.session.paths.programDir, ctx_.session.settings.language);
        QString error;
        const QString collection = prepareCollection(files, helpCacheFolder(), &error);
        if (collection.isEmpty()) {
            ui::inform(QApplication::activeModalWidget() ? QApplication::activeModalWidget() : root_,
                       ctx_.text(kTextMissing).arg(error), ui::Icon::Warning);
            return nullptr;
        }
        HelpWindowTexts texts;
        texts.title = ctx_.text(kTextWindowTitle);
        texts.contents = ctx_.text(kTextContents);
        texts.index = ctx_.text(kTextIndex);
        texts.search = ctx_.text(kTextSearch);
        texts.lookFor = ctx_.text(kTextLookFor);
        texts.searchFor = ctx_.text(kTextSearchFor);
        texts.noResults = ctx_.text(kTextNoResults);
        texts.back = ctx_.text(kTextBack);
        texts.forward = ctx_.text(kTextForward);
        texts.home = ctx_.text(kTextHome);
        window_ = new HelpWindow(collection, texts, root_);
        window_->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    if (!window_->isVisible())
        window_->show();
    window_->raise();
    window_->activateWindow();
    return window_;
}

void HelpSystem::keepUsableOver(QWidget* modal)
{
    if (!window_)
        return;
    QWindow* help = window_->windowHandle();
    if (!help)
        return;
    // A window a modal dialog stands in front of is not blocked by it.
    help->setTransientParent(modal && modal != window_ ? modal->windowHandle() : root_->windowHandle());
}

void HelpSystem::showShortcuts()
{
    if (shortcuts_) {
        shortcuts_->raise();
        shortcuts_->activateWindow();
        return;
    }
    auto* dialog = new ShortcutsDialog(collectShortcuts(root_, menus_), ui::dialogTitle(ctx_.text(kTextShortcutsCaption)),
                                       ctx_.text(kTextCommand), ctx_.text(kTextKeys), ctx_.text(kTextClose), root_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    shortcuts_ = dialog;
    dialog->show();
}

void HelpSystem::reportProblem()
{
    ProblemReportDialog dialog(ctx_, root_);
    ui::execDialog(dialog);
}

void HelpSystem::retranslate()
{
    delete window_;
    delete shortcuts_;
}

} // namespace zav::help
