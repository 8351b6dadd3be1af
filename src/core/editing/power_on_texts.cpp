#include "power_on_texts.h"

#include "gbk_text.h"

#include <string>

namespace zav {
namespace {

constexpr std::size_t kPowerOnBytes = 16;

} // namespace

std::optional<std::string> expandPowerOnPattern(std::string_view pattern, int number)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '}')
            return std::nullopt;
        if (c != '{') {
            out += c;
            continue;
        }
        const std::size_t close = pattern.find('}', i);
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::string_view field = pattern.substr(i + 1, close - i - 1);
        std::string digits = std::to_string(number);
        if (field == "n") {
            // as it is
        } else if (field.size() == 4 && field.substr(0, 3) == "n:0" && field[3] >= '1' && field[3] <= '9') {
            const auto width = static_cast<std::size_t>(field[3] - '0');
            if (digits.size() < width)
                digits.insert(0, width - digits.size(), '0');
        } else {
            return std::nullopt;
        }
        out += digits;
        i = close;
    }
    return out;
}

PowerOnTextError powerOnTextBytes(std::string_view text, std::string& bytes)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return PowerOnTextError::Control;
    const std::optional<std::string> gbk = utf8ToGbk(text);
    if (!gbk)
        return PowerOnTextError::NotGbk;
    if (gbk->size() > kPowerOnBytes)
        return PowerOnTextError::TooLong;
    bytes = *gbk;
    bytes.resize(kPowerOnBytes, ' ');
    return PowerOnTextError::None;
}

std::optional<std::string> PowerOnTextPlan::textFor(int position, PowerOnTextError& error) const
{
    error = PowerOnTextError::None;
    std::string text;
    if (!list.empty()) {
        if (position < 0 || static_cast<std::size_t>(position) >= list.size()) {
            error = PowerOnTextError::ListTooShort;
            return std::nullopt;
        }
        text = list[static_cast<std::size_t>(position)];
    } else {
        const std::optional<std::string> expanded = expandPowerOnPattern(pattern, first + position);
        if (!expanded) {
            error = PowerOnTextError::BadPattern;
            return std::nullopt;
        }
        text = *expanded;
    }
    std::string bytes;
    error = powerOnTextBytes(text, bytes);
    if (error != PowerOnTextError::None)
        return std::nullopt;
    return text;
}

PowerOnTextError PowerOnTextPlan::check(int count, int& position) const
{
    for (position = 0; position < count; ++position) {
        PowerOnTextError error = PowerOnTextError::None;
        if (!textFor(position, error))
            return error;
    }
    return PowerOnTextError::None;
}

std::vector<std::string> powerOnTextLines(std::string_view fileText)
{
    if (fileText.substr(0, 3) == "\xEF\xBB\xBF")
        fileText.remove_prefix(3);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < fileText.size()) {
        std::size_t end = fileText.find('\n', start);
        if (end == std::string_view::npos)
            end = fileText.size();
        std::string_view line = fileText.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

Document withPowerOnText(const Document& doc, const std::string& text)
{
    Document copy = doc;
    std::string bytes;
    if (powerOnTextBytes(text, bytes) == PowerOnTextError::None)
        copy.image().OptFeat.PowerOnText.assign(bytes);
    return copy;
}

std::string powerOnTextErrorWords(PowerOnTextError error)
{
    switch (error) {
    case PowerOnTextError::None: return {};
    case PowerOnTextError::BadPattern: return "the pattern takes {n} or {n:0W} (W from 1 to 9)";
    case PowerOnTextError::NotGbk: return "a character cannot be written in GBK";
    case PowerOnTextError::TooLong: return "longer than 16 bytes";
    case PowerOnTextError::Control: return "a control character";
    case PowerOnTextError::ListTooShort: return "more radios than texts in the list";
    }
    return {};
}

} // namespace zav
