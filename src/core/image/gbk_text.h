#pragma once

// Text fields hold GBK bytes: the code page of the systems the data files
// and radios come from (ASCII is the same in it), whatever language the
// program shows. Everything that shows or takes text converts here, so the
// bytes of a field are never reinterpreted in another code page.

#include <optional>
#include <string>
#include <string_view>

namespace zav {

/// The UTF-8 form of GBK bytes. A byte sequence that is not GBK (a stray
/// byte, or a character cut off at the end of its field) shows as U+FFFD
/// for each byte it spans; the rest reads on.
[[nodiscard]] std::string gbkToUtf8(std::string_view bytes);

/// The GBK bytes of UTF-8 text; nothing when a character has no GBK form
/// or the text is not valid UTF-8.
[[nodiscard]] std::optional<std::string> utf8ToGbk(std::string_view text);

/// True when bytes read as GBK throughout (no U+FFFD would be shown).
[[nodiscard]] bool isValidGbk(std::string_view bytes);

} // namespace zav
