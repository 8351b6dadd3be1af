#pragma once

// Numbers as the program reads and writes them: "." as the decimal separator
// whatever the user's locale.

#include <optional>
#include <string>
#include <string_view>

namespace zav {

/// Removes spaces and tabs around a typed value.
[[nodiscard]] std::string_view trimSpaces(std::string_view text);

/// True for an optional sign, digits with at most one ".", and at least one
/// digit (".5" and "27" are numeric; "1e3", "1,000", "&H1F" and "" are not).
/// Surrounding spaces are allowed.
[[nodiscard]] bool isNumeric(std::string_view text);

/// The value of a numeric text, or nothing.
[[nodiscard]] std::optional<double> parseNumber(std::string_view text);

/// Formats with "#0.00000": at least one whole digit, exactly five decimals.
[[nodiscard]] std::string formatMHz(double value);

/// Formats with a fixed number of decimals, C locale.
[[nodiscard]] std::string formatFixed(double value, int decimals);

/// Rounds half to even, as the radio tool's arithmetic does.
[[nodiscard]] long long roundHalfEven(double value);

} // namespace zav
