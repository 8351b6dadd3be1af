#include "transfer_options.h"

#include "backup_store.h"

#include <QSettings>

#include <algorithm>

namespace zav {
namespace {

constexpr const char* kKeepBackups = "Backups/Keep";
constexpr const char* kBackupDays = "Backups/Days";
constexpr const char* kVerifyAfterWrite = "Transfers/VerifyAfterWrite";
constexpr const char* kBackupBeforeWrite = "Transfers/BackupBeforeWrite";
constexpr int kMostDays = 3650;

} // namespace

TransferOptions TransferOptions::load()
{
    QSettings settings;
    TransferOptions options;
    options.keepBackups = settings.value(kKeepBackups, true).toBool();
    options.verifyAfterWrite = settings.value(kVerifyAfterWrite, true).toBool();
    options.backupBeforeWrite = settings.value(kBackupBeforeWrite, false).toBool();
    bool ok = false;
    const int days = settings.value(kBackupDays, kDefaultBackupDays).toInt(&ok);
    options.backupDays = ok ? std::clamp(days, 1, kMostDays) : kDefaultBackupDays;
    return options;
}

void TransferOptions::store() const
{
    QSettings settings;
    settings.setValue(kKeepBackups, keepBackups);
    settings.setValue(kBackupDays, backupDays);
    settings.setValue(kVerifyAfterWrite, verifyAfterWrite);
    settings.setValue(kBackupBeforeWrite, backupBeforeWrite);
}

} // namespace zav
