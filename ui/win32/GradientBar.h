#pragma once

#include <windows.h>

#include <string_view>

namespace ui::win32 {

// A progress bar painted as one smooth horizontal colour gradient over its filled part, inside a
// thin sunken edge, the unfilled part in the button-face colour. It answers the progress bar
// messages PBM_SETRANGE32, PBM_GETRANGE, PBM_SETPOS and PBM_GETPOS; minimum 0, maximum 100 and
// position 0 until set, the position always held within 0..maximum.
class GradientBar {
public:
    // Creates the bar as a child of `parent`; its hint shows as a tooltip once switched on.
    GradientBar(HWND parent, int id, COLORREF startColour, COLORREF endColour);
    GradientBar(const GradientBar&) = delete;
    GradientBar& operator=(const GradientBar&) = delete;

    HWND Handle() const { return window_; }
    HWND Tooltip() const { return tooltip_; }

    void SetMax(int maximum);
    void SetPosition(int position);
    int Max() const { return maximum_; }
    int Position() const { return position_; }

    // Sets the tooltip text and starts showing it while the mouse rests on the bar.
    void ShowHint(std::wstring_view text);

private:
    static void RegisterClassOnce();
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc, RECT client) const;

    COLORREF startColour_;
    COLORREF endColour_;
    int maximum_ = 100;
    int position_ = 0;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
};

} // namespace ui::win32
