#pragma once

// The image as JSON, for scripts and for people: every field under its
// member name, arrays as arrays, texts as the characters their GBK bytes
// stand for.

#include "radio_image.h"

#include <string>
#include <string_view>

namespace zav {

/// {"Settings": {...}, "ActiveChannels": [...], "StandbyChannels": [...]}:
/// every settings field and the used records of both tables (counts
/// clamped to 0..521), indented.
[[nodiscard]] std::string imageSetToJson(const ImageSet& set);

/// A JSON string literal of raw text bytes: printable ASCII as it is (with
/// " and \ escaped), every other byte as \u00XX.
[[nodiscard]] std::string jsonString(std::string_view bytes);

/// A JSON string literal of a text field's characters: the GBK bytes read
/// as text (U+FFFD for bytes that are not GBK), in UTF-8, with " and \ and
/// control characters (NUL included) escaped.
[[nodiscard]] std::string jsonText(std::string_view bytes);

} // namespace zav
