#pragma once

// The settings outside the channel table by name, for scripted edits: the
// shared channel settings ("common."), the optional features
// ("optional-features."), the DTMF settings ("dtmf.") and the texts
// ("power-on-text", "embedded-message.N"). The names are the readable
// JSON's, as options name them; each value is checked by the rules of the
// window that edits it (its list's entries, defined code memories and tone
// tips, the ID code's digits, GBK text that fits), so a script stores only
// what a user could have chosen there.

#include "csv_reasons.h"
#include "document.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

namespace settingreason {
inline constexpr int NotAValue = 34006;    ///< %1 text, %2 what it takes
inline constexpr int TextTooLong = 34007;  ///< %1 bytes, %2 most
inline constexpr int NotGbk = 34008;       ///< %1 text
} // namespace settingreason

struct SettingField {
    std::string prefix;   ///< "dtmf"; "" for the texts
    std::string name;     ///< "digit-rate"
    std::string accepts;  ///< what it takes, in English ("10..500 ms in steps of 10")
    /// Reads the value as shown ("" when the field is not set).
    std::function<std::string(const Document&)> read;
    /// Checks text and stores it; the reason when refused (nothing changed).
    std::function<std::optional<CsvReason>(Document&, std::string_view)> write;

    /// "dtmf.digit-rate", or the name alone without a prefix.
    [[nodiscard]] std::string fullName() const { return prefix.empty() ? name : prefix + "." + name; }
};

/// Every settable setting outside the channel table.
[[nodiscard]] const std::vector<SettingField>& settingFields();

/// The setting of a name: its full name, or its name alone when no other
/// setting and no channel field (channelFieldNames) has that name.
/// nullptr when none, or when the name alone is shared.
[[nodiscard]] const SettingField* findSettingField(std::string_view name,
                                                   const std::vector<std::string>& channelFieldNames);

} // namespace zav
