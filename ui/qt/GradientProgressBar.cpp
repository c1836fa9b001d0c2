#include "ui/qt/GradientProgressBar.h"

#include <QLinearGradient>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

namespace ui {

GradientProgressBar::GradientProgressBar(QColor startColour, QColor endColour, QWidget* parent)
    : QWidget(parent), startColour_(startColour), endColour_(endColour)
{
}

void GradientProgressBar::SetMax(int max)
{
    max_ = std::max(0, max);
    position_ = std::min(position_, max_);
    update();
}

void GradientProgressBar::SetPosition(int position)
{
    position_ = std::clamp(position, 0, max_);
    update();
}

void GradientProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(inside, palette().window());
    if (max_ > 0 && position_ > 0 && inside.width() > 0) {
        const int filledWidth =
            static_cast<int>(static_cast<long long>(inside.width()) * position_ / max_);
        const QRect filled(inside.left(), inside.top(), filledWidth, inside.height());
        QLinearGradient gradient(filled.left(), 0, filled.left() + filled.width() - 1, 0);
        gradient.setColorAt(0, startColour_);
        gradient.setColorAt(1, endColour_);
        painter.fillRect(filled, gradient);
    }
    qDrawShadePanel(&painter, rect(), palette(), true, 1);
}

} // namespace ui
