#pragma once

// Every message a transfer can show the user, by text id: the boxes of a
// read, a write or a radio-information read, the lines that explain why a
// port could not be opened, what is said about the backup and the log a
// transfer leaves, and the reasons the fleet window gives for a radio. The manual's troubleshooting chapter is generated from this list,
// and a test fails when one of them has no explanation there.

#include <array>

namespace zav::link {

inline constexpr std::array kTransferMessageIds = {
    // Before the radio answers: the port.
    9003, 33011, 33010, 32500, 32502, 32501, 32503, 32905,
    // The questions before a transfer starts.
    9004, 9005, 32808,
    // The radio, its identity and its password.
    9008, 9012, 9014, 9030, 9062, 33304,
    // While and after the data blocks move.
    9034, 33400, 32401, 9009, 9010, 9011,
    // What is kept of a transfer: its backup and its line in the programming log.
    32210, 32853,
    // The fleet window's reasons, one per radio.
    32835, 32836, 32837, 32838, 32839, 32840, 32841, 32842, 32843,
};

} // namespace zav::link
