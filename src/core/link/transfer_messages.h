#pragma once

// The message texts of a transfer, built the same way for every front end.
// Texts are named by id here; the front ends look them up in their language.

#include "data_file.h"
#include "transfer_engine.h"

#include <string>

namespace zav::link {

inline constexpr int kTextPortFailed = 9003;
inline constexpr int kTextConfirmRead = 9004;
inline constexpr int kTextConfirmWrite = 9005;
inline constexpr int kTextCommunicationFailed = 9008; ///< and asks whether to try again
using zav::kTextWrongModel; // the same words as a data file of another model
inline constexpr int kTextOtherBand = 9014;
inline constexpr int kTextBandRefused = 9030;
inline constexpr int kTextReadDone = 9009;
inline constexpr int kTextWriteDone = 9010;
inline constexpr int kTextInfoDone = 9011;
inline constexpr int kTextReadingCaption = 9027;
inline constexpr int kTextWritingCaption = 9028;
inline constexpr int kTextProgressLabel = 9029;
/// A wrong or missing radio password; the English text is the radio shops'
/// own words, and the command line always says it in English.
inline constexpr int kTextPasswordFailure = 33304;
inline constexpr const char* kPasswordFailureText = "PassWord Failure!";

/// The question before a read or a write.
[[nodiscard]] int confirmTextId(TransferKind kind);
/// The message after a transfer that went well (read, write or radio information).
[[nodiscard]] int doneTextId(TransferKind kind);
/// The progress window's caption: reading from or writing to the radio.
[[nodiscard]] int progressCaptionTextId(TransferKind kind);
/// wrongModelText (text 9012 in the language in use), CRLF, "Radio is "
/// and the display name.
[[nodiscard]] std::string wrongModelMessage(const std::string& wrongModelText, const std::string& radioDisplayName);

} // namespace zav::link
