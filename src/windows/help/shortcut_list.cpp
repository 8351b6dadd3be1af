#include "shortcut_list.h"

#include "prompts.h"
#include "window_names.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace zav::help {
namespace {

void addShortcut(QAction* action, std::vector<Shortcut>& list, std::set<QAction*>& seen)
{
    if (!action || action->isSeparator() || !seen.insert(action).second || action->shortcuts().isEmpty())
        return;
    QStringList keys;
    for (const QKeySequence& key : action->shortcuts())
        keys << key.toString(QKeySequence::NativeText);
    list.push_back({ui::dialogTitle(action->text()), keys.join(QStringLiteral(", "))});
}

void walkMenu(QMenu* menu, std::vector<Shortcut>& list, std::set<QAction*>& seen)
{
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu())
            walkMenu(sub, list, seen);
        else
            addShortcut(action, list, seen);
    }
}

} // namespace

std::vector<Shortcut> collectShortcuts(QWidget* root, QMenuBar* menus)
{
    std::vector<Shortcut> list;
    std::set<QAction*> seen;
    if (menus)
        for (QAction* top : menus->actions())
            if (QMenu* menu = top->menu())
                walkMenu(menu, list, seen);
    for (QAction* action : root->findChildren<QAction*>())
        addShortcut(action, list, seen);
    return list;
}

ShortcutsDialog::ShortcutsDialog(const std::vector<Shortcut>& shortcuts, const QString& title,
                                 const QString& commandHeader, const QString& keysHeader, const QString& closeText,
                                 QWidget* parent)
    : QDialog(parent)
{
    setObjectName(kShortcutsName);
    setWindowTitle(title);
    auto* table = new QTableWidget(static_cast<int>(shortcuts.size()), 2, this);
    table->setObjectName(QStringLiteral("grdShortcuts"));
    table->setHorizontalHeaderLabels({commandHeader, keysHeader});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    for (int row = 0; row < static_cast<int>(shortcuts.size()); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(shortcuts[static_cast<std::size_t>(row)].command));
        table->setItem(row, 1, new QTableWidgetItem(shortcuts[static_cast<std::size_t>(row)].keys));
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(closeText, QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table, 1);
    layout->addWidget(buttons);
    resize(460, 420);
}

} // namespace zav::help
