#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zav {

/// Removes trailing spaces and cuts at the first NUL: the one way every
/// fixed-width text is read for display or comparison.
[[nodiscard]] std::string cleanText(std::string_view text);

/// A fixed-width text field of N bytes, kept as raw bytes so that a file
/// loaded and saved again is byte-identical (non-ASCII bytes included).
template <std::size_t N>
struct FixedText {
    std::array<char, N> bytes{};

    static constexpr std::size_t size() { return N; }

    /// Assignment as the image defines it: shorter values are padded with
    /// spaces on the right, longer values are cut to N bytes.
    void assign(std::string_view value)
    {
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = i < value.size() ? value[i] : ' ';
    }

    /// All N bytes, NULs and padding included.
    [[nodiscard]] std::string raw() const { return std::string(bytes.data(), N); }

    /// The text as shown and compared: trailing spaces removed, cut at NUL.
    [[nodiscard]] std::string clean() const { return cleanText(raw()); }

    void fill(char c) { bytes.fill(c); }

    bool operator==(const FixedText&) const = default;
};

} // namespace zav
