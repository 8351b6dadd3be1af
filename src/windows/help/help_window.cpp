#include "help_window.h"
#include "window_names.h"

#include <QAction>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchResult>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QVBoxLayout>

namespace zav::help {
namespace {

// Sphinx's Qt help builder puts every page below this virtual folder.
constexpr const char* kVirtualFolder = "doc";
constexpr int kUrlRole = Qt::UserRole;

/// The manual's index page lists every keyword: it would match every search.
bool isIndexPage(const QUrl& url) { return url.path().endsWith(QLatin1String("/genindex.html")); }

/// A page browser that reads the pages and their pictures from the help file.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (name.scheme() == QLatin1String("qthelp"))
            return engine_->fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine* engine_;
};

} // namespace

HelpWindow::HelpWindow(const QString& collection, const HelpWindowTexts& texts, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(kHelpWindowName);
    setWindowTitle(texts.title);
    setAttribute(Qt::WA_DeleteOnClose, false);

    engine_ = new QHelpEngine(collection, this);
    engine_->setReadOnly(false);
    // The full-text index is brought up to date in the background once the
    // engine is set up (built the first time and after the manual changed);
    // a search asked before waits for it. Its signals are connected first,
    // so that the one run it makes is seen.
    QHelpSearchEngine* searchEngine = engine_->searchEngine();
    connect(searchEngine, &QHelpSearchEngine::indexingStarted, this, [this] { indexing_ = true; });
    connect(searchEngine, &QHelpSearchEngine::indexingFinished, this, [this] {
        indexing_ = false;
        indexReady_ = true;
        runPendingSearch();
    });
    connect(searchEngine, &QHelpSearchEngine::searchingFinished, this, [this, searchEngine](int count) {
        std::vector<PageHit> hits;
        for (const QHelpSearchResult& result : searchEngine->searchResults(0, count)) {
            if (isIndexPage(result.url()))
                continue;
            // Qt marks the words found in its snippet with HTML.
            hits.push_back({result.url(), result.title(), QTextDocumentFragment::fromHtml(result.snippet()).toPlainText()});
        }
        showHits(hits);
    });
    engine_->setupData();
    const QStringList names = engine_->registeredDocumentations();
    namespace_ = names.value(0);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabHelp"));
    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setObjectName(QStringLiteral("treeContents"));
    tabs_->addTab(contents, texts.contents);

    auto* indexPage = new QWidget(tabs_);
    indexFilter_ = new QLineEdit(indexPage);
    indexFilter_->setObjectName(QStringLiteral("txtIndexFilter"));
    QHelpIndexWidget* index = engine_->indexWidget();
    index->setObjectName(QStringLiteral("lstIndex"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(new QLabel(texts.lookFor, indexPage));
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index, 1);
    tabs_->addTab(indexPage, texts.index);
    buildSearchTab(texts);

    browser_ = new HelpBrowser(engine_, this);
    browser_->setObjectName(QStringLiteral("txtPage"));
    browser_->setOpenLinks(false);

    auto* bar = new QToolBar(this);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), texts.back);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), texts.forward);
    QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), texts.home);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { showPage(QStringLiteral("index.html")); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(splitter, 1);
    resize(960, 680);

    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        openUrl(browser_->source().resolved(link));
    });
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::openUrl);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& document, const QString&) { openUrl(document.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& documents, const QString&) {
        if (!documents.isEmpty())
            openUrl(documents.first().url);
    });
    connect(indexFilter_, &QLineEdit::textChanged, index, [index](const QString& text) { index->filterIndices(text); });
    connect(indexFilter_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
}

HelpWindow::~HelpWindow()
{
    engine_->searchEngine()->cancelIndexing();
    engine_->searchEngine()->cancelSearching();
}

void HelpWindow::buildSearchTab(const HelpWindowTexts& texts)
{
    auto* page = new QWidget(tabs_);
    searchBox_ = new QLineEdit(page);
    searchBox_->setObjectName(QStringLiteral("txtSearch"));
    results_ = new QListWidget(page);
    results_->setObjectName(QStringLiteral("lstResults"));
    results_->setWordWrap(true);
    results_->setAlternatingRowColors(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(texts.searchFor, page));
    layout->addWidget(searchBox_);
    layout->addWidget(results_, 1);
    tabs_->addTab(page, texts.search);
    noResults_ = texts.noResults;

    connect(searchBox_, &QLineEdit::returnPressed, this, [this] { search(searchBox_->text()); });
    connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QUrl url = item->data(kUrlRole).toUrl();
        if (url.isValid())
            openUrl(url);
    });
    connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const QUrl url = item->data(kUrlRole).toUrl();
        if (url.isValid())
            openUrl(url);
    });
}

QUrl HelpWindow::pageUrl(const QString& page) const
{
    return QUrl(QStringLiteral("qthelp://%1/%2/%3").arg(namespace_, QString::fromLatin1(kVirtualFolder), page));
}

bool HelpWindow::contentsReady() const
{
    QHelpContentModel* model = engine_->contentModel();
    return !model->isCreatingContents() && model->rowCount() > 0;
}

bool HelpWindow::hasPage(const QString& page) const { return !engine_->fileData(pageUrl(page)).isEmpty(); }

void HelpWindow::showPage(const QString& page)
{
    openUrl(pageUrl(hasPage(page) ? page : QStringLiteral("index.html")));
}

QString HelpWindow::currentPage() const
{
    const QString prefix = QStringLiteral("/%1/").arg(QString::fromLatin1(kVirtualFolder));
    QString path = browser_->source().path();
    if (path.startsWith(prefix))
        path.remove(0, prefix.size());
    return path;
}

void HelpWindow::openUrl(const QUrl& url)
{
    if (url.scheme() != QLatin1String("qthelp")) {
        QDesktopServices::openUrl(url);
        return;
    }
    browser_->setSource(url);
    if (QHelpContentWidget* contents = engine_->contentWidget(); contents->isVisible()) {
        const QModelIndex at = contents->indexOf(url);
        if (at.isValid())
            contents->setCurrentIndex(at);
    }
}

void HelpWindow::search(const QString& query)
{
    tabs_->setCurrentIndex(2);
    if (searchBox_->text() != query)
        searchBox_->setText(query);
    pendingQuery_ = query.simplified();
    searchPending_ = true;
    runPendingSearch();
}

void HelpWindow::runPendingSearch()
{
    if (!searchPending_)
        return;
    if (pendingQuery_.isEmpty()) {
        showHits({});
        return;
    }
    if (needsTextSearch(pendingQuery_)) {
        showHits(findInPages(pages(), pendingQuery_));
        return;
    }
    if (indexing_ || !indexReady_)
        return; // indexingFinished runs it
    engine_->searchEngine()->search(pendingQuery_);
}

void HelpWindow::showHits(const std::vector<PageHit>& hits)
{
    results_->clear();
    for (const PageHit& hit : hits) {
        auto* item = new QListWidgetItem(hit.title + QStringLiteral("\n    ") + hit.snippet.simplified(), results_);
        item->setData(kUrlRole, hit.url);
        item->setToolTip(hit.snippet);
    }
    if (hits.empty())
        new QListWidgetItem(noResults_.arg(pendingQuery_), results_);
    searchPending_ = false;
    emit searchFinished();
}

QStringList HelpWindow::resultPages() const
{
    QStringList pages;
    const QString prefix = QStringLiteral("/%1/").arg(QString::fromLatin1(kVirtualFolder));
    for (int row = 0; row < results_->count(); ++row) {
        QString path = results_->item(row)->data(kUrlRole).toUrl().path();
        if (path.isEmpty())
            continue;
        if (path.startsWith(prefix))
            path.remove(0, prefix.size());
        pages << path;
    }
    return pages;
}

const std::vector<PageText>& HelpWindow::pages()
{
    if (pages_.empty()) {
        for (const QUrl& url : engine_->files(namespace_, QString(), QStringLiteral("html"))) {
            if (isIndexPage(url))
                continue;
            const QString html = QString::fromUtf8(engine_->fileData(url));
            pages_.push_back({url, pageTitle(html), pageWords(html)});
        }
    }
    return pages_;
}

} // namespace zav::help
