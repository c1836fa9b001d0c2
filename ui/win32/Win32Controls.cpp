// The window's controls, created from their descriptions.
#include "ui/win32/FlatButton.h"
#include "ui/win32/TextField.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Win32MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>

namespace ui::win32 {

namespace {

HMENU ItemId(ControlId id)
{
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

HWND Child(const wchar_t* className, DWORD style, DWORD extendedStyle, const ControlSpec& spec,
           HWND parent)
{
    return CreateWindowExW(extendedStyle, className, Wide(spec.text).c_str(), WS_CHILD | style, 0,
                           0, 0, 0, parent, ItemId(spec.id), GetModuleHandleW(nullptr), nullptr);
}

// Width of `text` in `font`, in pixels.
int TextWidth(HWND control, HFONT font, const std::u16string& text)
{
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    const std::wstring wide = Wide(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return extent.cx;
}

} // namespace

HFONT Win32MainWindow::Font(int pixels)
{
    HFONT& font = fonts_[pixels];
    if (font == nullptr) {
        // A negative height asks for the character height, as a point size at 96 dpi gives it.
        font = CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, L"Tahoma");
    }
    return font;
}

void Win32MainWindow::CreateControl(const ControlSpec& spec)
{
    const DWORD shown = spec.visible ? WS_VISIBLE : 0;
    HFONT font = Font(spec.fontPixels);
    RECT design = spec.design;
    HWND control = nullptr;
    switch (spec.kind) {
    case ControlKind::PushButton:
        control = Child(L"BUTTON", shown | WS_TABSTOP | BS_PUSHBUTTON, 0, spec, window_);
        break;
    case ControlKind::FlatButton:
        control = Child(L"BUTTON", shown | WS_TABSTOP | BS_OWNERDRAW, 0, spec, window_);
        FlatButton::Attach(control);
        break;
    case ControlKind::Label:
        control = Child(L"STATIC", shown | SS_LEFT | SS_NOPREFIX, 0, spec, window_);
        break;
    case ControlKind::CheckBox:
        control = Child(L"BUTTON", shown | WS_TABSTOP | BS_AUTOCHECKBOX, 0, spec, window_);
        break;
    case ControlKind::TextField:
        control = TextField::Create(window_, static_cast<int>(spec.id), [this, id = spec.id](WORD key) {
            events_.keyDown(id, key);
        });
        SetWindowTextW(control, Wide(spec.text).c_str());
        break;
    case ControlKind::SpinEdit: {
        control = Child(L"EDIT", shown | WS_TABSTOP | ES_NUMBER | ES_RIGHT, WS_EX_CLIENTEDGE, spec,
                        window_);
        HWND arrows = CreateWindowExW(
            0, UPDOWN_CLASSW, L"", WS_CHILD | shown | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
            0, 0, 0, 0, window_, ItemId(ControlId::IntervalUpDown), GetModuleHandleW(nullptr),
            nullptr);
        SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(control), 0);
        SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(spec.lowest),
                     std::numeric_limits<int>::max());
        SendMessageW(arrows, UDM_SETPOS32, 0, spec.value);
        break;
    }
    case ControlKind::Bar: {
        auto bar = std::make_unique<GradientBar>(window_, static_cast<int>(spec.id),
                                                 spec.startColour, spec.endColour);
        control = bar->Handle();
        bars_[spec.id] = std::move(bar);
        break;
    }
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (spec.kind == ControlKind::Label || spec.kind == ControlKind::CheckBox) {
        // Never narrower than designed, and wide enough for the text where the font found is
        // wider than Tahoma; the check box adds its box and the gap before the text.
        const int box = spec.kind == ControlKind::CheckBox ? GetSystemMetrics(SM_CXMENUCHECK) + 6 : 0;
        design.right = std::max(design.right, design.left + box + TextWidth(control, font, spec.text));
    }
    placed_.push_back({spec.id, design, spec.anchors});
}

} // namespace ui::win32
