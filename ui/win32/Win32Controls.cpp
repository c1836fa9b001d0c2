// The window's controls, created from the layout table.
#include "ui/win32/FlatButton.h"
#include "ui/win32/TextField.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Win32MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>

namespace ui::win32 {

namespace {

HWND Child(const wchar_t* className, DWORD style, DWORD extendedStyle, const std::wstring& text,
           int itemId, HWND parent)
{
    return CreateWindowExW(extendedStyle, className, text.c_str(), WS_CHILD | style, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(itemId)),
                           GetModuleHandleW(nullptr), nullptr);
}

// Width of `text` in `font`, in pixels.
int TextWidth(HWND control, HFONT font, const std::wstring& text)
{
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return extent.cx;
}

COLORREF ColourRef(Colour colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

} // namespace

HFONT Win32MainWindow::Font(int pixels)
{
    HFONT& font = fonts_[pixels];
    if (font == nullptr) {
        // A negative height asks for the character height, as a point size at 96 dpi gives it.
        font = CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, Wide(WindowFontFamily).c_str());
    }
    return font;
}

void Win32MainWindow::CreateControl(const ControlLayout& layout, std::u16string_view registryHost)
{
    const DWORD shown = layout.visible ? WS_VISIBLE : 0;
    const DWORD tabStop = layout.tabOrder == NoTabStop ? 0 : WS_TABSTOP;
    const std::wstring text = Wide(ControlText(layout, registryHost));
    const int id = ItemId(layout.control);
    HWND control = nullptr;
    switch (layout.kind) {
    case ControlKind::PushButton:
        control = Child(L"BUTTON", shown | tabStop | BS_PUSHBUTTON, 0, text, id, window_);
        break;
    case ControlKind::FlatButton:
        control = Child(L"BUTTON", shown | tabStop | BS_OWNERDRAW, 0, text, id, window_);
        FlatButton::Attach(control);
        break;
    case ControlKind::Label:
        control = Child(L"STATIC", shown | SS_LEFT | SS_NOPREFIX, 0, text, id, window_);
        break;
    case ControlKind::CheckBox:
        control = Child(L"BUTTON", shown | tabStop | BS_AUTOCHECKBOX, 0, text, id, window_);
        break;
    case ControlKind::TextField:
        control = TextField::Create(window_, id, [this, field = layout.control](WORD key) {
            if (events_.keyDown) {
                events_.keyDown(field, key);
            }
        });
        SetWindowTextW(control, text.c_str());
        break;
    case ControlKind::NumericField: {
        control = Child(L"EDIT", shown | tabStop | ES_NUMBER | ES_RIGHT, WS_EX_CLIENTEDGE, text, id,
                        window_);
        HWND arrows = Child(UPDOWN_CLASSW, shown | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                            0, L"", IntervalArrowsItemId, window_);
        SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(control), 0);
        SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(IntervalMinimum),
                     std::numeric_limits<int>::max());
        SendMessageW(arrows, UDM_SETPOS32, 0, IntervalStartValue);
        break;
    }
    case ControlKind::GradientProgressBar: {
        auto bar = std::make_unique<GradientBar>(window_, id, ColourRef(layout.gradientStart),
                                                 ColourRef(layout.gradientEnd));
        control = bar->Handle();
        bars_[layout.control] = std::move(bar);
        break;
    }
    }
    HFONT font = Font(layout.fontPixels);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    Rect& design = design_[static_cast<std::size_t>(layout.control)];
    design = layout.bounds;
    if (layout.sizedToText) {
        // Never narrower than designed; wider where the font found is wider than Tahoma. A
        // check box adds its box and the gap before the text.
        const int box =
            layout.kind == ControlKind::CheckBox ? GetSystemMetrics(SM_CXMENUCHECK) + 6 : 0;
        design.width = std::max(design.width, box + TextWidth(control, font, text));
    }
}

} // namespace ui::win32
