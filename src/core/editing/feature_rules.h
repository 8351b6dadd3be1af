#pragma once

// Rules of the radio-wide features that more than one editor needs: which
// DTMF code memories and tone tips count as defined, and how references to
// them are kept valid when one stops being defined. No Qt here; the windows
// and the channel editors call these.

#include "document.h"
#include "radio_image.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

// --- DTMF code memories (1..16) -------------------------------------------

/// Memory n holds a code: n in 1..16 and a stored length above 0.
[[nodiscard]] bool isCodeMemoryDefined(const RadioImage& image, int n);
/// Numbers of the defined memories, ascending.
[[nodiscard]] std::vector<int> definedCodeMemories(const RadioImage& image);

/// Every reference to code memory n becomes 0: the BOT, EOT and call code
/// numbers of the used records of both channel tables, of the common data
/// and of its standby copy. Called after memory n was emptied.
void clearCodeMemoryReferences(Document& doc, int n);

// --- tone tips (1..8) -----------------------------------------------------

/// Tone tip t plays something: t in 1..8, a repeat count of at least 1 and
/// at least one note longer than 0.
[[nodiscard]] bool isToneTipDefined(const RadioImage& image, int t);
/// Numbers of the defined tone tips, ascending.
[[nodiscard]] std::vector<int> definedToneTips(const RadioImage& image);

/// Every roger-beep reference to a tone tip that is not defined becomes 0:
/// the used records of both channel tables, the common data and its standby
/// copy.
void clearUndefinedRogerBeeps(Document& doc);

// --- fixed texts ------------------------------------------------------------

/// A code as typed into a code box: everything from the first NUL on and
/// trailing spaces dropped.
[[nodiscard]] std::string trimmedCode(std::string_view text);

/// Stores a typed code: the trimmed text (at most 16 characters) and its
/// length.
void storeCode(DtmfCode& code, std::string_view text);
/// The characters a code box shows: the first Length characters, nothing
/// when the length is outside 0..16 (the field is kept as it is).
[[nodiscard]] std::string shownCode(const DtmfCode& code);

/// One embedded-message line as stored: a text of 16 characters or more is
/// kept as it is (cut to 16); a shorter one gets a NUL and space padding.
void storeMessageLine(FixedText<16>& line, std::string_view text);

/// The sixteen power-on characters a display shows: the stored text cut at
/// its first NUL, without trailing spaces, padded with spaces to 16.
[[nodiscard]] std::string powerOnCharacters(const FixedText<16>& text);

} // namespace zav
