#pragma once

#include "ui/MainForm.h"
#include "ui/win32/Win32FormView.h"
#include "ui/win32/Win32MainWindow.h"

#include <windows.h>

#include <string>

namespace ui::win32::test {

inline constexpr char16_t TestHost[] = u"registry.example.org";

// A folder of its own for one test, removed with everything in it afterwards.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // With its trailing backslash.
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

// The real window and its form, the program folder a fresh folder of its own; the TLS library
// counts as present.
class WindowFixture {
public:
    WindowFixture();

    Win32MainWindow& Window() { return window_; }
    TMainForm& Form() { return form_; }
    HWND Item(Control control) const { return window_.Item(control); }

    // Shows the window and runs the form's start-up, as the program does.
    void Show();

    // The control's rectangle in the window's client coordinates.
    RECT ClientRect(Control control) const;
    // The client area's size.
    SIZE ClientSize() const;
    // Resizes the window so that its client area has this size.
    void ResizeClient(int width, int height);

private:
    TestFolder folder_;
    Win32MainWindow window_{TestHost};
    Win32FormView view_{window_};
    TMainForm form_;
};

// The text of a window, as WM_GETTEXT gives it.
std::wstring WindowText(HWND window);

} // namespace ui::win32::test
