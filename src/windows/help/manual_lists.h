#pragma once

// The manual's lists that the program knows better than a writer: the
// keyboard shortcuts (from the actions) and the troubleshooting chapter's
// messages (from the transfer's message ids, each with its explanation from
// the manual's sources). Written as reStructuredText that the manual
// includes when it is built.

#include "shortcut_list.h"

#include <QString>

#include <functional>
#include <map>
#include <vector>

namespace zav::help {

/// The explanations of the troubleshooting chapter: "[id]" lines, each
/// followed by reStructuredText up to the next "[id]".
[[nodiscard]] std::map<int, QString> readMessageEntries(const QString& path, QString* error);
/// The transfer message ids without an explanation.
[[nodiscard]] std::vector<int> messagesWithoutEntry(const std::map<int, QString>& entries);

/// One section per transfer message: its text in the language (from
/// textOf) and its explanation. heading: "Message %1" in the language.
[[nodiscard]] QString messagesRst(const std::map<int, QString>& entries, const std::function<QString(int)>& textOf,
                                  const QString& heading);
/// The shortcuts as a table with the two column headers.
[[nodiscard]] QString shortcutsRst(const std::vector<Shortcut>& shortcuts, const QString& commandHeader,
                                   const QString& keysHeader);

} // namespace zav::help
