#include "text_search.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace zav::help {
namespace {

bool isSpacelessScript(QChar c)
{
    switch (c.script()) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Thai:
        return true;
    default:
        return false;
    }
}

constexpr int kSnippetBefore = 12; ///< characters shown before the place found
constexpr int kSnippetLength = 48;

} // namespace

bool needsTextSearch(const QString& query)
{
    for (QChar c : query)
        if (isSpacelessScript(c))
            return true;
    return false;
}

QString pageWords(const QString& html)
{
    static const QRegularExpression hidden(QStringLiteral("<(script|style|head)\\b.*?</\\1>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    QString body = html;
    body.remove(hidden);
    return QTextDocumentFragment::fromHtml(body).toPlainText().simplified();
}

QString pageTitle(const QString& html)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = title.match(html);
    if (!m.hasMatch())
        return {};
    QString text = QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().simplified();
    // Sphinx appends the manual's name after an em dash.
    if (const qsizetype dash = text.lastIndexOf(QStringLiteral(" \u2014 ")); dash > 0)
        text.truncate(dash);
    return text;
}

std::vector<PageHit> findInPages(const std::vector<PageText>& pages, const QString& query)
{
    const QStringList terms = query.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<PageHit> hits;
    if (terms.isEmpty())
        return hits;
    for (const PageText& page : pages) {
        qsizetype first = -1;
        bool all = true;
        for (const QString& term : terms) {
            const qsizetype at = page.text.indexOf(term, 0, Qt::CaseInsensitive);
            if (at < 0) {
                all = false;
                break;
            }
            if (first < 0)
                first = at;
        }
        if (!all)
            continue;
        const qsizetype from = std::max<qsizetype>(0, first - kSnippetBefore);
        hits.push_back({page.url, page.title, page.text.mid(from, kSnippetLength)});
    }
    return hits;
}

} // namespace zav::help
