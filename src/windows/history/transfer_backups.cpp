#include "transfer_backups.h"

#include "app_context.h"
#include "backup_store.h"
#include "defaults.h"
#include "memory_map.h"
#include "prompts.h"
#include "transfer_engine.h"
#include "transfer_options.h"
#include "user_folders.h"

#include <ctime>

namespace zav {

void TransferBackups::keepTransfer(const link::TransferOutcome& outcome, const std::string& device)
{
    if (!outcome.success || (outcome.kind != link::TransferKind::Read && outcome.kind != link::TransferKind::Write))
        return;
    const TransferOptions options = TransferOptions::load();
    if (!options.keepBackups)
        return;
    const std::string folder = backupFolder();
    const std::time_t now = std::time(nullptr);
    const BackupKind kind = outcome.kind == link::TransferKind::Read ? BackupKind::Read : BackupKind::Write;
    if (writeBackup(folder, ctx_.session.doc, kind, device, now).empty()) {
        tellFailure(folder);
        return;
    }
    pruneBackups(folder, now, options.backupDays);
}

void TransferBackups::keepBeforeWrite(const link::RadioMemory& memory, Int16 channelMode, const std::string& device)
{
    Document held;
    buildNewDocument(held, ctx_.session.paths.initDir(), TemplateVariant::NewDocument);
    link::decodeDocument(memory, channelMode, held);
    const std::string folder = backupFolder();
    if (writeBackup(folder, held, BackupKind::BeforeWrite, device, std::time(nullptr)).empty())
        tellFailure(folder);
}

void TransferBackups::tellFailure(const std::string& folder)
{
    if (!failureTold_)
        ui::inform(parent_, ctx_.text(kTextBackupFailed).arg(QString::fromStdString(folder)), ui::Icon::Warning);
    failureTold_ = true;
}

} // namespace zav
