#pragma once

// The drawing of one tone tip: a bar per note, as wide as the note is long
// and as high as its frequency; odd notes red, even notes blue.

#include <QWidget>

namespace zav {
struct ToneTip;
}

namespace zav::features {

class ToneDiagram : public QWidget {
    Q_OBJECT
public:
    /// Drawing units per pixel: the diagram is laid out in twips, so its
    /// 50-unit margins stay narrow at any size.
    static constexpr int kUnitsPerPixel = 15;

    explicit ToneDiagram(QWidget* parent = nullptr);

    /// The tone tip drawn (not owned; nullptr draws nothing).
    void setToneTip(const ToneTip* tip);

    [[nodiscard]] QSize sizeHint() const override { return {320, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ToneTip* tip_ = nullptr;
};

} // namespace zav::features
