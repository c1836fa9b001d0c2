#pragma once

#include "ui/Control.h"
#include "ui/FormLayout.h"
#include "ui/win32/GradientBar.h"
#include "ui/win32/Win32UiDispatcher.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace ui::win32 {

// Dialog item numbers of the controls, in the order of ui::Control; tests find the controls by
// them.
constexpr int FirstItemId = 100;

constexpr int ItemId(Control control)
{
    return FirstItemId + static_cast<int>(control);
}

// The up-down arrows of IntervalSpinEdit, a control of their own in Windows.
constexpr int IntervalArrowsItemId = 200;

// What the window passes on to the form: clicks, keys going down in a text field, closing.
struct WindowEvents {
    std::function<void(Control button)> click;
    std::function<void(Control field, WORD key)> keyDown;
    // Asked when the user closes the window; false keeps it open.
    std::function<bool()> closing;
};

// The one top-level window: a client area of 772 × 556 at 96 dpi, centred on the screen,
// resizable, the controls of the layout table kept at their anchored places, the run buttons
// drawn flat and the application-wide wait cursor.
class Win32MainWindow {
public:
    explicit Win32MainWindow(std::u16string_view registryHost);
    ~Win32MainWindow();
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    void SetEvents(WindowEvents events) { events_ = std::move(events); }

    HWND Handle() const { return window_; }
    HWND Item(Control control) const;
    GradientBar& Bar(Control bar);
    Win32UiDispatcher& Dispatcher() { return *dispatcher_; }

    // Shows the window in the centre of the screen's work area.
    void Show();
    // The hour-glass cursor over every window of the program, or the ordinary cursors again.
    void SetWaitCursor(bool wait);
    // Closes the window without asking the form; the message loop then ends.
    void Destroy();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControl(const ControlLayout& layout, std::u16string_view registryHost);
    void PlaceControls(int clientWidth, int clientHeight);
    HFONT Font(int pixels);

    WindowEvents events_;
    HWND window_ = nullptr;
    std::map<int, HFONT> fonts_;
    // The rectangle each control takes at the design size: the table's, or wider where a
    // label's text needs more in the font found.
    std::array<Rect, ControlCount> design_{};
    std::map<Control, std::unique_ptr<GradientBar>> bars_;
    std::unique_ptr<Win32UiDispatcher> dispatcher_;
    bool waitCursor_ = false;
};

} // namespace ui::win32
