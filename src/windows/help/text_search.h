#pragma once

// Qt Help's full-text index splits text into words at spaces and
// punctuation, which Chinese does not have: a sentence becomes one long
// "word", and a search for a term inside it (写频 in 选择写频端口) finds
// nothing. The help window therefore looks for the text itself in every
// page when the search holds Chinese, Japanese or Korean characters.

#include <QString>
#include <QUrl>

#include <vector>

namespace zav::help {

struct PageText {
    QUrl url;
    QString title;
    QString text; ///< the page's words without markup
};

struct PageHit {
    QUrl url;
    QString title;
    QString snippet; ///< the words around the first place found
};

/// True when the text holds a character of a script written without spaces.
[[nodiscard]] bool needsTextSearch(const QString& query);
/// The words of an HTML page: tags, scripts and styles dropped, entities
/// decoded, white space folded.
[[nodiscard]] QString pageWords(const QString& html);
/// The title of an HTML page (its <title>, without Sphinx's " — manual" tail).
[[nodiscard]] QString pageTitle(const QString& html);
/// Pages holding every space-separated term of query (case ignored), in
/// the order given.
[[nodiscard]] std::vector<PageHit> findInPages(const std::vector<PageText>& pages, const QString& query);

} // namespace zav::help
