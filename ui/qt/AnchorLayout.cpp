#include "ui/qt/AnchorLayout.h"

#include <QWidget>

namespace ui {

void AnchorLayout::Add(QWidget* control, const ControlLayout& layout)
{
    entries_.push_back({control, layout});
    const Rect& bounds = layout.bounds;
    control->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

void AnchorLayout::Apply(QSize clientSize) const
{
    for (const Entry& entry : entries_) {
        const Rect bounds = AnchoredBounds(entry.layout, clientSize.width(), clientSize.height());
        entry.control->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
    }
}

} // namespace ui
