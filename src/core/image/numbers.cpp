#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace zav {
std::string_view trimSpaces(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool isNumeric(std::string_view text)
{
    text = trimSpaces(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    int digits = 0;
    int dots = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++dots;
        else
            return false;
    }
    return digits > 0 && dots <= 1;
}

std::optional<double> parseNumber(std::string_view text)
{
    if (!isNumeric(text))
        return std::nullopt;
    text = trimSpaces(text);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars is locale-independent; it needs a leading digit.
    std::string buffer;
    if (text.front() == '.')
        buffer = "0";
    buffer.append(text);
    if (buffer.back() == '.')
        buffer.pop_back();
    double value = 0;
    auto [ptr, ec] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec != std::errc() || ptr != buffer.data() + buffer.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::string formatFixed(double value, int decimals)
{
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return "0";
    std::string out(buffer, ptr);
    // "-0.00000" reads as zero to the user.
    if (out.front() == '-' && out.find_first_not_of("-0.") == std::string::npos)
        out.erase(0, 1);
    return out;
}

std::string formatMHz(double value) { return formatFixed(value, 5); }

long long roundHalfEven(double value) { return std::llrint(value); }

} // namespace zav
