#include "language_file_listing.h"

#include <QFile>
#include <QStringDecoder>

namespace zav::test {

LanguageFileListing ListLanguageFile(const QString& path)
{
    LanguageFileListing listing;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return listing;
    listing.readable = true;
    QByteArray bytes = file.readAll();
    listing.hasByteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
    if (listing.hasByteOrderMark)
        bytes.remove(0, 3);

    QStringDecoder decoder(QStringDecoder::Utf8);
    [[maybe_unused]] const QString decoded = decoder(bytes); // decodes, setting hasError()
    listing.validUtf8 = !decoder.hasError();

    QString section;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed(); // also drops a CR of CRLF ends
        const int lineNo = static_cast<int>(i) + 1;
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            if (close < 0) {
                listing.strayLines.append(lineNo);
                continue;
            }
            section = QString::fromUtf8(line.mid(1, close - 1).trimmed());
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0) {
            listing.strayLines.append(lineNo);
            continue;
        }
        const QString key = QString::fromUtf8(line.left(eq).trimmed());
        listing.entries.append({section, key, line.mid(eq + 1).trimmed(), lineNo});
    }
    return listing;
}

} // namespace zav::test
