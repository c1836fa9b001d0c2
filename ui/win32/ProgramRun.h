#pragma once

#include "ui/MainForm.h"
#include "ui/win32/Win32MainWindow.h"

namespace ui::win32 {

// Shows the window, runs the form's start-up and the message loop until the window closes;
// returns the program's exit code. Closing the window during a run does not wait for the
// worker: the process then ends without destroying the window the worker still refers to.
int RunProgram(Win32MainWindow& window, TMainForm& form);

} // namespace ui::win32
