#pragma once

// Byte-exact file layout of the image records: little-endian Integers,
// raw Text bytes, no padding. Used by the data file and the tests.

#include "radio_image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zav {

using Bytes = std::vector<std::uint8_t>;

void writeChannelRecord(const ChannelRecord& record, std::span<std::uint8_t, kChannelRecordBytes> out);
[[nodiscard]] ChannelRecord readChannelRecord(std::span<const std::uint8_t, kChannelRecordBytes> in);

void writeRadioImage(const RadioImage& image, std::span<std::uint8_t, kRadioImageBytes> out);
[[nodiscard]] RadioImage readRadioImage(std::span<const std::uint8_t, kRadioImageBytes> in);

/// The whole 95640-byte file content of an image set.
[[nodiscard]] Bytes writeFullImage(const ImageSet& set);
/// Reads a 95640-byte buffer; the caller checks the size first.
[[nodiscard]] ImageSet readFullImage(std::span<const std::uint8_t, kFullFileBytes> in);

/// File offsets of the settings fields, for tests and diagnostics.
namespace offsets {
inline constexpr int Header = 0;
inline constexpr int ChannelMode = 13;
inline constexpr int ChannelCount = 15;
inline constexpr int RadioList = 17;
inline constexpr int TestFrequencies = 217;
inline constexpr int OptFeat = 393;
inline constexpr int DtmfSettings = 659;
inline constexpr int EmbeddedMessage = 1049;
inline constexpr int KeySettings = 1113;
inline constexpr int AlertSettings = 1125;
inline constexpr int ScanSettings = 1136;
inline constexpr int ToneTips = 1148;
inline constexpr int GroupNames = 1628;
inline constexpr int StandbyChannelCount = 1664;
inline constexpr int StandbySettings = 1666;
inline constexpr int StandbyGroupNames = 1824;
inline constexpr int ActiveChannels = 1860;
inline constexpr int StandbyChannels = 48750;
} // namespace offsets

} // namespace zav
