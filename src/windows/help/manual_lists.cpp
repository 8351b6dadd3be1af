#include "manual_lists.h"

#include "transfer_message_ids.h"

#include <QFile>
#include <QRegularExpression>

namespace zav::help {
namespace {

/// A text as one line of reStructuredText, its markup characters inert.
QString inlineText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    static const QRegularExpression markup(QStringLiteral("([\\\\*`|_])"));
    text.replace(markup, QStringLiteral("\\\\1"));
    return text.simplified();
}

} // namespace

std::map<int, QString> readMessageEntries(const QString& path, QString* error)
{
    std::map<int, QString> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return entries;
    }
    static const QRegularExpression header(QStringLiteral("^\\[(\\d+)\\]\\s*$"));
    int current = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (const QRegularExpressionMatch m = header.match(line); m.hasMatch()) {
            current = m.captured(1).toInt();
            entries[current];
            continue;
        }
        if (current != 0)
            entries[current] += line + QLatin1Char('\n');
    }
    for (auto& [id, text] : entries)
        text = text.trimmed();
    return entries;
}

std::vector<int> messagesWithoutEntry(const std::map<int, QString>& entries)
{
    std::vector<int> missing;
    for (int id : link::kTransferMessageIds)
        if (auto it = entries.find(id); it == entries.end() || it->second.isEmpty())
            missing.push_back(id);
    return missing;
}

QString messagesRst(const std::map<int, QString>& entries, const std::function<QString(int)>& textOf,
                    const QString& heading)
{
    QString out;
    for (int id : link::kTransferMessageIds) {
        const QString title = heading.arg(id);
        out += QStringLiteral(".. _message-%1:\n\n").arg(id);
        out += title + QLatin1Char('\n') + QString(title.size() * 2, QLatin1Char('~')) + QStringLiteral("\n\n");
        out += QStringLiteral(".. index:: single: %1\n\n").arg(title);
        out += QStringLiteral("*%1*\n\n").arg(inlineText(textOf(id)));
        const auto it = entries.find(id);
        out += (it == entries.end() ? QString() : it->second) + QStringLiteral("\n\n");
    }
    return out;
}

QString shortcutsRst(const std::vector<Shortcut>& shortcuts, const QString& commandHeader, const QString& keysHeader)
{
    QString out = QStringLiteral(".. list-table::\n   :header-rows: 1\n   :widths: 3 2\n\n");
    out += QStringLiteral("   * - %1\n     - %2\n").arg(inlineText(commandHeader), inlineText(keysHeader));
    for (const Shortcut& s : shortcuts)
        out += QStringLiteral("   * - %1\n     - ``%2``\n").arg(inlineText(s.command), s.keys);
    return out;
}

} // namespace zav::help
