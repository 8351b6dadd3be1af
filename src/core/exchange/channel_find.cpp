#include "channel_find.h"

#include "channel_columns.h"
#include "channel_groups.h"
#include "channel_writes.h"
#include "gbk_text.h"
#include "numbers.h"

#include <algorithm>
#include <cctype>

namespace zav {
namespace {

constexpr std::size_t kShortestFrequencyDigits = 4; // "2712": fewer digits are a channel number

std::string lowerCase(std::string_view text)
{
    std::string out(trimSpaces(text));
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string withoutPoint(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
    return text;
}

} // namespace

std::vector<ChannelPlace> findChannels(const Document& doc, std::string_view query)
{
    std::vector<ChannelPlace> found;
    const std::string wanted = lowerCase(query);
    if (wanted.empty())
        return found;
    const RadioImage& image = doc.image();
    const Int16 mode = image.ChannelMode;
    const BandLimits band = documentBand(doc);
    const int tone = toneIndexOf(wanted);
    const bool digits = allDigits(wanted);
    const auto number = digits && wanted.size() <= 3 ? parseNumber(wanted) : std::nullopt;
    const bool typedFrequency = wanted.find('.') != std::string::npos && parseNumber(wanted).has_value();
    const std::string frequency = typedFrequency ? formatMHz(*parseNumber(wanted)) : std::string();

    for (int g = 0; g < groupCount(mode); ++g) {
        const std::string name =
            g < kGroupNames ? lowerCase(gbkToUtf8(image.GroupNames[static_cast<std::size_t>(g)].clean())) : std::string();
        const bool groupNamed = !name.empty() && name == wanted;
        for (int row = 1; row <= groupSize(g, mode); ++row) {
            const int n = groupBase(g, mode) + row;
            const int index = doc.findChannelByNumber(static_cast<Int16>(n));
            bool match = number && *number == n;
            if (index >= 0) {
                const ChannelRecord& record = doc.active()[static_cast<std::size_t>(index)];
                const std::string receive = frequencyTexts(record, band, true).receive;
                match = match || groupNamed || (tone > 0 && (record.RxTone == tone || record.TxTone == tone)) ||
                        (typedFrequency && receive == frequency) ||
                        (digits && wanted.size() >= kShortestFrequencyDigits && withoutPoint(receive).starts_with(wanted));
            }
            if (match)
                found.push_back({g, row, n});
        }
    }
    return found;
}

} // namespace zav
