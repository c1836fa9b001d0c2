#pragma once

#include "ui/win32/GradientBar.h"
#include "ui/win32/Win32UiDispatcher.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ui::win32 {

// Dialog item numbers of the window's controls; tests find the controls by them.
enum class ControlId : int {
    OpenSiteButton = 100,
    Label3,
    Button1,
    Label1,
    UrlsMemo,
    Label5,
    MobilesCheckBox,
    Label6,
    IntervalSpinEdit,
    IntervalUpDown,
    StartButton,
    PauseButton,
    StopButton,
    Label2,
    LogsMemo,
    ProgressBar,
    StagesProgressBar,
};

enum class ControlKind { PushButton, FlatButton, Label, TextField, CheckBox, SpinEdit, Bar };

// One control of the window: created in the order given, which is the tab order of those that
// take the focus.
struct ControlSpec {
    ControlId id;
    ControlKind kind;
    RECT design; // left, top, right, bottom at the design client size
    unsigned anchors;
    std::u16string text;
    int fontPixels; // character height
    bool visible;
    // Bars: start and end colour of the gradient. Spin edits: value and lowest value.
    COLORREF startColour = 0;
    COLORREF endColour = 0;
    int value = 0;
    int lowest = 0;
};

// What the window passes on to the form: clicks, keys going down in a text field, closing.
struct WindowEvents {
    std::function<void(ControlId button)> click;
    std::function<void(ControlId field, WORD key)> keyDown;
    // Asked when the user closes the window; false keeps it open.
    std::function<bool()> closing;
};

// The one top-level window: a client area of 772 × 556 at 96 dpi, centred on the screen,
// resizable, its controls kept at their anchored places, the run buttons drawn flat and the
// application-wide wait cursor.
class Win32MainWindow {
public:
    static constexpr int ClientWidth = 772;
    static constexpr int ClientHeight = 556;

    Win32MainWindow(const std::u16string& caption, const std::vector<ControlSpec>& controls,
                    WindowEvents events);
    ~Win32MainWindow();
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Control(ControlId id) const;
    GradientBar& Bar(ControlId id);
    Win32UiDispatcher& Dispatcher() { return *dispatcher_; }

    // Shows the window in the centre of the screen.
    void Show();
    // The hour-glass cursor over every window of the program, or the ordinary cursors again.
    void SetWaitCursor(bool wait);
    // True once the window has been closed (destroyed).
    bool Closed() const { return window_ == nullptr; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControl(const ControlSpec& spec);
    HFONT Font(int pixels);
    void PlaceControls(int clientWidth, int clientHeight);

    struct Placed {
        ControlId id;
        RECT design;
        unsigned anchors;
    };

    WindowEvents events_;
    HWND window_ = nullptr;
    std::map<int, HFONT> fonts_;
    std::vector<Placed> placed_;
    std::map<ControlId, std::unique_ptr<GradientBar>> bars_;
    std::unique_ptr<Win32UiDispatcher> dispatcher_;
    bool waitCursor_ = false;
};

} // namespace ui::win32
