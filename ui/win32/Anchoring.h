#pragma once

#include <windows.h>

namespace ui::win32 {

// Which edges of the client area a control keeps its distance to when the window is resized.
enum AnchorEdge : unsigned { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };

// The control's rectangle for a client area of `clientWidth` × `clientHeight`, from its
// rectangle `design` at the client size `designWidth` × `designHeight`: anchored to both
// opposite edges it stretches, to the far edge only it moves, otherwise it stays.
RECT Anchored(RECT design, unsigned anchors, int designWidth, int designHeight, int clientWidth,
              int clientHeight);

} // namespace ui::win32
