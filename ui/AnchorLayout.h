#pragma once

#include <QFlags>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace ui {

enum class Anchor { Left = 1, Top = 2, Right = 4, Bottom = 8 };
Q_DECLARE_FLAGS(Anchors, Anchor)
Q_DECLARE_OPERATORS_FOR_FLAGS(Anchors)

// Keeps controls at fixed distances from the edges of their parent that they are anchored to,
// over absolute geometry: a control anchored left and right stretches with the width, one
// anchored right only moves with it; the same for top and bottom.
class AnchorLayout {
public:
    // `designSize` is the parent's client size for which the controls' geometry is given.
    explicit AnchorLayout(QSize designSize);

    // Places `control` at `designGeometry` and remembers its anchors.
    void Add(QWidget* control, QRect designGeometry, Anchors anchors);

    // Moves and stretches every control for the parent's new client size.
    void Apply(QSize clientSize) const;

private:
    struct Entry {
        QWidget* control;
        QRect designGeometry;
        Anchors anchors;
    };

    QSize designSize_;
    std::vector<Entry> entries_;
};

} // namespace ui
