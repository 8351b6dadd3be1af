#pragma once

// Why a file was not written, told the same way by every window that
// saves, exports or appends: the file and what was wrong with it ("it is
// read-only", "it is a pipe, not a file", the system's reason).

#include "atomic_file.h"

#include <QString>

namespace zav::ui {

struct AppContext;

/// "The file PATH could not be written: REASON." in the language in use;
/// "" when result is no failure.
[[nodiscard]] QString fileWriteProblemText(const AppContext& ctx, const QString& path, const FileWriteResult& result);

inline constexpr int kTextFileNotWritten = 32748; ///< %1 the file, %2 why
inline constexpr int kTextIsFolder = 33020;
inline constexpr int kTextIsDevice = 33021;
inline constexpr int kTextIsPipe = 33022;
inline constexpr int kTextIsReadOnly = 33023;
inline constexpr int kTextSystemRefused = 33024; ///< %1 the system's words

} // namespace zav::ui
