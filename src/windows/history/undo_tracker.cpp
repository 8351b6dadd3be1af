#include "undo_tracker.h"

#include "bulk_refusal_dialog.h"

#include "app_context.h"
#include "editor_catalog.h"
#include "editor_window.h"
#include "pending_edits.h"
#include "window_registry.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

namespace zav {
namespace {

constexpr int kTextUndo = 32100;
constexpr int kTextRedo = 32101;
constexpr int kTextUndoStep = 32102;       ///< "Undo: %1"
constexpr int kTextRedoStep = 32103;       ///< "Redo: %1"
constexpr int kTextChannelField = 32110;   ///< "channel %1 %2"
constexpr int kTextReceiveFrequency = 32111;
constexpr int kTextOffset = 32112;
constexpr int kTextReceiveTone = 32113;
constexpr int kTextTransmitTone = 32114;
constexpr int kTextChannelSettings = 32115;
constexpr int kTextChannel = 32116;        ///< "channel %1" (added or removed)
constexpr int kTextChannels = 32117;
constexpr int kTextGroupName = 32118;      ///< "group %1 name"
constexpr int kTextEmergencyChannels = 32119;
constexpr int kTextAmFmList = 32120;
constexpr int kTextOptionalFeatures = 32121;
constexpr int kTextDtmf = 32122;
constexpr int kTextToneTips = 32123;
constexpr int kTextEmbeddedMessage = 32124;
constexpr int kTextChannelMode = 32125;
constexpr int kTextEdit = 32126;
constexpr int kTextChannelImport = 33200;
constexpr int kTextChannelPaste = 33201;
constexpr int kTextBulkSet = 34010;        ///< "set %1 on %2 channels"
constexpr int kTextBulkSetSeveral = 34011; ///< "set several fields on %1 channels"
constexpr int kTextFillDown = 34012;       ///< "fill down %1 over %2 channels"
constexpr int kTextClearChannels = 34013;  ///< "clear %1 channels"

/// A field's label inside a step name: "Receive tone" reads "receive tone",
/// while "AM/FM" and "TSQ" stay as they are.
QString labelInName(const ui::AppContext& ctx, const std::string& column)
{
    QString label = channels::fieldLabel(ctx, column);
    if (label.size() > 1 && label.at(0).isUpper() && label.at(1).isLower())
        label[0] = label.at(0).toLower();
    return label;
}


/// Input that may change the document once it has been handled.
bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::Shortcut:
        return true;
    default:
        return false;
    }
}

/// Menu text without its "&" mark, for use inside another text.
QString plain(QString text) { return text.remove(QLatin1Char('&')); }

} // namespace

UndoTracker::UndoTracker(ui::AppContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx)
{
    undo_ = new QAction(this);
    undo_->setObjectName(QStringLiteral("mnuEditUndo"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = new QAction(this);
    redo_->setObjectName(QStringLiteral("mnuEditRedo"));
    // Ctrl+Y and Ctrl+Shift+Z, whatever the platform's own choice.
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo_, &QAction::triggered, this, &UndoTracker::undo);
    connect(redo_, &QAction::triggered, this, &UndoTracker::redo);
    qApp->installEventFilter(this);
    resetHistory();
}

UndoTracker::~UndoTracker()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void UndoTracker::resetHistory()
{
    history_.reset(ctx_.doc().working);
    updateActions();
}

bool UndoTracker::eventFilter(QObject* watched, QEvent* event)
{
    // The check runs once the input has been handled, once per burst.
    if (!checkScheduled_ && !restoring_ && isUserInput(event->type())) {
        checkScheduled_ = true;
        QTimer::singleShot(0, this, [this] {
            checkScheduled_ = false;
            checkForEdit();
        });
    }
    return QObject::eventFilter(watched, event);
}

void UndoTracker::checkForEdit()
{
    if (restoring_)
        return;
    if (history_.commit(ctx_.doc().working)) {
        updateActions();
        emit edited();
    }
}

void UndoTracker::recordReplacement(ChangeSummary::Area area)
{
    ChangeSummary summary;
    summary.area = area;
    recordReplacement(summary);
}

void UndoTracker::recordReplacement(const ChangeSummary& summary)
{
    if (restoring_)
        return;
    if (history_.commit(ctx_.doc().working, summary)) {
        updateActions();
        emit edited();
    }
    showRestoredDocument();
}

void UndoTracker::undo()
{
    // What is being typed is the user's last change: it becomes a step first.
    ui::commitPendingEdits(ctx_);
    checkForEdit();
    if (!history_.undo(ctx_.doc().working))
        return;
    showRestoredDocument();
}

void UndoTracker::redo()
{
    ui::commitPendingEdits(ctx_);
    checkForEdit();
    if (!history_.redo(ctx_.doc().working))
        return;
    showRestoredDocument();
}

void UndoTracker::showRestoredDocument()
{
    const ImageSet restored = ctx_.doc().working;
    restoring_ = true;
    // Every open editor shows the document again: in place where it can,
    // otherwise it is opened anew where it was.
    if (ctx_.area) {
        struct Reopen {
            QString name;
            QRect geometry;
        };
        std::vector<Reopen> reopen;
        QPointer<QMdiSubWindow> active = ctx_.area->activeSubWindow();
        QString activeName = active && active->widget() ? active->widget()->objectName() : QString();
        for (QMdiSubWindow* sub : ctx_.area->subWindowList()) {
            auto* editor = qobject_cast<ui::EditorWindow*>(sub->widget());
            if (!editor || sub->isHidden() || editor->reloadDocument())
                continue;
            reopen.push_back({editor->objectName(), sub->geometry()});
            sub->close();
        }
        for (const Reopen& r : reopen) {
            QWidget* shown = ui::showEditor(ctx_.area, r.name, [this, &r] { return createEditor(r.name, ctx_); });
            if (auto* sub = shown ? qobject_cast<QMdiSubWindow*>(shown->parentWidget()) : nullptr)
                sub->setGeometry(r.geometry);
        }
        if (QWidget* w = ui::findWindow(ctx_.area, activeName))
            if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
                ctx_.area->setActiveSubWindow(sub);
    }
    restoring_ = false;
    // A window opened anew may have normalised what it shows (a line stored
    // without its trailing space, a list value put into range). The state
    // restored is the one the history holds, byte for byte: otherwise the
    // next redo would apply its bytes to a state they were not taken from.
    ctx_.doc().working = restored;
    updateActions();
    emit documentRestored();
    emit edited();
}

QString UndoTracker::stepName(const ChangeSummary& s) const
{
    using Area = ChangeSummary::Area;
    switch (s.area) {
    case Area::Channel: {
        if (s.field.empty())
            return ctx_.text(kTextChannel).arg(s.channelNumber);
        int field = kTextChannelSettings;
        if (s.field == "RxFrequency")
            field = kTextReceiveFrequency;
        else if (s.field == "Offset" || s.field == "OffsetDirection")
            field = kTextOffset;
        else if (s.field == "RxTone")
            field = kTextReceiveTone;
        else if (s.field == "TxTone")
            field = kTextTransmitTone;
        return ctx_.text(kTextChannelField).arg(s.channelNumber).arg(ctx_.text(field));
    }
    case Area::Channels: return ctx_.text(kTextChannels);
    case Area::GroupName: return ctx_.text(kTextGroupName).arg(s.group);
    case Area::EmergencyChannel: return ctx_.text(kTextEmergencyChannels);
    case Area::AmFm: return ctx_.text(kTextAmFmList);
    case Area::OptionalFeatures: return ctx_.text(kTextOptionalFeatures);
    case Area::Dtmf: return ctx_.text(kTextDtmf);
    case Area::ToneTips: return ctx_.text(kTextToneTips);
    case Area::EmbeddedMessage: return ctx_.text(kTextEmbeddedMessage);
    case Area::ChannelMode: return ctx_.text(kTextChannelMode);
    case Area::Import: return ctx_.text(kTextChannelImport);
    case Area::Paste: return ctx_.text(kTextChannelPaste);
    case Area::BulkSet:
        return s.field.empty() ? ctx_.text(kTextBulkSetSeveral).arg(s.channelNumber)
                               : ctx_.text(kTextBulkSet).arg(labelInName(ctx_, s.field)).arg(s.channelNumber);
    case Area::FillDown: return ctx_.text(kTextFillDown).arg(labelInName(ctx_, s.field)).arg(s.channelNumber);
    case Area::ClearChannels: return ctx_.text(kTextClearChannels).arg(s.channelNumber);
    case Area::Other: break;
    }
    return ctx_.text(kTextEdit);
}

void UndoTracker::retranslate() { updateActions(); }

void UndoTracker::updateActions()
{
    undo_->setEnabled(history_.canUndo());
    redo_->setEnabled(history_.canRedo());
    undo_->setText(history_.canUndo() ? ctx_.text(kTextUndoStep).arg(stepName(history_.undoSummary()))
                                      : ctx_.text(kTextUndo));
    redo_->setText(history_.canRedo() ? ctx_.text(kTextRedoStep).arg(stepName(history_.redoSummary()))
                                      : ctx_.text(kTextRedo));
    undo_->setToolTip(plain(undo_->text()));
    redo_->setToolTip(plain(redo_->text()));
}

} // namespace zav
