#pragma once

#include <windows.h>

namespace ui::win32::test {

// A shown top-level window to put one control into; it draws flat buttons as the main window
// does.
class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Handles the window messages waiting for this thread.
void PumpMessages();

// The colour of the pixel at `x`, `y` of `control` as painted on the screen.
COLORREF PaintedPixel(HWND control, int x, int y);

} // namespace ui::win32::test
