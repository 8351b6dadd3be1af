#pragma once

// The tone-tips editor: eight melodies of up to 14 notes, one per tab, with
// a diagram and playback. Every change goes straight into the working image;
// changes that can make a tone tip (un)defined re-check every roger-beep
// reference to it.

#include "editor_window.h"

#include <array>

class QComboBox;
class QPushButton;
class QTabBar;

namespace zav {
class ToneTipPlayer;
struct ToneTip;
}

namespace zav::ui {
struct AppContext;
}

namespace zav::features {

class ToneDiagram;

class ToneTipsEditor : public ui::EditorWindow {
    Q_OBJECT
public:
    explicit ToneTipsEditor(ui::AppContext& ctx, QWidget* parent = nullptr);
    ~ToneTipsEditor() override;

    /// Tone tip 1..8 of the selected tab.
    [[nodiscard]] int selectedToneTip() const;

    [[nodiscard]] QTabBar* tabs() const { return tabs_; }
    [[nodiscard]] QComboBox* repeatList() const { return repeatList_; }
    [[nodiscard]] QComboBox* intervalList() const { return intervalList_; }
    /// Lists of note 1..14.
    [[nodiscard]] QComboBox* frequencyList(int note) const { return frequencyLists_[static_cast<std::size_t>(note - 1)]; }
    [[nodiscard]] QComboBox* lengthList(int note) const { return lengthLists_[static_cast<std::size_t>(note - 1)]; }
    [[nodiscard]] QPushButton* playButton() const { return playButton_; }
    [[nodiscard]] QPushButton* stopButton() const { return stopButton_; }
    [[nodiscard]] ToneDiagram* diagram() const { return diagram_; }
    [[nodiscard]] ToneTipPlayer* player() const { return player_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    ToneTip& selectedTip();
    void showToneTip();
    void storeRepeat();
    void storeInterval();
    void storeFrequency(int note);
    void storeLength(int note);
    void recheckRogerBeepReferences();
    void playSelectedTip();
    void playbackEnded();

    ui::AppContext& ctx_;
    QTabBar* tabs_ = nullptr;
    QComboBox* repeatList_ = nullptr;
    QComboBox* intervalList_ = nullptr;
    std::array<QComboBox*, 14> frequencyLists_{};
    std::array<QComboBox*, 14> lengthLists_{};
    QPushButton* playButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    ToneDiagram* diagram_ = nullptr;
    ToneTipPlayer* player_ = nullptr;
    bool filling_ = false;       ///< true while the window sets its own controls
    bool referenceCheckPending_ = false;  ///< a reference check is due once showing ends
};

} // namespace zav::features
