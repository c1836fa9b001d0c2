#include "tests/win32/ProgramProcess.h"

#include "tests/win32/WindowFixture.h"
#include "ui/BuildRegistryHost.h"
#include "ui/FormLayout.h"
#include "ui/win32/WideText.h"

#include <stdexcept>
#include <thread>

namespace ui::win32::test {

namespace {

// A message box's text is a static control with this item number; its icon is a static
// control of the SS_ICON kind, whose item number differs between Windows and Wine.
constexpr int MessageBoxTextItem = 0xFFFF;

BOOL CALLBACK FindIcon(HWND child, LPARAM parameter)
{
    wchar_t windowClass[16] = {};
    GetClassNameW(child, windowClass, static_cast<int>(std::size(windowClass)));
    if (_wcsicmp(windowClass, L"Static") == 0 && IsWindowVisible(child) &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0) {
        *reinterpret_cast<bool*>(parameter) = true;
        return FALSE;
    }
    return TRUE;
}

struct Search {
    DWORD processId;
    const wchar_t* windowClass;
    const std::wstring* caption;
    HWND found = nullptr;
};

BOOL CALLBACK Inspect(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t windowClass[64] = {};
    GetClassNameW(window, windowClass, static_cast<int>(std::size(windowClass)));
    if (owner == search.processId && IsWindowVisible(window) &&
        std::wstring(windowClass) == search.windowClass && WindowText(window) == *search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::filesystem::path BuiltProgram()
{
    // Wine shows the Linux file system as drive Z:.
    std::wstring path = L"Z:" SRO_PROGRAM_PATH;
    for (wchar_t& character : path) {
        if (character == L'/') {
            character = L'\\';
        }
    }
    return path;
}

void InstallProgram(const std::filesystem::path& folder, bool withTlsLibraries)
{
    std::filesystem::create_directories(folder);
    const std::filesystem::path program = BuiltProgram();
    std::filesystem::copy_file(program, folder / program.filename(),
                               std::filesystem::copy_options::overwrite_existing);
    if (withTlsLibraries) {
        for (const wchar_t* library : {L"libeay32.dll", L"ssleay32.dll"}) {
            std::filesystem::copy_file(program.parent_path() / library, folder / library,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
}

ProgramProcess::ProgramProcess(const std::filesystem::path& folder)
{
    std::wstring commandLine = L"\"" + (folder / L"sro-parser.exe").wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process_)) {
        throw std::runtime_error("the program could not be started");
    }
    WaitForInputIdle(process_.hProcess, 10000);
}

ProgramProcess::~ProgramProcess()
{
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND ProgramProcess::WaitForWindow(const wchar_t* windowClass, const std::wstring& caption,
                                   std::chrono::milliseconds limit) const
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    do {
        Search search{process_.dwProcessId, windowClass, &caption};
        EnumWindows(&Inspect, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline &&
             WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT);
    return nullptr;
}

HWND ProgramProcess::WaitForMainWindow() const
{
    const std::string_view host = BuildRegistryHost;
    return WaitForWindow(L"SroParserMainForm",
                         Wide(FormCaption(std::u16string(host.begin(), host.end()))));
}

DWORD ProgramProcess::WaitForExit(std::chrono::milliseconds limit) const
{
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(limit.count())) !=
        WAIT_OBJECT_0) {
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

MessageBoxContent ReadMessageBox(HWND box)
{
    bool hasIcon = false;
    EnumChildWindows(box, &FindIcon, reinterpret_cast<LPARAM>(&hasIcon));
    return {WindowText(GetDlgItem(box, MessageBoxTextItem)), hasIcon};
}

void PressOk(HWND box)
{
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace ui::win32::test
