#pragma once

namespace ui {

// The controls of the main window, in the order the window declares them.
enum class Control {
    ProgressBar,
    LogsMemo,
    Label2,
    StartButton,
    StopButton,
    PauseButton,
    StagesProgressBar,
    Label1,
    OpenSiteButton,
    Label3,
    Label5,
    Label6,
    IntervalSpinEdit,
    UrlsMemo,
    Button1,
    MobilesCheckBox,
};

inline constexpr int ControlCount = static_cast<int>(Control::MobilesCheckBox) + 1;

} // namespace ui
