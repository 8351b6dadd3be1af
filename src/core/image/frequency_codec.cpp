// Receive frequencies, offsets and the channel raster. Arithmetic is done on
// whole counts of 10 Hz so that typed and stored values never drift.

#include "codecs.h"

#include "band.h"
#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zav {
namespace {

constexpr double kCountsPerMHz = 100000.0; // 10 Hz units
constexpr long long kRasterCounts = 500;   // 5 kHz
constexpr long long kOffsetLimit = 10000000; // 100 MHz: the 7-digit form holds up to 99.99999

/// Shortest text that reads back as the same number ("25.615", "100").
std::string plainNumberText(double value)
{
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc())
        return "0";
    return std::string(buffer, ptr);
}

long long toCounts(double mhz) { return roundHalfEven(mhz * kCountsPerMHz); }

bool allDigits(std::string_view s)
{
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

std::optional<long long> storedFrequencyCount(std::string_view stored)
{
    const std::string clean = cleanText(stored);
    if (clean.size() != 8 || !allDigits(clean))
        return std::nullopt;
    return std::stoll(clean);
}

std::optional<long long> storedOffsetCount(std::string_view stored)
{
    const std::string clean = cleanText(stored);
    if (clean.size() != 7 || !allDigits(clean))
        return std::nullopt;
    return std::stoll(clean);
}

std::string countToStoredFrequency(long long count)
{
    std::string digits = std::to_string(std::clamp<long long>(count, 0, 99999999));
    digits.insert(0, 8 - digits.size(), '0');
    return digits;
}

std::string toStoredFrequency(std::string_view text, const BandLimits& band)
{
    if (text.empty())
        return {};
    std::string value(trimSpaces(text));
    // The stored form has no sign: "+27.86" is 27.86, a negative entry is as
    // unusable as a non-numeric one.
    if (!isNumeric(value) || value.front() == '-')
        value = plainNumberText(band.low);
    if (value.front() == '+')
        value.erase(0, 1);

    std::string digits;
    auto dot = value.find('.');
    if (dot == std::string::npos) {
        digits = value;
    } else {
        std::string whole = value.substr(0, dot);
        if (whole.size() < 3)
            whole.insert(0, 3 - whole.size(), '0');
        digits = whole + value.substr(dot + 1);
    }
    if (digits.size() > 8)
        digits.resize(8); // cut, never rounded
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    digits.append(8 - digits.size(), '0');
    return digits;
}

StoredFrequencyText storedFrequencyToText(std::string_view stored, const BandLimits& band)
{
    const std::string clean = cleanText(stored);
    if (clean.empty() || clean == "FFFFFFFF")
        return {};
    if (isNumeric(clean)) {
        const std::string dotted = clean.substr(0, 3) + "." + clean.substr(std::min<std::size_t>(3, clean.size()));
        if (auto mhz = parseNumber(dotted))
            return {formatMHz(*mhz), false};
    }
    return {plainNumberText(band.low), true};
}

std::string storedOffsetToText(std::string_view stored, int direction)
{
    const char* sign = direction == 1 ? "-" : direction == 2 ? "+" : "";
    const auto count = storedOffsetCount(stored);
    if (!count)
        return std::string(sign) + "0.00000";
    return std::string(sign) + formatMHz(static_cast<double>(*count) / kCountsPerMHz);
}

OffsetEntry offsetFromEntry(std::string_view storedRx, std::string_view typed, bool typedIsOffset,
                            const FixedText<7>& storedOffset, int storedDirection, const BandLimits& band)
{
    const auto previous = parseNumber(storedOffsetToText(storedOffset.raw(), storedDirection));
    long long magnitude = std::llabs(toCounts(previous.value_or(0)));
    const std::string rx = storedFrequencyToText(storedRx, band).text;
    const std::string_view entry = trimSpaces(typed);

    std::uint8_t direction = 0;
    const auto rxValue = parseNumber(rx);
    const auto typedValue = parseNumber(entry);
    if (rxValue && typedValue) {
        if (typedIsOffset) {
            direction = entry.front() == '-' ? 1 : entry.front() == '+' ? 2 : 0;
            magnitude = std::llabs(toCounts(*typedValue));
        } else {
            const long long difference = toCounts(*typedValue) - toCounts(*rxValue);
            if (difference > 0) {
                direction = 2;
                magnitude = difference;
            } else if (difference < 0) {
                direction = 1;
                magnitude = -difference;
            }
        }
    }

    OffsetEntry result;
    if (magnitude >= kOffsetLimit) {
        result.stored = false;
        result.offset = storedOffset;
        result.direction = static_cast<std::uint8_t>(storedDirection);
        return result;
    }
    std::string digits = std::to_string(magnitude);
    digits.insert(0, 7 - digits.size(), '0');
    result.offset.assign(digits);
    result.direction = direction;
    return result;
}

std::string transmitText(std::string_view storedRx, std::string_view storedOffset, int direction, bool showOffset,
                         const BandLimits& band)
{
    const std::string rx = storedFrequencyToText(storedRx, band).text;
    const auto rxValue = parseNumber(rx);
    if (!rxValue)
        return {};
    const std::string offset = storedOffsetToText(storedOffset, direction);
    if (showOffset)
        return offset;
    if (offset.front() != '+' && offset.front() != '-')
        return rx;
    const long long tx = toCounts(*rxValue) + toCounts(parseNumber(offset).value_or(0));
    return formatMHz(static_cast<double>(tx) / kCountsPerMHz);
}

CheckedText checkFrequencyEntry(std::string_view typed, int group, const BandLimits& band)
{
    const auto value = parseNumber(typed);
    if (!value)
        return {formatMHz(band.low), true};
    const CheckedFrequency checked = validateFrequency(*value, group, band);
    return {formatMHz(checked.mhz), checked.warned};
}

CheckedFrequency validateFrequency(double mhz, int group, const BandLimits& band)
{
    if (mhz < band.low)
        return {band.low, true};
    if (mhz > band.high)
        return {band.high, true};
    return {snapToRaster(mhz, group, band), false};
}

double snapToRaster(double mhz, int group, const BandLimits& band)
{
    const long long n = toCounts(mhz);
    const long long base = toCounts(band.low);
    const long long r = (n - base) % kRasterCounts; // sign of n - base, as the raster is counted from band.low
    const bool keep = r == 0 || (n % 1000 == 125 && group == 6);
    return static_cast<double>(keep ? n : n - r) / kCountsPerMHz;
}

} // namespace zav
