#include "ui/win32/Anchoring.h"

#include <algorithm>
#include <utility>

namespace ui::win32 {

namespace {

// One axis: start and end of a control for a parent length.
std::pair<LONG, LONG> Place(LONG start, LONG end, int designParent, int parent, bool nearAnchor,
                            bool farAnchor)
{
    const int growth = parent - designParent;
    if (nearAnchor && farAnchor) {
        return {start, std::max(start, end + growth)};
    }
    if (farAnchor) {
        return {start + growth, end + growth};
    }
    return {start, end};
}

} // namespace

RECT Anchored(RECT design, unsigned anchors, int designWidth, int designHeight, int clientWidth,
              int clientHeight)
{
    const auto [left, right] = Place(design.left, design.right, designWidth, clientWidth,
                                     anchors & AnchorLeft, anchors & AnchorRight);
    const auto [top, bottom] = Place(design.top, design.bottom, designHeight, clientHeight,
                                     anchors & AnchorTop, anchors & AnchorBottom);
    return RECT{left, top, right, bottom};
}

} // namespace ui::win32
