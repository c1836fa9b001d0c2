#include "ui/win32/GradientBar.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace ui::win32 {

namespace {

const wchar_t ClassName[] = L"SroGradientBar";

} // namespace

void GradientBar::RegisterClassOnce()
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &GradientBar::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = ClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

namespace {

// One channel of the colour `step` of `steps - 1` along the way from `from` to `to`, rounded.
BYTE Blend(BYTE from, BYTE to, int step, int steps)
{
    if (steps <= 1) {
        return from;
    }
    const int span = steps - 1;
    return static_cast<BYTE>((from * (span - step) + to * step + span / 2) / span);
}

} // namespace

GradientBar::GradientBar(HWND parent, int id, COLORREF startColour, COLORREF endColour)
    : startColour_(startColour), endColour_(endColour)
{
    RegisterClassOnce();
    window_ = CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), this);

    // The tooltip stays inactive until a hint is shown; TTF_SUBCLASS lets it watch the mouse.
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(window_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_ACTIVATE, FALSE, 0);
}

void GradientBar::SetMax(int maximum)
{
    maximum_ = std::max(0, maximum);
    position_ = std::min(position_, maximum_);
    InvalidateRect(window_, nullptr, FALSE);
}

void GradientBar::SetPosition(int position)
{
    position_ = std::clamp(position, 0, maximum_);
    InvalidateRect(window_, nullptr, FALSE);
}

void GradientBar::ShowHint(std::wstring_view text)
{
    std::wstring hint(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = GetParent(window_);
    tool.uId = reinterpret_cast<UINT_PTR>(window_);
    tool.lpszText = hint.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

void GradientBar::Paint(HDC dc, RECT client) const
{
    RECT inside = client;
    InflateRect(&inside, -1, -1);
    FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
    const int width = inside.right - inside.left;
    if (maximum_ > 0 && position_ > 0 && width > 0) {
        const int filled = static_cast<int>(static_cast<long long>(width) * position_ / maximum_);
        for (int column = 0; column < filled; ++column) {
            const COLORREF colour =
                RGB(Blend(GetRValue(startColour_), GetRValue(endColour_), column, filled),
                    Blend(GetGValue(startColour_), GetGValue(endColour_), column, filled),
                    Blend(GetBValue(startColour_), GetBValue(endColour_), column, filled));
            const RECT line{inside.left + column, inside.top, inside.left + column + 1,
                            inside.bottom};
            SetBkColor(dc, colour);
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
        }
    }
    DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
}

LRESULT CALLBACK GradientBar::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* bar = reinterpret_cast<GradientBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (bar == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        // Painted off screen first: the bar changes many times a second during a run.
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        RECT client{};
        GetClientRect(window, &client);
        HDC buffer = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ previous = SelectObject(buffer, bitmap);
        bar->Paint(buffer, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, previous);
        DeleteObject(bitmap);
        DeleteDC(buffer);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(window, &client);
        bar->Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case PBM_SETRANGE32:
        bar->SetMax(static_cast<int>(lParam));
        return 0;
    case PBM_GETRANGE:
        return wParam ? 0 : bar->maximum_;
    case PBM_SETPOS:
        bar->SetPosition(static_cast<int>(wParam));
        return 0;
    case PBM_GETPOS:
        return bar->position_;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace ui::win32
