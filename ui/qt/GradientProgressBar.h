#pragma once

#include <QColor>
#include <QWidget>

namespace ui {

// A horizontal progress bar whose filled part is one smooth colour gradient from the start
// colour at its left end to the end colour at its right end; the unfilled part shows the
// window background inside a thin sunken edge. Minimum 0; the position is always held within
// 0..Max.
class GradientProgressBar : public QWidget {
    Q_OBJECT

public:
    GradientProgressBar(QColor startColour, QColor endColour, QWidget* parent = nullptr);

    int Max() const { return max_; }
    int Position() const { return position_; }

    // A maximum below 0 becomes 0; a position above the new maximum is lowered to it.
    void SetMax(int max);
    // Held within 0..Max.
    void SetPosition(int position);

    QColor StartColour() const { return startColour_; }
    QColor EndColour() const { return endColour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor startColour_;
    QColor endColour_;
    int max_ = 100;
    int position_ = 0;
};

} // namespace ui
