#include "ui/win32/FlatButton.h"

#include <commctrl.h>

#include <string>

namespace ui::win32::FlatButton {

namespace {

const wchar_t HotProperty[] = L"SroFlatButtonHot";
constexpr UINT_PTR SubclassId = 1;

bool IsHot(HWND button)
{
    return GetPropW(button, HotProperty) != nullptr;
}

void SetHot(HWND button, bool hot)
{
    if (hot == IsHot(button)) {
        return;
    }
    if (hot) {
        SetPropW(button, HotProperty, reinterpret_cast<HANDLE>(1));
    } else {
        RemovePropW(button, HotProperty);
    }
    InvalidateRect(button, nullptr, FALSE);
}

LRESULT CALLBACK FollowMouse(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR)
{
    switch (message) {
    case WM_MOUSEMOVE:
        if (!IsHot(button)) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
            TrackMouseEvent(&track);
            SetHot(button, true);
        }
        break;
    case WM_MOUSELEAVE:
        SetHot(button, false);
        break;
    case WM_NCDESTROY:
        RemovePropW(button, HotProperty);
        RemoveWindowSubclass(button, &FollowMouse, SubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

void FillFrame(HDC dc, RECT box, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    for (int ring = 0; ring < FrameWidth; ++ring) {
        FrameRect(dc, &box, brush);
        InflateRect(&box, -1, -1);
    }
    DeleteObject(brush);
}

} // namespace

void Attach(HWND button)
{
    SetWindowSubclass(button, &FollowMouse, SubclassId, 0);
}

COLORREF FrameColour(HWND button, bool focused)
{
    return GetSysColor(focused || IsHot(button) ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW);
}

void Draw(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;

    FillRect(dc, &box, GetSysColorBrush(pressed ? COLOR_3DLIGHT : COLOR_BTNFACE));
    FillFrame(dc, box, FrameColour(item.hwndItem, focused));

    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(item.hwndItem, text.data(), static_cast<int>(text.size()))));
    if (pressed) {
        OffsetRect(&box, 1, 1);
    }
    // The DC of WM_DRAWITEM carries the system font, not the one the button was given.
    const HGDIOBJ previousFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previousFont);
}

} // namespace ui::win32::FlatButton
