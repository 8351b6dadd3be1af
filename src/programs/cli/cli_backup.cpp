#include "cli_backup.h"

#include "user_folders.h"

#include <ctime>

namespace zav::cli {

void addBackupOption(QCommandLineParser& parser)
{
    parser.addOption({"no-backup", "Keep no backup of this transfer in the backup folder."});
}

Backups::Backups(const QCommandLineParser& parser, QTextStream& err)
    : err_(err), enabled_(!parser.isSet("no-backup"))
{
}

void Backups::keep(const Document& doc, BackupKind kind, const QString& device, When when)
{
    if (!enabled_ && when != Always)
        return;
    const std::string folder = backupFolder();
    const std::time_t now = std::time(nullptr);
    if (writeBackup(folder, doc, kind, device.toStdString(), now).empty()) {
        if (!reported_)
            err_ << "warning: no backup could be written to " << QString::fromStdString(folder) << "\n";
        reported_ = true;
        return;
    }
    pruneBackups(folder, now, kDefaultBackupDays);
}

} // namespace zav::cli
