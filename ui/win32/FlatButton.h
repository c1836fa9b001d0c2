#pragma once

#include <windows.h>

namespace ui::win32 {

// The run buttons: push buttons drawn flat, a frame two pixels wide in the shadow colour that
// takes the highlight colour while the button has the keyboard focus or the mouse is over it.
// They stay real BUTTON controls, so that Tab, Space and Enter work as on any push button.
namespace FlatButton {

constexpr int FrameWidth = 2;

// Makes `button` (a BS_OWNERDRAW push button) follow the mouse for its frame.
void Attach(HWND button);

// The frame colour for the button's present state.
COLORREF FrameColour(HWND button, bool focused);

// Draws the button; its parent passes every WM_DRAWITEM of a flat button here.
void Draw(const DRAWITEMSTRUCT& item);

} // namespace FlatButton

} // namespace ui::win32
