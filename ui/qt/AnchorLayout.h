#pragma once

#include "ui/FormLayout.h"

#include <QSize>

#include <vector>

class QWidget;

namespace ui {

// Keeps the controls of the window where their anchors say when the window is resized.
class AnchorLayout {
public:
    // Places `control` at the layout's bounds and remembers its anchors.
    void Add(QWidget* control, const ControlLayout& layout);

    // Moves and stretches every control for the window's new client size.
    void Apply(QSize clientSize) const;

private:
    struct Entry {
        QWidget* control;
        ControlLayout layout;
    };

    std::vector<Entry> entries_;
};

} // namespace ui
