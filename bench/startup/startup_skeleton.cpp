// The fair yardstick of the start-up benchmark: a plain Qt Widgets program
// that builds the same window skeleton as zavprog's main window, and quits
// as soon as it is shown. A main window with a menu bar of eight menus, a
// tool bar with nine icons, a tree beside a child-window area in a splitter,
// one child window holding a 12-row table, and a status bar. What zavprog costs
// beyond this is its own work (texts, data files, settings, its widgets'
// set-up), not Qt's.

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace {

constexpr int kMenus = 8;
constexpr int kItemsPerMenu = 8;
constexpr int kStripIcons = 7;
constexpr int kTreeItems = 6;
constexpr int kRows = 12;
constexpr int kColumns = 11;

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;

    for (int m = 0; m < kMenus; ++m) {
        QMenu* menu = window.menuBar()->addMenu(QStringLiteral("Menu %1").arg(m + 1));
        for (int i = 0; i < kItemsPerMenu; ++i)
            menu->addAction(QStringLiteral("Command %1.%2").arg(m + 1).arg(i + 1));
    }

    // Tool bar icons as zavprog has them: seven cut from one picture strip,
    // then Qt's two standard arrows (undo and redo).
    QToolBar* toolBar = window.addToolBar(QStringLiteral("Tools"));
    toolBar->setIconSize(QSize(24, 24));
    QImage strip(24 * kStripIcons, 24, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    {
        QPainter painter(&strip);
        for (int i = 0; i < kStripIcons; ++i)
            painter.fillRect(i * 24 + 3, 3, 18, 18, QColor::fromHsv(i * 50, 160, 200));
    }
    const QPixmap pixmaps = QPixmap::fromImage(strip);
    for (int i = 0; i < kStripIcons; ++i) {
        if (i == 3 || i == 6)
            toolBar->addSeparator();
        toolBar->addAction(QIcon(pixmaps.copy(i * 24, 0, 24, 24)), QStringLiteral("Tool %1").arg(i + 1));
    }
    toolBar->addAction(window.style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Undo"));
    toolBar->addAction(window.style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Redo"));

    auto* tree = new QTreeWidget;
    tree->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(tree, {QStringLiteral("Radio")});
    for (int i = 0; i < kTreeItems; ++i)
        new QTreeWidgetItem(root, {QStringLiteral("Item %1").arg(i + 1)});
    tree->expandAll();

    auto* area = new QMdiArea;
    auto* table = new QTableWidget(kRows, kColumns);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            table->setItem(r, c, new QTableWidgetItem(QStringLiteral("%1.%2").arg(r + 1).arg(c + 1)));
    table->horizontalHeader()->setStretchLastSection(true);
    QMdiSubWindow* child = area->addSubWindow(table);
    child->setWindowTitle(QStringLiteral("Channels"));
    child->showMaximized();

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(tree);
    splitter->addWidget(area);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 800});
    window.setCentralWidget(splitter);
    window.statusBar()->showMessage(QStringLiteral("Ready"));

    window.resize(833, 633);
    window.show();
    // exit() as zavprog --quit-when-shown does: quit() would close the
    // window before it is ever painted.
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
