#pragma once

// The channel windows as the program runs them: a session with the English
// texts, an MDI area, scripted prompts, and helpers that act on the grid
// the way a user does (mouse on a cell, keys into the editor shown).

#include "app_context.h"
#include "window_names.h"
#include "channel_fixture.h"
#include "channel_grid_model.h"
#include "channel_detail_editor.h"
#include "channel_table_window.h"
#include "prompts.h"
#include "session.h"
#include "window_registry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QTableView>
#include <QTest>

namespace zav::test {

struct ChannelWindows {
    Session session;
    ui::ScriptedPrompter prompter;
    ui::ScopedPrompter scope{prompter};
    QMdiArea area;
    ui::AppContext ctx{session, &area, nullptr};

    ChannelWindows()
    {
        session.texts.setFile(qEnvironmentVariable("ZAV_SOURCE_DIR").toStdString() + "/data/language/english.ini");
        area.resize(1200, 900);
        area.show();
    }
    ~ChannelWindows() { ui::closeAllWindows(&area); }

    Document& doc() { return session.doc; }
    RadioImage& image() { return session.doc.image(); }

    /// Opens the channel table on group `group`.
    channels::ChannelTableWindow* openTable(int group)
    {
        image().OptFeat.Common1[common1::CurrentGroup] = Int16(group);
        doc().copyWorkingToSaved();
        QWidget* w = ui::showEditor(&area, zav::kChannelTableName,
                                    [this] { return new channels::ChannelTableWindow(ctx); });
        return qobject_cast<channels::ChannelTableWindow*>(w);
    }

    channels::ChannelDetailEditor* detail() const
    {
        return qobject_cast<channels::ChannelDetailEditor*>(ui::findWindow(const_cast<QMdiArea*>(&area), zav::kDetailEditorName));
    }
};

inline QPoint CellCentre(channels::ChannelTableWindow* table, int row, int column)
{
    const QModelIndex index = table->gridModel()->index(row - 1, column);
    table->grid()->scrollTo(index);
    return table->grid()->visualRect(index).center();
}

/// A mouse click on a grid cell.
inline void ClickCell(channels::ChannelTableWindow* table, int row, int column)
{
    QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, CellCentre(table, row, column));
}

/// A double click as the window system delivers it: a click, then the
/// double-click event.
inline void DoubleClickCell(channels::ChannelTableWindow* table, int row, int column)
{
    ClickCell(table, row, column);
    QTest::mouseDClick(table->grid()->viewport(), Qt::LeftButton, {}, CellCentre(table, row, column));
}

inline QLineEdit* FrequencyEditor(channels::ChannelTableWindow* table) { return table->findChild<QLineEdit*>("Text1"); }
inline QComboBox* ToneList(channels::ChannelTableWindow* table) { return table->findChild<QComboBox*>("Combo1"); }

/// Replaces the frequency editor's text by typing, then presses Enter.
inline void TypeFrequency(channels::ChannelTableWindow* table, const QString& text)
{
    QLineEdit* editor = FrequencyEditor(table);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

/// Chooses entry `index` of a list as a user does: the entry before it is
/// shown, then one Down key chooses it (index 0: Home).
inline void ChooseEntry(QComboBox* list, int index)
{
    if (index == 0) {
        list->setCurrentIndex(1);
        QTest::keyClick(list, Qt::Key_Home);
        return;
    }
    list->setCurrentIndex(index - 1);
    QTest::keyClick(list, Qt::Key_Down);
}

} // namespace zav::test
