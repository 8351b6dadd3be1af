#pragma once

// The words of the programming log's result column. The file always holds
// them in English, whatever the language of the program that wrote the
// line, so that a spreadsheet or a script can sort by them and a log kept
// by shops in two languages reads alike. A window shows each known word in
// the language in use through its text id; words it does not know (lines
// of older programs, reasons with details from the system) are shown as
// they stand.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zav {

namespace logword {
inline constexpr int Written = 32830;
inline constexpr int Verified = 32831;        ///< "written and verified" on screen
inline constexpr int Failed = 32832;          ///< "failed: %1"
inline constexpr int PortFailed = 32835;
inline constexpr int NoAnswer = 32836;
inline constexpr int OtherBand = 32837;
inline constexpr int BandRefused = 32838;
inline constexpr int WrongModel = 32839;      ///< %1 the radio's model
inline constexpr int PasswordRefused = 32840;
inline constexpr int BlocksDiffer = 32841;    ///< %1 blocks
inline constexpr int OtherVersion = 32842;    ///< %1 the radio's version
inline constexpr int Stopped = 32843;         ///< older lines; a stop is now StoppedByUser
inline constexpr int Declined = 33000;
inline constexpr int CheckErrors = 33001;
inline constexpr int StoppedByUser = 33002;
inline constexpr int NoAnswerAfterRetries = 33003; ///< %1 retries
inline constexpr int NotWritten = 33601;      ///< "not written: %1"
inline constexpr int FailedAlone = 33602;     ///< "failed" without a reason
inline constexpr int WriteFailed = 33603;
inline constexpr int VerificationFailed = 33604; ///< %1 blocks
inline constexpr int UnsavedChanges = 33605;  ///< the file column's mark
inline constexpr int Same = 34245;            ///< a compare found the radio holding the document
inline constexpr int Different = 34246;       ///< "different: %1 differences"
} // namespace logword

/// Every reason the log knows, with its English words ("%1" for the
/// argument): what the file holds, and what the English language file says.
[[nodiscard]] const std::vector<std::pair<int, const char*>>& logReasonTexts();

/// The English words of a reason, argument put in; "" for an id that is
/// not a reason of the log.
[[nodiscard]] std::string logReasonWords(int textId, const std::string& argument = {});

/// Texts by id in the language shown ("" when the language has none).
using LogTextLookup = std::function<std::string(int id)>;

/// A result as the log holds it ("failed: stopped by the user"), in the
/// language of lookup. Known words are translated, a reason followed by
/// ": details" keeps its details as they are, and anything unknown is
/// returned as it stands.
[[nodiscard]] std::string shownLogResult(const std::string& result, const LogTextLookup& lookup);

/// The file column with its "(unsaved changes)" mark in the language of
/// lookup.
[[nodiscard]] std::string shownLogFileName(const std::string& fileName, const LogTextLookup& lookup);

} // namespace zav
