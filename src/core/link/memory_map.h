#pragma once

// The radio's memory and the document hold the same settings in different
// shapes. Encoding fills a 25664-byte memory image (index = radio address)
// from the document, decoding fills the document from one. The active
// region at 0x0000 always holds the country-mode set and the standby region
// at 0x4000 the extended-mode set, whatever mode the document is in.
//
//   0x0010..0x209F  country channels, 16 bytes at 16 x number (1..521)
//   0x20A0..0x20E1  bitmap B: bit set for channels whose Option7 is 0
//   0x20F0..0x2131  bitmap A: bit set for channels with a receive frequency
//   0x2140..0x2163  GroupNames, 12 x 3 characters (missing ones 0x20)
//   0x2170..0x217F  single-byte settings (TotTime / 15, DTMF timing, ...)
//   0x2190..0x2198  CommonChannel: two tone codes, then channel bytes 10..14
//   0x21A0..0x21DF  EmbeddedMessage, 4 x 16 characters (missing ones 0x00)
//   0x21E0..0x21EF  PowerOnText
//   0x21F0..0x21FF  header: model (6), band code low byte, -, "V300"
//   0x2200..0x22FF  DTMF code memories 1..16, one key value 0..15 per byte
//   0x2300..0x23EF  tone tips 1..8, 30 bytes each
//   0x2400..0x2405  ResetMode (even offsets: group index, odd: channel - 1)
//   0x2408..0x241F  emergency channel numbers (- 1, 0xFF for none)
//   0x2420..0x2437  emergency AM/FM flags
//   0x4010.. 0x6437 the extended-mode counterparts at + 0x4000 (channels,
//                   bitmaps, group names, single-byte settings,
//                   CommonChannel, emergency tables); 0x6400..0x6407 0xFF
//
// Channel record: bytes 0-1 receive frequency in kHz, low byte first (a
// count ending in 1 is stored + 1, marking the 12.5 kHz raster); byte 5
// Option27 b0, Option44 b1, Option26 b3, Option43 b4, Option25 b5,
// Option42 b6; bytes 6-7 / 8-9 receive / transmit tone code, high byte
// first; byte 10 Option37..41 b0-b4, Option30 b5, Option11 b6-7; byte 11
// Option23 low nibble, Option24 high nibble; byte 12 Option13 b0-5,
// Option29 b6-7; byte 13 Option22; byte 14 Option28; bytes 2-4, 15 0xFF.

#include "document.h"
#include "packets.h"

#include <cstdint>
#include <string>

namespace zav::link {

/// Radio address of the first byte of each region (standby: + kStandbyOffset).
namespace mem {
inline constexpr int ChannelRecords = 0x0000;  ///< channel n at 16 x n
inline constexpr int BitmapB = 0x20A0;
inline constexpr int BitmapA = 0x20F0;
inline constexpr int BitmapBytes = 66;
inline constexpr int GroupNames = 0x2140;
inline constexpr int Settings = 0x2170;
inline constexpr int CommonChannel = 0x2190;
inline constexpr int EmbeddedMessage = 0x21A0;
inline constexpr int PowerOnText = 0x21E0;
inline constexpr int Header = 0x21F0;
inline constexpr int CodeMemories = 0x2200;
inline constexpr int ToneTips = 0x2300;
inline constexpr int ToneTipBytes = 30;
inline constexpr int ResetMode = 0x2400;
inline constexpr int EmergencyChannels = 0x2408;
inline constexpr int EmergencyAmFm = 0x2420;
inline constexpr int StandbyOffset = 0x4000;
} // namespace mem

/// The document's working image as a write sends it (before the radio's
/// identity bytes replace 0x21F0..0x21FD). The document is not changed:
/// the mode swap and EmptyFlag happen on a copy.
[[nodiscard]] RadioMemory encodeDocument(const Document& doc);
/// Same, for an image set (the working image of a document).
[[nodiscard]] RadioMemory encodeImage(const ImageSet& image);

/// Decodes radio memory into the document's working image as a completed
/// read does: ChannelMode = mode, both channel sets (channel 521 always
/// present), settings, texts, DTMF memories, tone tips and emergency
/// tables. Channel fields that have no place in memory come from the
/// document's previous record with the same Number, else the defaults of a
/// new channel; fields that have no place at all keep their values.
void decodeDocument(const RadioMemory& memory, Int16 mode, Document& doc);
/// Same, into an image set.
void decodeImage(const RadioMemory& memory, Int16 mode, ImageSet& image);

/// Receive frequency (8-digit text) -> kHz count as stored; false when the
/// text holds no frequency that 16 bits can carry.
[[nodiscard]] bool encodeRxFrequency(const std::string& stored, std::uint16_t& kiloHertz);
/// kHz count -> 8-digit text.
[[nodiscard]] std::string decodeRxFrequency(std::uint16_t kiloHertz);

} // namespace zav::link
