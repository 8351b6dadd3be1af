#pragma once

// The embedded-message editor: four lines of up to 16 GBK bytes, each
// stored the moment it changes.

#include "editor_window.h"

#include <array>

class QLineEdit;

namespace zav::ui {
struct AppContext;
}

namespace zav::features {

class EmbeddedMessageEditor : public ui::EditorWindow {
    Q_OBJECT
public:
    static constexpr int kLines = 4;
    static constexpr int kLineCharacters = 16;

    explicit EmbeddedMessageEditor(ui::AppContext& ctx, QWidget* parent = nullptr);

    /// The box of line 1..4.
    [[nodiscard]] QLineEdit* lineBox(int line) const { return lines_[static_cast<std::size_t>(line - 1)]; }

private:
    void storeLine(int line);

    ui::AppContext& ctx_;
    std::array<QLineEdit*, kLines> lines_{};
    bool filling_ = false; ///< true while the window sets its own controls
};

} // namespace zav::features
