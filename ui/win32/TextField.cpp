#include "ui/win32/TextField.h"

#include <commctrl.h>

namespace ui::win32::TextField {

namespace {

constexpr UINT_PTR SubclassId = 1;

LRESULT CALLBACK Filter(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                        DWORD_PTR data)
{
    auto* onKeyDown = reinterpret_cast<KeyDownHandler*>(data);
    switch (message) {
    case WM_GETDLGCODE: {
        // A multi-line EDIT asks the dialog manager for every key, Tab included; Tab moves the
        // focus on instead of typing into the field.
        const LRESULT code = DefSubclassProc(field, message, wParam, lParam);
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_TAB) {
            return code & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
        }
        return code;
    }
    case WM_KEYDOWN:
        (*onKeyDown)(static_cast<WORD>(wParam));
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(field, &Filter, SubclassId);
        delete onKeyDown;
        break;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

} // namespace

HWND Create(HWND parent, int id, KeyDownHandler onKeyDown)
{
    HWND field = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
            ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN,
        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        GetModuleHandleW(nullptr), nullptr);
    // 0 lifts the limit to the largest a multi-line EDIT holds (about 2^31 characters) instead
    // of the default 32767, which a long run's log passes within minutes.
    SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(field, &Filter, SubclassId,
                      reinterpret_cast<DWORD_PTR>(new KeyDownHandler(std::move(onKeyDown))));
    return field;
}

} // namespace ui::win32::TextField
