#pragma once

// The user's choices about transfers that outlive a run: whether reads and
// writes leave a backup and for how many days old backups are kept. Kept
// with the window position in the per-user settings.

namespace zav {

struct TransferOptions {
    bool keepBackups = true;
    int backupDays = 90;
    /// A write is read back and compared before it counts as done.
    bool verifyAfterWrite = true;
    /// A write first reads the radio and keeps what it held as a backup of
    /// kind "before write", so the radio can be put back. Costs a read.
    bool backupBeforeWrite = false;

    [[nodiscard]] static TransferOptions load();
    void store() const;
};

} // namespace zav
