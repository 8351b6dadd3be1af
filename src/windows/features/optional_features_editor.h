#pragma once

// The optional-features editor: radio-wide settings and the common data
// that applies to every channel while it is switched on. Every change goes
// straight into OptFeat of the working image.

#include "editor_window.h"

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace zav::ui {
struct AppContext;
}

namespace zav::features {

class OptionalFeaturesEditor : public ui::EditorWindow {
    Q_OBJECT
public:
    /// Control ids of storeControl: list n is n, check box n is 100 + n.
    static constexpr int kPowerOnTextId = 140;
    static constexpr int kPowerOnBoxes = 16;
    static constexpr int kFirstShownPowerOnBox = 8;

    explicit OptionalFeaturesEditor(ui::AppContext& ctx, QWidget* parent = nullptr);

    /// Reads the control with that id and stores it into its field.
    void storeControl(int id);
    /// Rebuilds the roger-beep list (35) from the defined tone tips and
    /// shows rogerBeep in it (a tone tip no longer defined becomes 0).
    void refreshRogerBeepList();
    /// Enables or disables the common-data group and every control in it.
    void enableCommonData(bool enabled);

    void refreshCodeLists() override;
    void refreshRogerBeep() override { refreshRogerBeepList(); }

    /// The list with that id (nullptr for the lists not shown).
    [[nodiscard]] QComboBox* list(int id) const;
    /// Check box n (7..12; nullptr for those not shown).
    [[nodiscard]] QCheckBox* checkBox(int n) const;
    /// Power-on text box 0..15 (0..7 are hidden): one for each of the text's
    /// 16 GBK bytes. A double-byte character shows in its first shown box;
    /// the other box it covers is switched off.
    [[nodiscard]] QLineEdit* powerOnBox(int i) const { return powerOnBoxes_[static_cast<std::size_t>(i)]; }

private:
    void buildControls();
    void fillLists();
    void showRecord();
    QComboBox* addList(int id);
    QCheckBox* addCheckBox(int n, int captionId);
    void listChanged(int id);
    void checkBoxChanged(int n);
    void powerOnEdited(int box);
    /// Shows powerOnShown_ in the power-on text boxes.
    void showPowerOnText();
    void applyDecodeRule();
    void rebuildCodeList(int id);
    /// Shows a value during loading and stores the list back.
    void showAndStore(int id, int entry);

    ui::AppContext& ctx_;
    std::array<QComboBox*, 41> lists_{};
    std::array<QCheckBox*, 13> checkBoxes_{};
    std::array<QLineEdit*, kPowerOnBoxes> powerOnBoxes_{};
    QGroupBox* commonGroup_ = nullptr;
    /// The 16 bytes of the power-on text the boxes show.
    std::string powerOnShown_;
    bool filling_ = false; ///< true while the window sets its own controls
};

} // namespace zav::features
