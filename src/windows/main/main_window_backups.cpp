// The main window's safety nets: the recovery file of this run and the one
// a crashed run left behind, and opening a backup.

#include "backup_list_dialog.h"
#include "backup_store.h"
#include "common_text_ids.h"
#include "data_file.h"
#include "defaults.h"
#include "main_window.h"
#include "pending_edits.h"
#include "prompts.h"
#include "recovery_keeper.h"
#include "recovery_store.h"
#include "session.h"
#include "transfer_options.h"
#include "transfer_options_dialog.h"
#include "undo_tracker.h"
#include "user_folders.h"

#include <QDateTime>
#include <QLabel>

#include <ctime>

namespace zav {
namespace {

constexpr int kTextOfferRecovery = 33500;         ///< %1 when, %2 the document's file
constexpr int kTextOfferUntitledRecovery = 33501; ///< %1 when
constexpr int kTextRecoveryFailed = 32301;
constexpr int kTextNoRecovery = 33306;           ///< %1 why

QString recoveryQuestion(const ui::AppContext& ctx, const RecoveryFacts& facts)
{
    const QString when = QDateTime::fromSecsSinceEpoch(facts.time).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (facts.document.empty())
        return ctx.text(kTextOfferUntitledRecovery).arg(when);
    return ctx.text(kTextOfferRecovery).arg(when, QString::fromStdString(facts.document));
}

} // namespace

void MainWindow::documentSettled()
{
    undo_->resetHistory();
    recovery_->documentSettled();
}

void MainWindow::offerRecovery()
{
    const std::vector<std::string> left = abandonedRecoveries(userDataFolder());
    if (left.empty())
        return;
    // The newest is offered; older ones are older states of lost work, or
    // the work of another run that crashed too.
    const std::string& newest = left.back();
    bool restored = false;
    if (ui::ask(this, recoveryQuestion(ctx_, recoveryFacts(newest)), ui::Buttons::YesNo, ui::Icon::Question,
                ui::Answer::Yes) == ui::Answer::Yes) {
        restored = restoreRecovery(session_.doc, newest, session_.versions);
        if (restored) {
            closeAllWindows();
            showChannelMode();
            showChannelTable();
            refreshCaption();
            undo_->resetHistory();
            recovery_->documentEdited();
        } else {
            ui::inform(this, ctx_.text(kTextRecoveryFailed), ui::Icon::Warning);
        }
    }
    // Work not restored is never thrown away: it stays within reach under
    // Open Backup until the backups are pruned.
    const std::string folder = backupFolder();
    for (const std::string& path : left) {
        if (restored && path == newest)
            removeRecovery(path);
        else
            (void)keepRecoveryAsBackup(folder, path, recoveryFacts(path).time);
    }
    pruneBackups(folder, std::time(nullptr), TransferOptions::load().backupDays);
}

void MainWindow::showRecoveryUnavailable(RecoveryKeeper::Problem problem, const QString& systemError)
{
    const QString why = recovery_->problemText(ctx_, problem, systemError);
    noRecovery_->setText(ctx_.text(kTextNoRecovery).arg(why));
    noRecovery_->setToolTip(noRecovery_->text());
    noRecovery_->show();
}

void MainWindow::openBackup()
{
    ui::commitPendingEdits(ctx_);
    if (session_.doc.isModified()) {
        const ui::Answer answer =
            ui::ask(this, ctx_.text(textid::kTextSaveChanges), ui::Buttons::YesNoCancel, ui::Icon::Warning);
        if (answer == ui::Answer::Cancel || (answer == ui::Answer::Yes && !saveWithoutAsking()))
            return;
    }
    BackupListDialog dialog(ctx_, backupFolder(), this);
    if (ui::execDialog(dialog) != QDialog::Accepted || dialog.chosenPath().empty())
        return;
    openFile(QString::fromStdString(dialog.chosenPath()));
    // A backup is a copy to start from, never the file to save over.
    session_.doc.documentPath = kUntitledName;
    session_.doc.isUntitled = true;
    refreshCaption();
}

void MainWindow::chooseBackupOptions()
{
    TransferOptionsDialog dialog(ctx_, TransferOptions::load(), this);
    if (ui::execDialog(dialog) == QDialog::Accepted)
        dialog.options().store();
}

} // namespace zav
