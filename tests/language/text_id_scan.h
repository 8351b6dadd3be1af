#pragma once

// Finds the text ids that program source asks for by literal number, so a
// test can check that every one of them has a text in each language file.

#include <QList>
#include <QString>

namespace zav::test {

/// One literal text id found in source text; line counts from 1.
struct FoundTextId {
    int id = 0;
    int line = 0;
};

/// Literal 4- or 5-digit ids in text lookups of `source`: the argument of a
/// call text(..), text(..), Text(..), tr(..) or TextId(..), and every such
/// literal inside the braced list that follows a name ending in "Ids"
/// (kBacklightIds = {16050, 16051}).
[[nodiscard]] QList<FoundTextId> ScanTextIds(const QString& source);

} // namespace zav::test
