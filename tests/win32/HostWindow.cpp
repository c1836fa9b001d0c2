#include "tests/win32/HostWindow.h"

#include "ui/win32/FlatButton.h"

namespace ui::win32::test {

namespace {

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        FlatButton::Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

HostWindow::HostWindow()
{
    static const ATOM windowClass = [] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        description.lpfnWndProc = &HostProcedure;
        description.hInstance = GetModuleHandleW(nullptr);
        description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        description.lpszClassName = L"SroTestHost";
        return RegisterClassExW(&description);
    }();
    window_ = CreateWindowExW(0, MAKEINTATOM(windowClass), L"host", WS_OVERLAPPEDWINDOW, 10, 10,
                              400, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
    PumpMessages();
}

HostWindow::~HostWindow()
{
    DestroyWindow(window_);
    PumpMessages();
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

COLORREF PaintedPixel(HWND control, int x, int y)
{
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    HDC dc = GetDC(control);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(control, dc);
    return colour;
}

} // namespace ui::win32::test
