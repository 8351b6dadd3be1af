#pragma once

// Frequency bands: label <-> code, and the limits parsed from a label.

#include "radio_image.h"

#include <string>
#include <string_view>

namespace zav {

/// Code of a band label; 0 for any label not in the table (the empty one too).
[[nodiscard]] Int16 bandCodeOf(std::string_view label);
/// Label of a band code; only code 0 has one, every other code gives "".
[[nodiscard]] std::string bandLabelOf(int code);

/// "band %1": a band code with no label (%1 the code).
inline constexpr int kTextUnknownBand = 33506;

struct BandLimits {
    double low = 100;
    double high = 500;
};
/// Limits in MHz from a label such as "25.615 - 30.105 MHz"; 100 and 500
/// stand in for parts that are missing or not numeric.
[[nodiscard]] BandLimits parseBandLimits(std::string_view label);

} // namespace zav
