#pragma once

// Text fields of the image as the windows show and take them: their bytes
// are GBK whatever the program's language (see gbk_text.h).

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace zav::ui {

/// Stored bytes as shown; bytes that are not GBK show as U+FFFD.
[[nodiscard]] QString fromGbk(std::string_view bytes);

/// Typed text as stored bytes; nothing when a character has no GBK form.
[[nodiscard]] std::optional<std::string> toGbk(const QString& text);

/// The number of GBK bytes of text; -1 when a character has no GBK form.
[[nodiscard]] int gbkLength(const QString& text);

/// The text of an edited box as its field keeps it: the U+FFFD that stand
/// for stored bytes that were not GBK are left out, having no bytes to go
/// back to. Until a box is edited its field keeps those bytes as they are.
[[nodiscard]] QString editedText(QString text);

} // namespace zav::ui
