#include "ui/win32/Win32FormView.h"

#include "ui/LineBreaks.h"
#include "ui/platform/AnsiCodePage.h"
#include "ui/win32/MessageLoop.h"
#include "ui/win32/RegionalFormat.h"
#include "ui/win32/WideText.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

namespace ui::win32 {

std::u16string Win32FormView::Text(Control field)
{
    HWND item = window_.Item(field);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return FieldLines(Utf16(text));
}

void Win32FormView::SetText(Control field, std::u16string_view text)
{
    SetWindowTextW(window_.Item(field), Wide(CrLfLines(text)).c_str());
}

std::int32_t Win32FormView::LineCount(Control field)
{
    // Without wrapping, the field's lines are the lines of its text.
    return static_cast<std::int32_t>(SendMessageW(window_.Item(field), EM_GETLINECOUNT, 0, 0));
}

std::u16string Win32FormView::Line(Control field, std::int32_t index)
{
    HWND item = window_.Item(field);
    const LRESULT start = SendMessageW(item, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
    if (start < 0) {
        return {};
    }
    const auto length =
        static_cast<std::size_t>(SendMessageW(item, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    // EM_GETLINE takes the buffer's size in its first character and adds no terminator.
    std::wstring line(std::max<std::size_t>(length, 1), L'\0');
    line[0] = static_cast<wchar_t>(line.size());
    line.resize(static_cast<std::size_t>(SendMessageW(
        item, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line.data()))));
    return Utf16(line);
}

void Win32FormView::AppendLine(Control field, std::u16string_view lines)
{
    HWND item = window_.Item(field);
    const int length = GetWindowTextLengthW(item);
    std::wstring addition = length > 0 ? L"\r\n" : L"";
    addition += Wide(CrLfLines(lines));
    SendMessageW(item, EM_SETSEL, static_cast<WPARAM>(length), length);
    SendMessageW(item, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(addition.c_str()));
}

void Win32FormView::SelectAll(Control field)
{
    SendMessageW(window_.Item(field), EM_SETSEL, 0, -1);
}

void Win32FormView::SetEnabled(Control control, bool enabled)
{
    EnableWindow(window_.Item(control), enabled);
}

void Win32FormView::SetProgressMax(Control bar, std::int32_t maximum)
{
    window_.Bar(bar).SetMax(maximum);
}

void Win32FormView::SetProgressPosition(Control bar, std::int32_t position)
{
    window_.Bar(bar).SetPosition(position);
}

void Win32FormView::SetProgressHint(Control bar, std::u16string_view hint)
{
    window_.Bar(bar).ShowHint(Wide(hint));
}

bool Win32FormView::Checked(Control checkBox)
{
    return SendMessageW(window_.Item(checkBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::int32_t Win32FormView::Value(Control)
{
    BOOL failed = FALSE;
    const LRESULT value = SendMessageW(GetDlgItem(window_.Handle(), IntervalArrowsItemId),
                                       UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
    return static_cast<std::int32_t>(value);
}

void Win32FormView::SetWaitCursor(bool on)
{
    window_.SetWaitCursor(on);
}

void Win32FormView::ShowMessageBox(std::u16string_view caption, std::u16string_view text,
                                   MessageBoxIcon icon)
{
    const UINT style = MB_OK | (icon == MessageBoxIcon::Error ? MB_ICONERROR : 0);
    MessageBoxW(window_.Handle(), Wide(text).c_str(), Wide(caption).c_str(), style);
}

void Win32FormView::ShellOpen(const std::u16string& target)
{
    // The shell may hand the verb to extensions that live in COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // The registry's page goes to the browser with the show command SW_HIDE, as it always has;
    // a result file opens in a normal window.
    const bool address = target.find(u"://") != std::u16string::npos;
    ShellExecuteW(nullptr, L"open", Wide(target).c_str(), L"", nullptr,
                  address ? SW_HIDE : SW_SHOWNORMAL);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
}

void Win32FormView::ProcessMessages()
{
    ProcessPendingMessages(window_.Handle());
}

void Win32FormView::CloseWindow()
{
    window_.Destroy();
}

HandOverDispatcher& Win32FormView::Dispatcher()
{
    return window_.Dispatcher();
}

LocalMoment Win32FormView::Now()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
            now.wMilliseconds};
}

std::u16string Win32FormView::ShortDate(const LocalMoment& moment)
{
    return RegionalShortDate(moment);
}

std::u16string Win32FormView::LongTime(const LocalMoment& moment)
{
    return RegionalLongTime(moment);
}

std::optional<std::uint32_t> Win32FormView::AnsiCodePage()
{
    return SystemAnsiCodePage();
}

} // namespace ui::win32
