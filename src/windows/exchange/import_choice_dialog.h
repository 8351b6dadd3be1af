#pragma once

// The question before File > Import Channels... in extended mode, where an
// import can replace the whole channel table: it says how many channels
// would go, and offers to change only the channels the file names instead.

#include "channel_csv.h"

#include <QDialog>

#include <functional>
#include <optional>

namespace zav {

/// "&Import Channels...": the command and this dialog's caption.
inline constexpr int kTextImportChannels = 32741;

class ImportChoiceDialog : public QDialog {
    Q_OBJECT
public:
    /// text: the program's texts; channels: how many the table holds now.
    ImportChoiceDialog(const std::function<QString(int)>& text, int channels, QWidget* parent = nullptr);

    /// The scope of a dialog that ran with result; nothing when cancelled.
    [[nodiscard]] static std::optional<ImportScope> scopeOf(int result);
};

} // namespace zav
