#pragma once

// The manual in a window of its own: contents, index and search on the
// left, the page on the right. It is never modal and runs no event loop of
// its own, so reading the manual neither waits for nor holds up a transfer.

#include "text_search.h"

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <vector>

class QHelpEngine;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;

namespace zav::help {

/// The words the window shows (the caller looks them up in its language).
struct HelpWindowTexts {
    QString title, contents, index, search, lookFor, searchFor, noResults, back, forward, home;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    /// collection: a collection with the manual registered (prepareCollection).
    HelpWindow(const QString& collection, const HelpWindowTexts& texts, QWidget* parent = nullptr);
    ~HelpWindow() override;

    /// Shows a page of the manual by its path ("index.html",
    /// "windows/frmCommChInfo.html"); the start page when it has none.
    void showPage(const QString& page);
    /// The path of the page shown ("windows/frmCommChInfo.html").
    [[nodiscard]] QString currentPage() const;
    /// True when the manual has a page of that path.
    [[nodiscard]] bool hasPage(const QString& page) const;
    /// Searches the manual; the results show in the search tab.
    void search(const QString& query);
    /// Paths of the pages the last search found, in the order shown.
    [[nodiscard]] QStringList resultPages() const;
    /// True once the contents tab lists the chapters (made in the background).
    [[nodiscard]] bool contentsReady() const;
    /// True while a search (or the index it waits for) is not finished.
    [[nodiscard]] bool searching() const { return searchPending_; }

signals:
    /// A search has its results (none is a result too).
    void searchFinished();

private:
    void buildSearchTab(const HelpWindowTexts& texts);
    void openUrl(const QUrl& url);
    void runPendingSearch();
    void showHits(const std::vector<PageHit>& hits);
    [[nodiscard]] QUrl pageUrl(const QString& page) const;
    [[nodiscard]] const std::vector<PageText>& pages();

    QHelpEngine* engine_ = nullptr;
    QString namespace_;
    QTabWidget* tabs_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QListWidget* results_ = nullptr;
    QString noResults_;
    QString pendingQuery_;
    bool searchPending_ = false;
    bool indexing_ = false;
    bool indexReady_ = false;
    std::vector<PageText> pages_; ///< loaded for the first search that needs them
};

} // namespace zav::help
