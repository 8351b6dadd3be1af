#pragma once

// A realistic radio configuration: the virtual radio's memory when no
// memory file is given, and the shared fixture of the link tests.

#include "document.h"
#include "packets.h"
#include "radio_info.h"

namespace zav::sim {

/// A new document with channels in several groups of both channel modes,
/// tones, options, group names, texts, DTMF memories, tone tips and
/// emergency channels; in country mode (mode 0) or extended mode (4).
[[nodiscard]] Document sampleDocument(Int16 mode);

/// The memory a radio holding sampleDocument(0) would have: the encoded
/// document with the header of a ZAV415, band byte 0, version "V300",
/// channel mode 0 at 0x21F0..0x21FD.
[[nodiscard]] link::RadioMemory sampleMemory();

/// Information area with realistic service data and no password.
[[nodiscard]] link::InfoBlock sampleInfoBlock();

} // namespace zav::sim
