#include "bulk_commands.h"

#include "app_context.h"
#include "bulk_edit_dialog.h"
#include "bulk_edits.h"
#include "bulk_refusal_dialog.h"
#include "channel_find_dialog.h"
#include "channel_table_window.h"
#include "channel_windows.h"
#include "pending_edits.h"
#include "prompts.h"
#include "undo_tracker.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>

namespace zav {
namespace {
constexpr int kTextSetForSelected = 34020;
constexpr int kTextFillDown = 34021;
constexpr int kTextClearSelected = 34022;
constexpr int kTextFind = 34023;
constexpr int kTextSelectFirst = 34033;
constexpr int kTextCountryFixed = 34039;
constexpr int kTextClearQuestion = 34040; ///< "Clear the %1 selected channels? ..."
constexpr int kTextFillDownHow = 34045;
} // namespace

BulkCommands::BulkCommands(ui::AppContext& ctx, QWidget* window, UndoTracker& undo)
    : QObject(window), ctx_(ctx), window_(window), undo_(undo)
{
    const auto action = [this](const char* name, void (BulkCommands::*slot)()) {
        auto* a = new QAction(this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    setForSelected_ = action("mnuSetForSelected", &BulkCommands::setForSelected);
    fillDown_ = action("mnuFillDown", &BulkCommands::fillDown);
    fillDown_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    clearSelected_ = action("mnuClearSelected", &BulkCommands::clearSelected);
    find_ = action("mnuFindChannel", &BulkCommands::find);
    find_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    findNext_ = action("mnuFindNext", &BulkCommands::findNext);
    findNext_->setShortcut(QKeySequence(Qt::Key_F3));
    retranslate();
}

void BulkCommands::retranslate()
{
    setForSelected_->setText(ctx_.text(kTextSetForSelected));
    fillDown_->setText(ctx_.text(kTextFillDown));
    clearSelected_->setText(ctx_.text(kTextClearSelected));
    find_->setText(ctx_.text(kTextFind));
    findNext_->setText(ctx_.text(channels::kTextFindNext));
}

void BulkCommands::updateActions()
{
    clearSelected_->setVisible(frequenciesTypable(ctx_.doc().image().ChannelMode));
}

channels::ChannelTableWindow* BulkCommands::table()
{
    channels::ChannelTableWindow* table = channels::findChannelTable(ctx_);
    if (!table)
        ui::inform(window_, ctx_.text(kTextSelectFirst), ui::Icon::Information);
    return table;
}

void BulkCommands::commitPendingEdits()
{
    ui::commitPendingEdits(ctx_);
    undo_.checkForEdit();
}

void BulkCommands::apply(const Document& changed, const BulkEditResult& result, ChangeSummary step)
{
    if (!result.changedChannels.empty()) {
        ctx_.doc().working = changed.working;
        step.channelNumber = static_cast<int>(result.changedChannels.size());
        // One step for every channel; every open window shows it once.
        undo_.recordReplacement(step);
        if (ctx_.shell)
            ctx_.shell->refreshCaption();
    }
    if (!result.refusals.empty()) {
        channels::BulkRefusalDialog dialog(ctx_, result.refusals, window_);
        ui::execDialog(dialog);
    }
}

void BulkCommands::setForSelected()
{
    channels::ChannelTableWindow* grid = table();
    if (!grid)
        return;
    commitPendingEdits();
    const std::vector<int> numbers = grid->selectedSlotNumbers();
    channels::BulkEditDialog dialog(ctx_, static_cast<int>(numbers.size()), window_);
    if (ui::execDialog(dialog) != QDialog::Accepted)
        return;
    const std::vector<FieldValue> values = dialog.values();
    if (values.empty())
        return;
    Document changed = ctx_.doc();
    const ChannelWriteEnv env{ctx_.session.settings.showTxAsOffset, channels::editGroup(ctx_)};
    const BulkEditResult result = setChannelValues(changed, env, numbers, values);
    ChangeSummary step;
    step.area = ChangeSummary::Area::BulkSet;
    step.field = values.size() == 1 ? values.front().field->name : "";
    apply(changed, result, step);
}

void BulkCommands::fillDown()
{
    // Inside a line edit Ctrl+D deletes a character: an open cell editor
    // keeps the key.
    if (qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        return;
    channels::ChannelTableWindow* grid = table();
    if (!grid)
        return;
    const ChannelField* field = channelFieldById(grid->currentColumn());
    const std::vector<int> numbers = grid->selectedSlotNumbers();
    if (!field || numbers.size() < 2) {
        ui::inform(window_, ctx_.text(kTextFillDownHow), ui::Icon::Information);
        return;
    }
    commitPendingEdits();
    Document changed = ctx_.doc();
    const ChannelWriteEnv env{ctx_.session.settings.showTxAsOffset, channels::editGroup(ctx_)};
    const BulkEditResult result = zav::fillDown(changed, env, numbers, *field);
    ChangeSummary step;
    step.area = ChangeSummary::Area::FillDown;
    step.field = field->name;
    apply(changed, result, step);
}

void BulkCommands::clearSelected()
{
    if (!frequenciesTypable(ctx_.doc().image().ChannelMode)) {
        ui::inform(window_, ctx_.text(kTextCountryFixed), ui::Icon::Information);
        return;
    }
    channels::ChannelTableWindow* grid = table();
    if (!grid)
        return;
    commitPendingEdits();
    const std::vector<int> numbers = grid->selectedChannelNumbers();
    if (numbers.empty())
        return;
    if (ui::ask(window_, ctx_.text(kTextClearQuestion).arg(numbers.size()), ui::Buttons::YesNo, ui::Icon::Question,
                ui::Answer::No) != ui::Answer::Yes)
        return;
    Document changed = ctx_.doc();
    const ChannelWriteEnv env{ctx_.session.settings.showTxAsOffset, channels::editGroup(ctx_)};
    const BulkEditResult result = clearChannels(changed, env, numbers);
    ChangeSummary step;
    step.area = ChangeSummary::Area::ClearChannels;
    apply(changed, result, step);
}

void BulkCommands::find()
{
    if (!findDialog_) {
        findDialog_ = new channels::ChannelFindDialog(ctx_, window_);
        findDialog_->setAttribute(Qt::WA_DeleteOnClose);
    }
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

channels::ChannelFindDialog* BulkCommands::findDialog() const { return findDialog_; }

void BulkCommands::findNext()
{
    if (findDialog_ && !findDialog_->queryBox()->text().trimmed().isEmpty())
        findDialog_->findNext();
    else
        find();
}

} // namespace zav
