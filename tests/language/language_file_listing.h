#pragma once

// A language file read line by line as written, so a test can see what the
// program's INI reader forgives: duplicate keys, keys in a foreign section,
// over-long or empty values, stray lines.

#include <QList>
#include <QString>

namespace zav::test {

/// One "key=value" line; section is the name in the last "[...]" header
/// before it ("" when none). Key and value are trimmed; line counts from 1.
struct LanguageEntry {
    QString section;
    QString key;
    QByteArray value; // UTF-8 bytes as stored
    int line = 0;
};

struct LanguageFileListing {
    bool readable = false;
    bool hasByteOrderMark = false;
    bool validUtf8 = false;
    QList<LanguageEntry> entries;
    QList<int> strayLines; // neither blank, comment, header nor key=value
};

[[nodiscard]] LanguageFileListing ListLanguageFile(const QString& path);

} // namespace zav::test
