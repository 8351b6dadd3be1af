#pragma once

// Automatic backups: every successful read keeps the radio's configuration,
// every write the document that was written (and, when asked, what the
// radio held just before), as a data file in the backup folder; work a crashed run left behind and the user did not restore goes
// there too. The file name carries when, which way, the model and the port,
// so the folder can be listed without opening every file:
//   2026-12-10_13-26-05_read_ZAV415_ttyUSB0.dat
//   2026-12-10_13-27-40_before-write_ZAV415_ttyUSB0.dat
// The device in full and the document the contents came from, which a file
// name cannot carry, are in the backup's side file (side_info.h).

#include "document.h"

#include <ctime>
#include <string>
#include <vector>

namespace zav {

/// BeforeWrite: what a radio held, read just before a write overwrote it
/// (so the radio can be put back as it was).
enum class BackupKind { Read, Write, Recovery, BeforeWrite };

inline constexpr int kDefaultBackupDays = 90;
/// The newest backups are kept whatever their age.
inline constexpr int kBackupsAlwaysKept = 50;

/// "The transfer went well, but no backup could be written to %1." (%1 the folder)
inline constexpr int kTextBackupFailed = 32210;

struct BackupEntry {
    std::string path;
    std::time_t time = 0;      ///< from the name, local time
    BackupKind kind = BackupKind::Read;
    std::string model;         ///< from the name
    /// The device in full from the side file; without one (older backups),
    /// the name's port: the device name without /dev/, other characters
    /// than letters, digits, "-" and "." as "-".
    std::string port;
    /// From the side file: the data file the contents came from, "" unknown.
    std::string document;
    /// From the file's header, "" when it cannot be read: the identity the
    /// radio reported for a read, the document's for a write.
    std::string headerModel;
    int headerBand = 0;
    std::string headerVersion;
};

/// "2026-12-10_13-26-05_read_ZAV415_ttyUSB0.dat"; characters other than
/// letters, digits, "-" and "." in the model and port become "-".
[[nodiscard]] std::string backupFileName(std::time_t when, BackupKind kind, const std::string& model,
                                         const std::string& port);

/// Writes the document's working image as a data file into folder (made
/// when missing); a name already taken gets "-2", "-3", ... Returns the
/// path, or "" when it cannot be written. The side file names the port and
/// the document's file. The document is not changed.
[[nodiscard]] std::string writeBackup(const std::string& folder, const Document& doc, BackupKind kind,
                                      const std::string& port, std::time_t when);

/// Moves a recovery file (with its side file) into folder as a backup of
/// kind Recovery stamped when. Returns the backup's path; "" when it cannot
/// be written, and then the recovery file stays where it is.
[[nodiscard]] std::string keepRecoveryAsBackup(const std::string& folder, const std::string& recoveryFile,
                                               std::time_t when);

/// The backups of folder, newest first; files whose names do not follow
/// backupFileName are left out.
[[nodiscard]] std::vector<BackupEntry> listBackups(const std::string& folder);

/// Removes the backups older than maxAgeDays days before now, except the
/// kBackupsAlwaysKept newest, each with its side file. Returns how many
/// were removed.
int pruneBackups(const std::string& folder, std::time_t now, int maxAgeDays);

} // namespace zav
