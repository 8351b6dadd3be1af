#pragma once

// A backup of every read and write, and of what a radio held before a write
// overwrote it. A backup that cannot be written is told once per run: the
// transfer itself went well.

#include "packets.h"
#include "radio_image.h"

#include <string>

class QWidget;

namespace zav {

namespace ui {
struct AppContext;
}
namespace link {
struct TransferOutcome;
}

class TransferBackups {
public:
    TransferBackups(ui::AppContext& ctx, QWidget* parent) : ctx_(ctx), parent_(parent) {}

    /// After a transfer: the document as read or written, when the user
    /// keeps backups.
    void keepTransfer(const link::TransferOutcome& outcome, const std::string& device);
    /// What the radio held before a write, decoded as a read of that radio
    /// would be, so that writing the backup back puts the radio as it was.
    void keepBeforeWrite(const link::RadioMemory& memory, Int16 channelMode, const std::string& device);

private:
    void tellFailure(const std::string& folder);

    ui::AppContext& ctx_;
    QWidget* parent_;
    bool failureTold_ = false;
};

} // namespace zav
