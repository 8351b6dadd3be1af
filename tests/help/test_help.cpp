// The manual and the help in the program: the manual names every menu
// command in its language, F1 opens every window's page (the help window
// usable over a modal dialog, a transfer going on), search finds Chinese
// words inside longer text, every window has its page and picture, every
// transfer message its explanation, and the shortcut list every shortcut.

#include "help_fixture.h"
#include "window_names.h"

#include "help_system.h"
#include "help_window.h"
#include "manual_lists.h"
#include "shortcut_list.h"
#include "sim_process.h"
#include "text_search.h"
#include "transfer_message_ids.h"
#include "window_tour.h"

#include <QAction>
#include <QDirIterator>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTableWidget>

#include <set>

using namespace zav;
using namespace zav::test;
using zav::testing::SimProcess;

namespace {

constexpr int kWaitMs = 120000; ///< only keeps a broken build from hanging the test

QString languageCode(int language) { return language == kChinese ? QStringLiteral("zh") : QStringLiteral("en"); }

/// The words of every page of a language's built manual.
QString manualWords(const QString& language)
{
    QString words;
    QDirIterator pages(QStringLiteral(ZAV_MANUAL_BUILD_DIR) + QLatin1Char('/') + language + QStringLiteral("/html"),
                       {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
    while (pages.hasNext()) {
        QFile page(pages.next());
        if (page.open(QIODevice::ReadOnly))
            words += help::pageWords(QString::fromUtf8(page.readAll())) + QLatin1Char('\n');
    }
    return words;
}

/// Every command of the menu bar (not the Window menu's list of open windows).
void collectCommands(QMenu* menu, QStringList& captions)
{
    captions << ui::dialogTitle(menu->title());
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (action->menu())
            collectCommands(action->menu(), captions);
        else if (!action->objectName().isEmpty())
            captions << ui::dialogTitle(action->text());
    }
}

QString sourceFile(const QString& path) { return qEnvironmentVariable("ZAV_SOURCE_DIR") + QLatin1Char('/') + path; }

help::HelpWindow* waitForHelp(MainWindow& main)
{
    help::HelpWindow* window = main.help().helpWindow();
    return window && window->isVisible() ? window : nullptr;
}

bool search(help::HelpWindow& window, const QString& words)
{
    QSignalSpy finished(&window, &help::HelpWindow::searchFinished);
    window.search(words);
    return ShellFixture::runUntil([&] { return !finished.isEmpty(); }, kWaitMs);
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void manualNamesEveryMenuCommand_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << int(kEnglish);
        QTest::newRow("Chinese") << int(kChinese);
    }
    void manualNamesEveryMenuCommand()
    {
        QFETCH(int, language);
        HelpFixture f(language);
        MainWindow& main = f.open();
        QStringList captions;
        for (QAction* top : main.menuBar()->actions())
            if (top->menu())
                collectCommands(top->menu(), captions);
        QVERIFY(captions.size() > 50);
        const QString words = manualWords(languageCode(language));
        QVERIFY(!words.isEmpty());
        QStringList missing;
        for (const QString& caption : captions)
            if (!words.contains(caption))
                missing << caption;
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(" | "))));
    }

    void f1OpensThePageOfEveryWindow_data() { manualNamesEveryMenuCommand_data(); }
    void f1OpensThePageOfEveryWindow()
    {
        QFETCH(int, language);
        SimProcess sim({});
        QVERIFY(!sim.device().isEmpty());
        HelpFixture f(language);
        MainWindow& main = f.open(sim.device().toStdString());

        QStringList visited;
        QStringList wrong;
        const QStringList missed = help::tourWindows(main, f.prompter, true, [&](QWidget& window) {
            visited << window.objectName();
            QWidget* modal = QApplication::activeModalWidget();
            // The main window's own part (the tree): the focus may be in a child window.
            QWidget* target = &window == &main ? main.findChild<QWidget*>(QStringLiteral("TreeView1"))
                              : window.focusWidget()    ? window.focusWidget()
                                                        : &window;
            QTest::keyClick(target, Qt::Key_F1);
            help::HelpWindow* help = waitForHelp(main);
            const QString page = help ? help->currentPage() : QString();
            if (page != help::windowPage(window.objectName()))
                wrong << window.objectName() + QStringLiteral(" shows ") + page;
            // Over a modal dialog the help window still takes keys.
            if (help && modal && modal != help) {
                auto* box = help->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
                box->clear();
                box->setFocus();
                QTest::keyClick(help->windowHandle(), 'a');
                if (box->text() != QLatin1String("a"))
                    wrong << window.objectName() + QStringLiteral(": the help window is blocked");
            }
        });
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(' ')));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(" | "))));
        QStringList all;
        for (const help::TourStop& stop : help::windowTourStops())
            all << stop.objectName;
        QCOMPARE(visited, all);
        // F1 in the progress window let the read go on to its end.
        QVERIFY2(f.prompter.texts().contains(f.text(9009)), qPrintable(f.prompter.texts().join('|')));
    }

    void everyWindowOfTheProgramIsOnTheTour()
    {
        // The windows the architecture notes list, by object name.
        QFile notes(sourceFile(QStringLiteral("docs/architecture.md")));
        QVERIFY(notes.open(QIODevice::ReadOnly));
        static const QRegularExpression row(QStringLiteral("^\\| `(\\w+)` \\| `([\\w:]+)` \\|"),
                                            QRegularExpression::MultilineOption);
        QSet<QString> listed;
        for (auto it = row.globalMatch(QString::fromUtf8(notes.readAll())); it.hasNext();)
            listed << it.next().captured(1);
        QVERIFY(listed.size() > 20);
        QSet<QString> toured;
        for (const help::TourStop& stop : help::windowTourStops())
            toured << stop.objectName;
        QCOMPARE(listed, toured);
    }

    void everyWindowHasAPageAndAPictureInBothLanguages()
    {
        QStringList problems;
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("zh")}) {
            for (const help::TourStop& stop : help::windowTourStops()) {
                const QString name = stop.objectName;
                if (!QFile::exists(sourceFile(QStringLiteral("docs/manual/%1/windows/%2.rst").arg(language, name))))
                    problems << language + QStringLiteral(": no page for ") + name;
                const QImage picture(sourceFile(QStringLiteral("docs/manual/%1/images/%2.png").arg(language, name)));
                if (picture.isNull()) {
                    problems << language + QStringLiteral(": no picture of ") + name;
                    continue;
                }
                // A blank picture has one colour or a few (a frame on a plain fill).
                QSet<QRgb> colours;
                for (int y = 0; y < picture.height() && colours.size() < 16; y += 2)
                    for (int x = 0; x < picture.width() && colours.size() < 16; x += 2)
                        colours << picture.pixel(x, y);
                if (colours.size() < 16 || picture.width() < 100 || picture.height() < 50)
                    problems << language + QStringLiteral(": the picture of ") + name + QStringLiteral(" is blank");
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral(" | "))));
    }

    void searchFindsChineseWordsInsideLongerText()
    {
        HelpFixture f(kChinese);
        MainWindow& main = f.open();
        main.help().showManual();
        help::HelpWindow* window = waitForHelp(main);
        QVERIFY(window);
        QCOMPARE(window->currentPage(), QStringLiteral("index.html"));

        QVERIFY(search(*window, QStringLiteral("写频")));
        const QStringList found = window->resultPages();
        // Pages where it only stands inside longer words and sentences.
        for (const char* page : {"getting-started.html", "fleet.html", "windows/FrmFleet.html", "windows/FrmHelp.html"})
            QVERIFY2(found.contains(QString::fromLatin1(page)), qPrintable(found.join(' ')));
        QVERIFY(!found.contains(QStringLiteral("windows/FrmEmbMsg.html")));
        // Several words: pages that hold all of them.
        QVERIFY(search(*window, QStringLiteral("写频 校验")));
        QVERIFY(window->resultPages().contains(QStringLiteral("safety.html")));
        QVERIFY(!window->resultPages().contains(QStringLiteral("windows/FrmEmbMsg.html")));
        // Nothing found says so and lists no page.
        QVERIFY(search(*window, QStringLiteral("没有这个词")));
        QVERIFY(window->resultPages().isEmpty());
    }

    void searchFindsEnglishWordsThroughTheIndex()
    {
        HelpFixture f(kEnglish);
        MainWindow& main = f.open();
        main.help().showManual();
        help::HelpWindow* window = waitForHelp(main);
        QVERIFY(window);
        QVERIFY(search(*window, QStringLiteral("recovery")));
        QVERIFY2(window->resultPages().contains(QStringLiteral("safety.html")), qPrintable(window->resultPages().join(' ')));
        // A result opens its page.
        auto* results = window->findChild<QListWidget*>(QStringLiteral("lstResults"));
        const int row = static_cast<int>(window->resultPages().indexOf(QStringLiteral("safety.html")));
        emit results->itemActivated(results->item(row));
        QCOMPARE(window->currentPage(), QStringLiteral("safety.html"));
    }

    void everyTransferMessageIsExplained_data() { manualNamesEveryMenuCommand_data(); }
    void everyTransferMessageIsExplained()
    {
        QFETCH(int, language);
        const QString path = sourceFile(QStringLiteral("docs/manual/%1/messages.txt").arg(languageCode(language)));
        QString error;
        const auto entries = help::readMessageEntries(path, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const std::vector<int> missing = help::messagesWithoutEntry(entries);
        QVERIFY2(missing.empty(), qPrintable(missing.empty() ? QString() : QString::number(missing.front())));
        // Without one, the list names it (and the manual's build stops).
        auto fewer = entries;
        fewer.erase(9008);
        QCOMPARE(help::messagesWithoutEntry(fewer), std::vector<int>{9008});
        fewer = entries;
        fewer[33304].clear();
        QCOMPARE(help::messagesWithoutEntry(fewer), std::vector<int>{33304});
        // And the troubleshooting chapter holds every message as the program shows it.
        const QString words = manualWords(languageCode(language));
        HelpFixture f(language);
        for (int id : link::kTransferMessageIds) {
            const QString shown = f.text(id).simplified();
            const QString start = shown.left(shown.indexOf(QLatin1Char('%')) > 0 ? shown.indexOf(QLatin1Char('%')) : 30);
            QVERIFY2(words.contains(start), qPrintable(QString::number(id) + QLatin1Char(' ') + start));
        }
    }

    void keyboardShortcutsListsEveryShortcut()
    {
        HelpFixture f;
        MainWindow& main = f.open();
        main.help().showShortcuts();
        QWidget* dialog = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == zav::kShortcutsName && top->isVisible())
                dialog = top;
        QVERIFY(dialog);
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("grdShortcuts"));
        QVERIFY(table);
        QSet<QString> shown;
        for (int row = 0; row < table->rowCount(); ++row)
            shown << table->item(row, 0)->text() + QLatin1Char('=') + table->item(row, 1)->text();
        QSet<QString> expected;
        for (QAction* action : main.findChildren<QAction*>()) {
            if (action->shortcuts().isEmpty())
                continue;
            QStringList keys;
            for (const QKeySequence& key : action->shortcuts())
                keys << key.toString(QKeySequence::NativeText);
            expected << ui::dialogTitle(action->text()) + QLatin1Char('=') + keys.join(QStringLiteral(", "));
        }
        QCOMPARE(shown, expected);
        QVERIFY(shown.contains(QStringLiteral("Manual=F1")));
        QVERIFY(shown.contains(QStringLiteral("Radio Password=Ctrl+P")));
    }

    void aboutBoxNamesTheVersionAndOpensTheManual()
    {
        HelpFixture f;
        MainWindow& main = f.open();
        QString version;
        f.prompter.dialogs.push_back([&](QDialog& dialog) {
            version = dialog.findChild<QLabel*>(QStringLiteral("lblProgramVersion"))->text();
            emit dialog.findChild<QLabel*>(QStringLiteral("lblManual"))->linkActivated(QStringLiteral("manual"));
            return int(QDialog::Accepted);
        });
        main.showAbout();
        QVERIFY2(version.contains(QRegularExpression(QStringLiteral("\\d+\\.\\d+\\.\\d+"))), qPrintable(version));
        help::HelpWindow* window = waitForHelp(main);
        QVERIFY(window);
        QCOMPARE(window->currentPage(), QStringLiteral("index.html"));
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
