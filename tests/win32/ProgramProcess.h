#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace ui::win32::test {

// The program under test (sro-parser.exe) and its two TLS libraries, as built.
std::filesystem::path BuiltProgram();

// Copies the program, and its TLS libraries unless told not to, into `folder` (created).
void InstallProgram(const std::filesystem::path& folder, bool withTlsLibraries = true);

// The program started from a folder, seen from outside through its windows.
class ProgramProcess {
public:
    explicit ProgramProcess(const std::filesystem::path& folder);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // A top-level window of the process of this window class ("#32770" for a message box) and
    // caption, waited for at most `limit`; null when none came.
    HWND WaitForWindow(const wchar_t* windowClass, const std::wstring& caption,
                       std::chrono::milliseconds limit = std::chrono::seconds(20)) const;
    // The main window, once shown.
    HWND WaitForMainWindow() const;

    // The exit code once the process has ended within `limit`; STILL_ACTIVE otherwise.
    DWORD WaitForExit(std::chrono::milliseconds limit = std::chrono::seconds(20)) const;

private:
    PROCESS_INFORMATION process_{};
};

// What a message box says, and whether it shows an icon.
struct MessageBoxContent {
    std::wstring text;
    bool hasIcon = false;
};

MessageBoxContent ReadMessageBox(HWND box);

// Presses the OK button of a message box.
void PressOk(HWND box);

} // namespace ui::win32::test
