#pragma once

// The address plans that transfers walk in 16-byte blocks. The full plan
// (read and write) covers 0x0000..0x2430, 0x4000..0x6190 and
// 0x6400..0x6430 (1122 blocks); the radio-information plan 0x3F00..0x3FF0
// (16 blocks). The gaps between the ranges are never read or written.

#include "packets.h"

#include <vector>

namespace zav::link {

struct AddressPlan {
    long endAddress;   ///< the walk ends at a candidate at or beyond it
    long firstBlock;
    /// Address of the notional block before the first one.
    [[nodiscard]] constexpr long startAddress() const { return firstBlock - 16; }
};

inline constexpr AddressPlan kFullPlan{0x643F, 0x0000};
inline constexpr AddressPlan kInfoPlan{0x3FFF, 0x3F00};

/// The candidate for the block after the one at address: address + 16,
/// moved over the gaps of the full plan. The caller stores it as the block
/// address and then ends the walk when walkEnded says so.
[[nodiscard]] long nextBlockCandidate(long address, long endAddress);
[[nodiscard]] constexpr bool walkEnded(long candidate, long endAddress) { return candidate >= endAddress; }

/// Every block address of a plan, in walking order.
[[nodiscard]] std::vector<long> planBlocks(const AddressPlan& plan);

/// Blocks of the full plan in which two memories differ, the radio's
/// identity bytes aside (a write puts the radio's own there).
[[nodiscard]] std::vector<long> differingBlocks(const RadioMemory& a, const RadioMemory& b);

/// Whether address starts a block of the plan.
[[nodiscard]] bool inPlan(const AddressPlan& plan, long address);

} // namespace zav::link
