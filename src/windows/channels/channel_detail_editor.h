#pragma once

// The channel detail editor: every per-channel setting of one channel slot
// that the channel table has no visible column for. It follows the table's
// current slot and can choose its own; every change is written through
// writeChannelCell, which makes the editor show the stored result again.

#include "app_context.h"
#include "channel_windows.h"
#include "editor_window.h"
#include "radio_image.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zav::channels {

class ChannelDetailEditor : public ui::EditorWindow {
    Q_OBJECT
public:
    /// The lists of the editor, by the field they store.
    enum ListId { DecodeTone, EncodeTone, BusyLockout, BotCode, EotCode, RogerBeep, CallCode, RepeaterShift, TsqMode, ListCount };
    /// The check boxes, by the field they store.
    enum CheckId { ScanSkip, Expander, Compressor, NoiseBlanker, Attenuator, HighCut, CheckCount };

    explicit ChannelDetailEditor(ui::AppContext& ctx, QWidget* parent = nullptr);
    ~ChannelDetailEditor() override;

    /// Shows the table's current slot (editGroup, editRow).
    void followTableSlot();
    /// Rebuilds the roger-beep list from the defined tone tips.
    void refillRogerBeep();
    /// The receive frequency can be typed in extended mode only.
    void updateFrequencyBox();
    /// Channel list "1" .. groupSize(group).
    void fillChannelList(int group);
    /// Rebuilds the busy-lockout list when the shown slot holds channel number.
    void refreshBusyLockout(int number);
    /// Refills the group list for the current channel mode.
    void refillGroupList();

    /// Writes a receive frequency still being typed.
    void commitPendingEdit() override;
    /// Code memories changed: the BOT, EOT and call lists are rebuilt.
    void refreshCodeLists() override;
    /// Tone tips changed: the roger-beep list is rebuilt.
    void refreshRogerBeep() override { refillRogerBeep(); }
    /// Shows the slot of the edit state again after an undo or redo.
    bool reloadDocument() override;

    // --- for tests ---------------------------------------------------------------
    [[nodiscard]] QComboBox* list(ListId id) const { return lists_[id]; }
    [[nodiscard]] QCheckBox* check(CheckId id) const { return checks_[id]; }
    [[nodiscard]] QComboBox* groupList() const { return groupList_; }
    [[nodiscard]] QComboBox* channelList() const { return channelList_; }
    [[nodiscard]] QLineEdit* frequencyBox() const { return frequencyBox_; }
    /// Index of the shown record in the active table, -1 for an empty slot.
    [[nodiscard]] int shownRecord() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class SlotSource { Table, OwnLists };

    /// Shows the slot chosen in the editor's own lists; a new group there
    /// switches the table too.
    void showChosenSlot();
    void showSlot(SlotSource source);
    void buildControls();
    void retranslate();
    void showRecord(ChannelRecord& record);
    void showEmptySlot();
    void showBusyLockout(ChannelRecord& record);
    void fillCodeList(QComboBox* list, int stored);
    void listChosen(ListId id);
    void checkClicked(CheckId id);
    void slotChosen();
    void writeFrequency();
    void write(int fieldId, int value);
    void closeWindow();

    [[nodiscard]] int slotGroup() const;
    [[nodiscard]] int slotRow() const;
    [[nodiscard]] ChannelRecord* slotRecord() const;
    [[nodiscard]] bool extendedMode() const;
    [[nodiscard]] ChannelEditState& edit() const { return *edit_; }

    ui::AppContext& ctx_;
    std::shared_ptr<ChannelEditState> edit_ = sharedEditState(ctx_);
    QComboBox* groupList_ = nullptr;
    QComboBox* channelList_ = nullptr;
    QLineEdit* frequencyBox_ = nullptr;
    QLabel* groupCaption_ = nullptr;
    QLabel* channelCaption_ = nullptr;
    QLabel* frequencyCaption_ = nullptr;
    std::array<QComboBox*, ListCount> lists_{};
    std::array<QLabel*, ListCount> listCaptions_{};
    std::array<QCheckBox*, CheckCount> checks_{};
    QPushButton* closeButton_ = nullptr;

    QStringList toneTexts_;
    QStringList busyTexts_;   ///< the full busy-lockout list: positions 0..3
    /// True while user changes are written; false while the editor sets its
    /// own controls.
    bool storesUserChanges_ = true;
    bool slotBlank_ = true;   ///< the lists show the empty-slot state
    bool frequencyDirty_ = false;
    bool unloaded_ = false;
    int shownGroup_ = -1;     ///< slot shown last
    int shownRow_ = -1;
};

} // namespace zav::channels

namespace zav {
using channels::ChannelDetailEditor;
}
