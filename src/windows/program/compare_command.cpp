#include "compare_command.h"

#include "radio_link.h"
#include "transfer_options.h"

#include "app_context.h"
#include "backup_store.h"
#include "prompts.h"
#include "user_folders.h"

#include <ctime>

namespace zav {
namespace {

constexpr int kTextConfirmCompare = 34230;

} // namespace

CompareCommand::CompareCommand(ui::AppContext& ctx, QWidget* window, std::function<std::string()> device,
                               RadioLink& traceOf)
    : ctx_(ctx), traceOf_(traceOf)
{
    link_ = std::make_unique<RadioLink>(ctx, window, std::move(device), radioDocument_);
    // The compare window is the answer; a box saying the read ended would
    // only stand in front of it.
    link_->setAnnounceDone(false);
    // Not the read's question: nothing here is replaced.
    link_->setReadQuestion(kTextConfirmCompare);
    link_->onFinished = [this](const link::TransferOutcome& o) {
        finished(o.success && o.kind == link::TransferKind::Read);
    };
    link_->onBusyChanged = [this] {
        if (onBusyChanged)
            onBusyChanged();
    };
}

CompareCommand::~CompareCommand() = default;

bool CompareCommand::start()
{
    if (link_->busy())
        return false;
    // The read checks the radio against the document's model and band.
    radioDocument_ = ctx_.doc();
    link_->followTrace(traceOf_.trace());
    return link_->startRead();
}

void CompareCommand::shutdown() { link_->shutdown(); }

bool CompareCommand::busy() const { return link_->busy(); }

void CompareCommand::finished(bool success)
{
    if (!success)
        return;
    // Kept as every read is: what this radio held at this moment.
    const TransferOptions options = TransferOptions::load();
    if (options.keepBackups) {
        const std::string folder = backupFolder();
        const std::time_t now = std::time(nullptr);
        if (writeBackup(folder, radioDocument_, BackupKind::Read, link_->device().toStdString(), now).empty())
            ui::inform(nullptr, ctx_.text(kTextBackupFailed).arg(QString::fromStdString(folder)), ui::Icon::Warning);
        else
            pruneBackups(folder, now, options.backupDays);
    }
    if (onCompared)
        onCompared(link_->engine().radioMemory(), link_->device());
}

} // namespace zav
