#pragma once

// Frequencies, offsets, rasters and tones: how they are stored in the
// image, shown, typed, checked against the band and coded for the radio.
// Frequencies are handled as whole counts of 10 Hz wherever arithmetic is
// done, so no rounding error can move a channel.

#include "radio_image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

struct BandLimits;

/// Result of a check that may warn the user (text 9021) but never refuses.
struct CheckedText {
    std::string text;
    bool warned = false;
};

// --- receive frequencies (8 digits, 10 Hz units, "FFFFFFFF" = none) -------

/// "27.86" -> "02786000"; "" stays ""; non-numeric -> the text of band.low.
[[nodiscard]] std::string toStoredFrequency(std::string_view text, const BandLimits& band);

/// Display text of a stored frequency ("" for "FFFFFFFF" or empty).
/// A non-numeric stored text gives the text of band.low and sets
/// notNumeric (the caller shows "Not IsNumeric").
struct StoredFrequencyText {
    std::string text;
    bool notNumeric = false;
};
[[nodiscard]] StoredFrequencyText storedFrequencyToText(std::string_view stored, const BandLimits& band);

/// The 10 Hz count of a stored frequency; nothing unless it is 8 digits.
[[nodiscard]] std::optional<long long> storedFrequencyCount(std::string_view stored);
/// The 8-digit stored form of a 10 Hz count (clamped to 0..99999999).
[[nodiscard]] std::string countToStoredFrequency(long long count);

// --- offsets (7 digits, 10 Hz units) --------------------------------------

/// The 10 Hz count of a stored offset; nothing unless it is 7 digits.
[[nodiscard]] std::optional<long long> storedOffsetCount(std::string_view stored);

/// Signed display text: "+0.60000", "-0.60000", "0.00000" ...
[[nodiscard]] std::string storedOffsetToText(std::string_view stored, int direction);

struct OffsetEntry {
    FixedText<7> offset;
    std::uint8_t direction = 0;
    bool stored = true; ///< false when the entry was refused (nothing to store)
};
/// The offset and direction for a typed transmit frequency (or a typed
/// signed offset when typedIsOffset).
[[nodiscard]] OffsetEntry offsetFromEntry(std::string_view storedRx, std::string_view typed, bool typedIsOffset,
                                          const FixedText<7>& storedOffset, int storedDirection,
                                          const BandLimits& band);

/// Transmit column text: the signed offset when showOffset, otherwise the
/// transmit frequency ("" when there is no receive frequency).
[[nodiscard]] std::string transmitText(std::string_view storedRx, std::string_view storedOffset, int direction,
                                       bool showOffset, const BandLimits& band);

// --- typed frequencies ----------------------------------------------------

/// The check of every typed frequency: non-numeric -> band.low with a
/// warning; otherwise validateFrequency. Formatted "#0.00000".
[[nodiscard]] CheckedText checkFrequencyEntry(std::string_view typed, int group, const BandLimits& band);

struct CheckedFrequency {
    double mhz = 0;
    bool warned = false;
};
/// Below/above the band: the limit, with a warning; inside: snapToRaster.
[[nodiscard]] CheckedFrequency validateFrequency(double mhz, int group, const BandLimits& band);
/// 5 kHz raster from band.low; counts ending in 125 per 10 kHz stay in group 6.
[[nodiscard]] double snapToRaster(double mhz, int group, const BandLimits& band);

// --- tones ----------------------------------------------------------------

inline constexpr int kToneCount = 265; ///< 0 off, 1..50 CTCSS, 51..157 DCS N, 158..264 DCS I

/// CTCSS tones in tenths of a hertz (tone 1 first), and DCS codes as the
/// octal digits read in decimal (17, 23, ... 754).
[[nodiscard]] const std::vector<int>& ctcssTenths();
[[nodiscard]] const std::vector<int>& dcsCodes();

/// "OFF", "67.0", "D023N", "D023I" for index 0..264 ("" outside).
[[nodiscard]] std::string toneText(int index);
/// All 265 display texts, in index order.
[[nodiscard]] const std::vector<std::string>& toneTexts();

/// Radio value of a tone index; 0xFFFF for 0 and for indexes outside 0..264.
[[nodiscard]] std::uint16_t toneToWire(int index);
/// Tone index of a radio value; 0 for 0xFFFF and for values of no listed tone.
[[nodiscard]] int wireToTone(std::uint16_t value);

// --- the optional-features tone list (283 entries) -------------------------

inline constexpr int kCommonToneCount = 283; ///< 0 none, 1..50 CTCSS, 51..166 DCS N, 167..282 DCS I

/// 116 DCS codes of the optional-features list, octal digits read in decimal.
[[nodiscard]] const std::vector<int>& commonDcsCodes();
/// Entry texts 1..282 of that list ("67.0" .. "254.1", "D017N" .., "D017I" ..);
/// 282 texts, entry k at [k - 1]. Entry 0 (none) is a text id and left to
/// the caller.
[[nodiscard]] const std::vector<std::string>& commonToneTexts();
/// Text of one entry of that list ("" for entry 0 and outside 0..282).
[[nodiscard]] std::string commonToneText(int entry);
/// Wire value of an optional-features tone entry (0 -> 0xFFFF).
[[nodiscard]] std::uint16_t commonToneToWire(int entry);
/// Entry of the optional-features list for a wire value (0 when none).
[[nodiscard]] int wireToCommonTone(std::uint16_t value);

// --- DTMF ------------------------------------------------------------------

/// "E" -> "*", "F" -> "#"; other characters copied.
[[nodiscard]] std::string dtmfToDisplay(std::string_view text);
/// "*" -> "E", "#" -> "F"; other characters copied.
[[nodiscard]] std::string dtmfToStored(std::string_view text);

} // namespace zav
