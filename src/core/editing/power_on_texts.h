#pragma once

// A power-on text of its own for every radio of a fleet write: a pattern
// with the radio's number ("UNIT {n:02}" gives "UNIT 01", "UNIT 02", ...)
// from a start number, or a list with one text per radio. Radios are
// numbered in the order they are given or plugged in, and a radio written
// again keeps its number. Each text is checked as the optional-features
// editor takes one: GBK, at most 16 bytes, no control characters; it is
// stored padded with spaces as the editor's empty boxes are.

#include "document.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

enum class PowerOnTextError {
    None,
    BadPattern,   ///< a "{" that is not {n} or {n:0W} (W 1..9), or a lone "}"
    NotGbk,       ///< a character GBK has no bytes for
    TooLong,      ///< more than 16 bytes in GBK
    Control,      ///< a control character (tab, line break ...)
    ListTooShort, ///< more radios than texts in the list
};

/// The pattern with every {n} and {n:0W} replaced by number; nullopt for a
/// malformed pattern.
[[nodiscard]] std::optional<std::string> expandPowerOnPattern(std::string_view pattern, int number);

/// The 16 bytes the radio gets for a power-on text typed in UTF-8.
[[nodiscard]] PowerOnTextError powerOnTextBytes(std::string_view text, std::string& bytes);

/// Which text each radio gets: none (the document's own), a pattern from a
/// start number, or a list in order.
struct PowerOnTextPlan {
    std::string pattern;
    int first = 1;
    std::vector<std::string> list;

    [[nodiscard]] bool active() const { return !pattern.empty() || !list.empty(); }
    /// The UTF-8 text of the radio at position (0 for the first given or
    /// plugged in), checked; error says why there is none.
    [[nodiscard]] std::optional<std::string> textFor(int position, PowerOnTextError& error) const;
    /// Checks the first count texts (the pattern's, the list's); the first
    /// problem and the position it is at.
    [[nodiscard]] PowerOnTextError check(int count, int& position) const;
};

/// The list of a texts file: one text a line (CR LF or LF), empty lines
/// and trailing line breaks left out; a UTF-8 byte-order mark is skipped.
[[nodiscard]] std::vector<std::string> powerOnTextLines(std::string_view fileText);

/// A copy of doc whose power-on text is text (UTF-8, checked before).
[[nodiscard]] Document withPowerOnText(const Document& doc, const std::string& text);

/// English words for a problem (the command line).
[[nodiscard]] std::string powerOnTextErrorWords(PowerOnTextError error);

} // namespace zav
