#pragma once

// What a translator needs to know about a language file, measured against
// the English file: ids missing or extra, texts the program would not find
// (wrong section, no header), empty texts, placeholders and file-filter
// patterns that differ from the English ones, and texts longer than the
// room they are shown in.

#include "caption_rooms.h"

#include <functional>
#include <string>
#include <vector>

namespace zav {

enum class LanguageCheckKind {
    Unreadable,   ///< the file cannot be read as a language file (detail: why)
    NoHeader,     ///< no [Language] Name and Locale: the program does not offer it
    Missing,      ///< an id of the English file has no text
    Extra,        ///< an id the English file does not have
    Misplaced,    ///< in another section than its id's, where the program never looks (detail: the section)
    Duplicate,    ///< the id appears again; only the first is read
    Empty,        ///< the text is empty
    Placeholders, ///< %1, %2 ... differ from English (detail: English's, then this file's)
    Filter,       ///< the pattern after "|" of a file filter differs from English's
    TooLong,      ///< longer than its room (detail: what and how much)
};

struct LanguageCheckFinding {
    LanguageCheckKind kind = LanguageCheckKind::Missing;
    int id = 0;         ///< 0 for findings about the whole file
    std::string detail;
};

/// Width in pixels of a text (UTF-8) in the font its windows use.
using TextWidth = std::function<int(const std::string& utf8)>;

/// Checks the language file at path against the English file. Rooms are
/// measured with textWidth; without one only the reader's own limit of a
/// text applies. Findings in the order of the English file's ids, the
/// candidate's own extras after them.
[[nodiscard]] std::vector<LanguageCheckFinding> checkLanguageFile(const std::string& englishPath,
                                                                  const std::string& path,
                                                                  const std::vector<CaptionRoom>& rooms,
                                                                  const TextWidth& textWidth);

/// One line in English for a finding: "missing 9001", "placeholders 32110: ...".
[[nodiscard]] std::string describeFinding(const LanguageCheckFinding& finding);

/// The placeholders of a text ("%1", "%2") sorted, each once.
[[nodiscard]] std::vector<int> placeholdersOf(const std::string& text);

/// Whether words wrapped at spaces fit lines of widthPixels, at most lines
/// of them (a single word that is too wide never fits).
[[nodiscard]] bool fitsRoom(const std::string& text, const CaptionRoom& room, const TextWidth& textWidth);

} // namespace zav
