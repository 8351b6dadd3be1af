#pragma once

// The terminal the programming tool opens: a pseudo-terminal whose master
// side the virtual radio reads and writes, optionally reached through a
// symbolic link with a fixed name.

#include <string>

namespace zav::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    /// Opens the pair and makes the line raw at 9600 baud; with a link
    /// name, points that link at the terminal. False (and a message on
    /// standard error) when the system refuses.
    bool open(const std::string& linkName);

    /// The non-blocking master side.
    [[nodiscard]] int master() const { return master_; }
    /// What the programming tool should open: the link, else the terminal.
    [[nodiscard]] const std::string& pathForTool() const { return linkName_.empty() ? terminalPath_ : linkName_; }

private:
    int master_ = -1;
    int keeper_ = -1;
    std::string terminalPath_;
    std::string linkName_;
};

} // namespace zav::sim
