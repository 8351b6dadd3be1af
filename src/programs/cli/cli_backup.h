#pragma once

// Automatic backups of the command line's transfers: a successful read
// keeps what the radio held, a write keeps what was written, in the
// per-user backup folder. --no-backup turns it off for one run. A backup
// that cannot be written is reported once and never fails the transfer.

#include "backup_store.h"
#include "document.h"

#include <QCommandLineParser>
#include <QString>
#include <QTextStream>

namespace zav::cli {

void addBackupOption(QCommandLineParser& parser);

class Backups {
public:
    Backups(const QCommandLineParser& parser, QTextStream& err);
    /// Always: asked for by its own option (--backup-before), so kept even
    /// with --no-backup.
    enum When { UnlessNoBackup, Always };
    /// Keeps doc as a backup of a transfer with the radio on device.
    void keep(const Document& doc, BackupKind kind, const QString& device, When when = UnlessNoBackup);

private:
    QTextStream& err_;
    bool enabled_ = true;
    bool reported_ = false;
};

} // namespace zav::cli
