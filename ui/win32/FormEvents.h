#pragma once

#include "ui/MainForm.h"
#include "ui/win32/Win32MainWindow.h"

namespace ui::win32 {

// The window's events passed to the form's handlers. An error that a handler lets through is
// shown in the default error box, and the program goes on.
WindowEvents FormEvents(TMainForm& form);

// Runs `handler` as the toolkit runs an event handler: what it throws goes to the error box.
template <typename Handler>
void ShowingErrors(TMainForm& form, Handler handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        form.ShowErrorBox(error);
    }
}

} // namespace ui::win32
