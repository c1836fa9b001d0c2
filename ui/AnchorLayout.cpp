#include "ui/AnchorLayout.h"

#include <QWidget>

#include <algorithm>
#include <utility>

namespace ui {

namespace {

// One axis: the start and length of a control for a parent length, from its design values.
// A control anchored to neither edge keeps its place, as one anchored to the near edge does.
std::pair<int, int> Place(int designStart, int designLength, int designParent, int parent,
                          bool nearAnchor, bool farAnchor)
{
    const int growth = parent - designParent;
    if (nearAnchor && farAnchor) {
        return {designStart, std::max(0, designLength + growth)};
    }
    if (farAnchor) {
        return {designStart + growth, designLength};
    }
    return {designStart, designLength};
}

} // namespace

AnchorLayout::AnchorLayout(QSize designSize) : designSize_(designSize)
{
}

void AnchorLayout::Add(QWidget* control, QRect designGeometry, Anchors anchors)
{
    entries_.push_back({control, designGeometry, anchors});
    control->setGeometry(designGeometry);
}

void AnchorLayout::Apply(QSize clientSize) const
{
    for (const Entry& entry : entries_) {
        const QRect& design = entry.designGeometry;
        const auto [left, width] =
            Place(design.left(), design.width(), designSize_.width(), clientSize.width(),
                  entry.anchors.testFlag(Anchor::Left), entry.anchors.testFlag(Anchor::Right));
        const auto [top, height] =
            Place(design.top(), design.height(), designSize_.height(), clientSize.height(),
                  entry.anchors.testFlag(Anchor::Top), entry.anchors.testFlag(Anchor::Bottom));
        entry.control->setGeometry(left, top, width, height);
    }
}

} // namespace ui
