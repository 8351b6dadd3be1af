#pragma once

// The optional-features editor: radio-wide settings and the common data
// that applies to every channel while it is switched on. Every change goes
// straight into OptFeat of the working image.

#include "editor_window.h"
#include "radio_image.h"

#include <array>
#include <map>
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
    static constexpr int kPowerOnBoxes = 16;
    static constexpr int kFirstShownPowerOnBox = 8;

    explicit OptionalFeaturesEditor(ui::AppContext& ctx, QWidget* parent = nullptr);

    /// Reads the control of a feature and stores it into its field.
    void storeFeature(OptionalFeature feature);
    /// Reads the power-on text boxes and stores the text.
    void storePowerOnText();
    /// Rebuilds the roger-beep list from the defined tone tips and shows
    /// rogerBeep in it (a tone tip no longer defined becomes 0).
    void refreshRogerBeepList();
    /// Enables or disables the common-data group and every control in it.
    void enableCommonData(bool enabled);

    void refreshCodeLists() override;
    void refreshRogerBeep() override { refreshRogerBeepList(); }

    /// The list of a feature (nullptr for features without a list shown).
    [[nodiscard]] QComboBox* list(OptionalFeature feature) const;
    /// The check box of a feature (nullptr for features without a box shown).
    [[nodiscard]] QCheckBox* checkBox(OptionalFeature feature) const;
    /// Power-on text box 0..15 (0..7 are hidden): one for each of the text's
    /// 16 GBK bytes. A double-byte character shows in its first shown box;
    /// the other box it covers is switched off.
    [[nodiscard]] QLineEdit* powerOnBox(int i) const { return powerOnBoxes_[static_cast<std::size_t>(i)]; }

private:
    void buildControls();
    void fillLists();
    void showRecord();
    QComboBox* addList(OptionalFeature feature);
    QCheckBox* addCheckBox(OptionalFeature feature);
    void listChanged(OptionalFeature feature);
    void checkBoxChanged(OptionalFeature feature);
    void powerOnEdited(int box);
    /// Shows powerOnShown_ in the power-on text boxes.
    void showPowerOnText();
    void applyDecodeRule();
    void rebuildCodeList(OptionalFeature feature);
    /// Shows a value during loading and stores the list back.
    void showAndStore(OptionalFeature feature, int entry);

    ui::AppContext& ctx_;
    std::map<OptionalFeature, QComboBox*> lists_;      ///< the lists shown
    std::map<OptionalFeature, QCheckBox*> checkBoxes_; ///< the check boxes shown
    std::array<QLineEdit*, kPowerOnBoxes> powerOnBoxes_{};
    QGroupBox* commonGroup_ = nullptr;
    /// The 16 bytes of the power-on text the boxes show.
    std::string powerOnShown_;
    bool filling_ = false; ///< true while the window sets its own controls
};

} // namespace zav::features
