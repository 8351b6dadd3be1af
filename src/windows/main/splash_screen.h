#pragma once

// Splash window: the picture of the language in use for 2000 ms, or until
// it is clicked; then the main window opens, once.

#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

class QLabel;

namespace zav {

class SplashScreen : public QWidget {
    Q_OBJECT
public:
    /// language 1 shows StartE.jpg, 2 StartC.jpg, anything else no picture.
    SplashScreen(const std::string& programDir, int language, QWidget* parent = nullptr);

    /// Opens the main window; called at most once.
    std::function<void()> onOpenMain;

    static constexpr int kShowMs = 2000;
    /// Whether the 2000 ms timer is still waiting to open the main window.
    [[nodiscard]] bool timerActive() const { return timer_.isActive(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void openMain();

    QLabel* picture_ = nullptr;
    QTimer timer_;
    bool opened_ = false;
};

} // namespace zav
