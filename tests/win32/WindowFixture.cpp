#include "tests/win32/WindowFixture.h"

#include "tests/win32/HostWindow.h"
#include "ui/SystemRunClock.h"
#include "ui/win32/FormEvents.h"
#include "ui/win32/WideText.h"

#include <filesystem>

namespace ui::win32::test {

namespace {

MainFormSettings Settings(const std::wstring& folder)
{
    MainFormSettings settings;
    settings.programFolder = Utf16(folder);
    settings.executableFolder = settings.programFolder;
    settings.registryHost = TestHost;
    settings.tlsLibraryFound = [] { return true; };
    settings.clock = SystemRunClock();
    return settings;
}

} // namespace

TestFolder::TestFolder()
{
    // Beside the test program rather than in the user's Temp folder, whose name is one of the
    // start-up checks.
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    static int counter = 0;
    const std::filesystem::path folder =
        std::filesystem::path(program).parent_path() / L"test-folders" /
        (std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::filesystem::create_directories(folder);
    path_ = folder.wstring() + L"\\";
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

WindowFixture::WindowFixture() : form_(view_, Settings(folder_.Path()))
{
    window_.SetEvents(FormEvents(form_));
}

void WindowFixture::Show()
{
    window_.Show();
    form_.FormShow();
    PumpMessages();
}

RECT WindowFixture::ClientRect(Control control) const
{
    RECT box{};
    GetWindowRect(window_.Item(control), &box);
    MapWindowPoints(nullptr, window_.Handle(), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

SIZE WindowFixture::ClientSize() const
{
    RECT client{};
    GetClientRect(window_.Handle(), &client);
    return {client.right, client.bottom};
}

void WindowFixture::ResizeClient(int width, int height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window_.Handle(), GWL_STYLE)),
                       FALSE, static_cast<DWORD>(GetWindowLongW(window_.Handle(), GWL_EXSTYLE)));
    SetWindowPos(window_.Handle(), nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
}

std::wstring WindowText(HWND window)
{
    const auto length = static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(
        window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

} // namespace ui::win32::test
