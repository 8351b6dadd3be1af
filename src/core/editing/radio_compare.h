#pragma once

// Does a radio still hold what a write of the document would send? The
// document is encoded as a write encodes it, the radio's identity bytes are
// put in as a write puts them, and the two memories are compared block by
// block over the address plan. Where they differ, both memories are decoded
// into copies of the document and compared field by field, so a field that
// only the data file keeps (the radio has no place for it) comes out the
// same on both sides and is never reported. The document is not changed.
//
// Differences are findings (config_check.h): where, with the field's
// caption and both values as arguments of one text, so that the windows and
// the command line word and place them as they do the check's findings.

#include "config_check.h"
#include "document.h"
#include "packets.h"

#include <vector>

namespace zav {

struct RadioComparison {
    /// Start addresses of the plan's blocks that differ (identity aside).
    std::vector<long> differingBlocks;
    /// One finding per differing field, in table order; empty when the
    /// radio holds what a write would send.
    std::vector<ConfigFinding> differences;

    [[nodiscard]] bool same() const { return differingBlocks.empty(); }
};

/// Compares the radio's memory as read with what a write of doc sends.
[[nodiscard]] RadioComparison compareWithRadio(const Document& doc, const link::RadioMemory& radio);
/// Compares the radio's memory with the memory another radio gave (a
/// clone's source); base names the fields (band, channel mode) and fills
/// what neither memory holds.
[[nodiscard]] RadioComparison compareMemories(const Document& base, const link::RadioMemory& expected,
                                              const link::RadioMemory& radio);

/// Text ids of a difference's message: "%1: the document has %2, the radio
/// holds %3" (a field), "channel only in the document / only in the radio",
/// and a block the fields do not explain.
inline constexpr int kTextDifferentValue = 34200;
inline constexpr int kTextChannelOnlyInDocument = 34201;
inline constexpr int kTextChannelOnlyInRadio = 34202;
inline constexpr int kTextDifferentBlock = 34203;

} // namespace zav
