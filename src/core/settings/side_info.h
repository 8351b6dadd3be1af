#pragma once

// A few facts about a data file that neither its bytes nor its name can
// hold: the device a backup was read from or written to, and the document a
// recovery file or a backup was made from. They live in a small text file
// beside the data file, "<data file>.info", one "key=value" a line, and go
// wherever the data file goes. A data file without one is still whole: the
// facts are then unknown.

#include <string>

namespace zav {

struct SideInfo {
    std::string device;   ///< the serial device in full ("/dev/ttyUSB0"), "" unknown
    std::string document; ///< the data file the contents came from, "" unknown or untitled

    [[nodiscard]] bool empty() const { return device.empty() && document.empty(); }
};

/// "<dataPath>.info"
[[nodiscard]] std::string sideInfoPath(const std::string& dataPath);

/// Writes the side file of dataPath through the safe-save routine; an empty
/// info removes it instead, so no stale facts outlive a change. False when
/// it cannot be written.
bool writeSideInfo(const std::string& dataPath, const SideInfo& info);

/// The side file of dataPath; empty when it is missing or unreadable.
/// Unknown keys and malformed lines are skipped.
[[nodiscard]] SideInfo readSideInfo(const std::string& dataPath);

/// Removes dataPath and its side file. True when dataPath is gone.
bool removeWithSideInfo(const std::string& dataPath);

} // namespace zav
