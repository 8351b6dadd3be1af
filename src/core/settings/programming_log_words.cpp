#include "programming_log_words.h"

#include "programming_log.h"

#include "csv_reasons.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace zav {
namespace {

constexpr std::string_view kWritten = "written";
constexpr std::string_view kVerified = "verified";
constexpr std::string_view kFailed = "failed";
constexpr std::string_view kFailedPrefix = "failed: ";
constexpr std::string_view kNotWrittenPrefix = "not written: ";
constexpr std::string_view kSame = "same";
constexpr std::string_view kDifferent = "different: %1 differences";
constexpr std::string_view kUnsavedMark = "(unsaved changes)";
constexpr std::string_view kDetailsSeparator = ": ";

/// The argument when text is the words of pattern with "%1" standing for
/// a non-empty part (an empty string for a pattern without "%1").
std::optional<std::string> matchWords(std::string_view pattern, std::string_view text)
{
    const std::size_t place = pattern.find("%1");
    if (place == std::string_view::npos)
        return text == pattern ? std::optional<std::string>(std::string()) : std::nullopt;
    const std::string_view before = pattern.substr(0, place);
    const std::string_view after = pattern.substr(place + 2);
    if (text.size() <= before.size() + after.size() || text.substr(0, before.size()) != before ||
        text.substr(text.size() - after.size()) != after)
        return std::nullopt;
    return std::string(text.substr(before.size(), text.size() - before.size() - after.size()));
}

/// The text of id in the language of lookup, or english when it has none.
std::string textIn(int id, const char* english, const LogTextLookup& lookup, const std::string& argument)
{
    std::string text = lookup ? lookup(id) : std::string();
    if (text.empty())
        text = english;
    return fillArguments(text, {argument});
}

/// A known reason whole, in the language of lookup.
std::optional<std::string> knownReason(std::string_view reason, const LogTextLookup& lookup)
{
    for (const auto& [id, words] : logReasonTexts()) {
        if (const auto argument = matchWords(words, reason))
            return textIn(id, words, lookup, *argument);
    }
    return std::nullopt;
}

/// A reason in the language of lookup: known words whole, or known words
/// followed by ": details" (the system's reason the command line adds),
/// or as it stands.
std::string shownReason(std::string_view reason, const LogTextLookup& lookup)
{
    if (auto whole = knownReason(reason, lookup))
        return *whole;
    for (std::size_t at = reason.find(kDetailsSeparator); at != std::string_view::npos;
         at = reason.find(kDetailsSeparator, at + 1)) {
        if (auto head = knownReason(reason.substr(0, at), lookup))
            return *head + std::string(reason.substr(at));
    }
    return std::string(reason);
}

} // namespace

const std::vector<std::pair<int, const char*>>& logReasonTexts()
{
    using namespace logword;
    static const std::vector<std::pair<int, const char*>> kTexts{
        {PortFailed, "the port cannot be opened"},
        {NoAnswer, "the radio does not answer"},
        {OtherBand, "the radio is of another band (not allowed)"},
        {BandRefused, "the radio's band cannot be written"},
        {WrongModel, "the radio is a %1"},
        {PasswordRefused, "the password was refused"},
        {BlocksDiffer, "%1 block(s) differ after writing"},
        {OtherVersion, "the radio has the version %1"},
        {Stopped, "stopped"},
        {Declined, "declined"},
        {CheckErrors, "the check found errors"},
        {StoppedByUser, "stopped by the user"},
        {NoAnswerAfterRetries, "no answer after %1 retries"},
        {WriteFailed, "write failed"},
        {VerificationFailed, "verification failed: %1 block(s) differ"},
    };
    return kTexts;
}

std::string logReasonWords(int textId, const std::string& argument)
{
    const auto& texts = logReasonTexts();
    const auto found =
        std::find_if(texts.begin(), texts.end(), [textId](const auto& entry) { return entry.first == textId; });
    return found == texts.end() ? std::string() : fillArguments(found->second, {argument});
}

std::string logResultCompared(std::size_t differences)
{
    return differences == 0 ? std::string(kSame) : fillArguments(kDifferent, {std::to_string(differences)});
}

std::string shownLogResult(const std::string& result, const LogTextLookup& lookup)
{
    const auto translated = [&lookup](int id, const std::vector<std::string>& args = {}) {
        const std::string text = lookup ? lookup(id) : std::string();
        return text.empty() ? std::optional<std::string>() : std::optional<std::string>(fillArguments(text, args));
    };
    const std::string_view text = result;
    std::optional<std::string> shown;
    if (text == kWritten)
        shown = translated(logword::Written);
    else if (text == kVerified)
        shown = translated(logword::Verified);
    else if (text == kFailed)
        shown = translated(logword::FailedAlone);
    else if (text.substr(0, kFailedPrefix.size()) == kFailedPrefix)
        shown = translated(logword::Failed, {shownReason(text.substr(kFailedPrefix.size()), lookup)});
    else if (text.substr(0, kNotWrittenPrefix.size()) == kNotWrittenPrefix)
        shown = translated(logword::NotWritten, {shownReason(text.substr(kNotWrittenPrefix.size()), lookup)});
    else if (text == kSame)
        shown = translated(logword::Same);
    else if (const auto count = matchWords(kDifferent, text))
        shown = translated(logword::Different, {*count});
    return shown.value_or(result);
}

std::string shownLogFileName(const std::string& fileName, const LogTextLookup& lookup)
{
    const std::string_view text = fileName;
    if (text.size() < kUnsavedMark.size() || text.substr(text.size() - kUnsavedMark.size()) != kUnsavedMark)
        return fileName;
    const std::string mark = lookup ? lookup(logword::UnsavedChanges) : std::string();
    if (mark.empty())
        return fileName;
    return std::string(text.substr(0, text.size() - kUnsavedMark.size())) + mark;
}

} // namespace zav
