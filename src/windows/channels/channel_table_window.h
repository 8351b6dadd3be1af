#pragma once

// The channel table: one channel group of the active channel mode as a
// grid, one row per channel slot, with in-place editors over the current
// cell, and below the grid the group's name, its two emergency channels and
// their AM/FM setting. Every channel edit goes through writeChannelCell.

#include "app_context.h"
#include "channel_windows.h"
#include "editor_window.h"
#include "radio_image.h"

#include <QTimer>

#include <array>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace zav::channels {

class ChannelGridModel;

class ChannelTableWindow : public ui::EditorWindow {
    Q_OBJECT
public:
    explicit ChannelTableWindow(ui::AppContext& ctx, QWidget* parent = nullptr);
    ~ChannelTableWindow() override;

    // --- operations other windows call --------------------------------------

    /// Redraws every row of the shown group from the records.
    void refreshRows();
    /// Redraws the row that shows channel `number` (blank when it is empty).
    void refreshChannel(int number);
    /// Hides every in-place editor.
    void hideEditors();
    /// Shows the group the edit state names (editGroup).
    void showEditGroup();
    /// Applies the AM/FM rules of the emergency channels of `group` in
    /// `channelMode` and shows the stored AM/FM values.
    void updateAmFmLists(int group, int channelMode);
    /// Refills the emergency lists of the shown group and shows the stored
    /// emergency channels and AM/FM values.
    void refreshEmergencyLists();
    /// True when the current row holds a receive frequency; otherwise moves
    /// the current cell to its receive frequency and returns false.
    bool requireReceiveFrequency();
    /// Starts in-place editing of the current cell.
    void openCellEditor();
    /// Keyboard walk: next row (wrapping), next visible column.
    void moveToNextRow();
    void moveToNextColumn();
    /// Refills the group list for the current channel mode.
    void refillGroupList();
    /// Commits the value of the in-place editor (before a read or write).
    void commitPendingEdit() override;
    /// Shows the document again after an undo or redo, on the same cell.
    bool reloadDocument() override;

    // --- state, for the detail editor and tests -------------------------------

    [[nodiscard]] QTableView* grid() const { return grid_; }
    [[nodiscard]] ChannelGridModel* gridModel() const { return model_; }
    /// Display text of grid cell (row 1..slots, column 0..10).
    [[nodiscard]] QString cellText(int row, int column) const;
    /// Channel numbers of the selected rows that hold a channel, ascending
    /// (the current row when nothing is selected).
    [[nodiscard]] std::vector<int> selectedChannelNumbers() const;
    /// Channel numbers of every selected row, empty slots included,
    /// ascending (the current row when nothing is selected).
    [[nodiscard]] std::vector<int> selectedSlotNumbers() const;
    /// Shows group and makes its row current and selected (Find).
    void showChannel(int group, int row, int column = 0);
    /// Selects rows first..last of the shown group, the current cell on
    /// first in column (as Shift with the arrow keys does).
    void selectRows(int first, int last, int column);
    /// Number of channel rows shown.
    [[nodiscard]] int slotRows() const;
    /// The current cell (grid row 1.., column 0..10).
    [[nodiscard]] int currentRow() const;
    [[nodiscard]] int currentColumn() const;
    /// Makes a cell current, as the keyboard does (a cell entry follows).
    void setCurrentCell(int row, int column);
    /// Selects the rows first..last (1..slots) and brings them into view,
    /// the cell of the current column in row first current (after a paste).
    void selectRows(int first, int last);
    /// Group shown by the grid.
    [[nodiscard]] int shownGroup() const { return shownGroup_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Cell = std::pair<int, int>; ///< (column, row)

    void buildControls();
    void setUpColumns();
    /// Texts, headers and list entries of the current language.
    void retranslate();
    /// Shows the group stored as the current one.
    void showStoredGroup();
    void numberRows();
    /// Shows the group selected in the group list.
    void showSelectedGroup();
    void fillRow(int row, const ChannelRecord& record);
    /// The current cell was entered (keyboard, mouse, scrolling).
    void enterCurrentCell();
    /// Puts the text of the edited cell into its editor.
    void loadEditorText();
    /// Writes the value of the editor of the edited cell.
    void commitCellEdit();
    void flushTextEditors();
    /// The open frequency editor takes the stored form of its cell.
    void showStoredFrequency();
    void writeCell(int column, const QString& text);
    void writeCell(int column, int index);

    void frequencyEnter();
    void nameEnter();
    void listEnter(int column);
    void listClicked(int column);
    /// Enter in an editor: an empty frequency moves down, else to the next column.
    void navigateAfterEnter(bool frequencyTypedEmpty);
    void emergencyChosen(int s);
    void amFmChosen(int s);
    void groupNameEdited(const QString& text);
    void userScrolled();
    void gridPressed();
    void gridClicked();
    void gridDoubleClicked();
    void openDetailEditor();
    void closeWindow();

    void updateCaption(int textId);
    void placeEditor(QWidget* editor, int row, int column);
    [[nodiscard]] QComboBox* listForColumn(int column) const;
    [[nodiscard]] QString listEntryText(int column, int index) const;
    [[nodiscard]] int topRow() const;
    [[nodiscard]] bool extendedMode() const;
    [[nodiscard]] bool isVfoGroupSelected() const;
    [[nodiscard]] int selectedGroup() const;
    [[nodiscard]] ChannelEditState& edit() const { return *edit_; }
    [[nodiscard]] RadioImage& image() const { return ctx_.session.doc.image(); }
    /// Shows the not-numeric message once for the frequencies found while drawing.
    void reportNotNumericFound();

    ui::AppContext& ctx_;
    std::shared_ptr<ChannelEditState> edit_ = sharedEditState(ctx_);
    ChannelGridModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QLineEdit* frequencyEditor_ = nullptr; ///< in-place editor of columns 1 and 2
    QLineEdit* nameEditor_ = nullptr;      ///< in-place editor of column 3
    QComboBox* toneEditor_ = nullptr;      ///< in-place tone list of columns 4 and 5
    std::array<QComboBox*, 4> optionLists_{}; ///< lists of columns 6..9
    QLabel* groupCaption_ = nullptr;
    QComboBox* groupList_ = nullptr;
    QLabel* nameCaption_ = nullptr;
    QLineEdit* groupName_ = nullptr;
    std::array<QLabel*, 2> emergencyCaptions_{};
    std::array<QComboBox*, 2> emergencyLists_{};
    std::array<QLabel*, 2> amFmCaptions_{};
    std::array<QComboBox*, 2> amFmLists_{};
    QPushButton* editButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QTimer doubleClickGuard_;
    QTimer scrollGuard_;

    QStringList toneTexts_;        ///< tone list entries, for drawing cells
    std::array<QStringList, 4> optionTexts_; ///< entries of columns 6..9
    QString groupCaptionText_;     ///< text 14012 of the current language
    int shownGroup_ = 0;
    Cell previousEditCell_{1, 1};
    int lastTopRow_ = 1;
    bool initialising_ = false;
    bool loaded_ = false;
    bool listCommitEnabled_ = false;
    bool refreshingGroupLists_ = false;
    bool frequencyEdited_ = false; ///< the frequency editor holds a typed, unwritten value
    bool nameEdited_ = false;
    bool firstActivation_ = true;
    bool entryRanSincePress_ = false;
    bool unloaded_ = false;
    int notNumericSeen_ = 0;       ///< stored frequencies that are not numbers, found while drawing
};

} // namespace zav::channels

namespace zav {
using channels::ChannelTableWindow;
}
