#pragma once

// The per-user folders of the program, after the XDG base-directory
// conventions: data (backups, recovery files, the programming log) under
// $XDG_DATA_HOME/zavprog, settings under $XDG_CONFIG_HOME/zavprog.

#include <string>

namespace zav {

/// $XDG_DATA_HOME/zavprog, or ~/.local/share/zavprog when the variable is
/// unset, empty or not an absolute path. "" when neither it nor HOME names
/// a folder.
[[nodiscard]] std::string userDataFolder();
/// $XDG_CONFIG_HOME/zavprog, or ~/.config/zavprog (same rules).
[[nodiscard]] std::string userConfigFolder();

/// The data folder's backups subfolder ("" when there is no data folder).
[[nodiscard]] std::string backupFolder();

} // namespace zav
