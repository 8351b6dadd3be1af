#include "tone_diagram.h"

#include "tone_tip_rules.h"

#include <QPainter>

namespace zav::features {

ToneDiagram::ToneDiagram(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMinimumSize(200, 150);
}

void ToneDiagram::setToneTip(const ToneTip* tip)
{
    tip_ = tip;
    update();
}

void ToneDiagram::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!tip_)
        return;
    const int width = this->width() * kUnitsPerPixel;
    const int height = this->height() * kUnitsPerPixel;
    painter.setWindow(0, 0, width, height);
    painter.setPen(Qt::NoPen);
    for (const DiagramBar& bar : diagramBars(*tip_, width, height)) {
        if (bar.width <= 0 || bar.height <= 0)
            continue;
        painter.setBrush(bar.note % 2 == 1 ? Qt::red : Qt::blue);
        painter.drawRect(bar.x, bar.y, bar.width, bar.height);
    }
}

} // namespace zav::features
