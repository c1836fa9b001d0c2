#pragma once

#include <windows.h>

namespace ui::win32 {

// Handles every message waiting for this thread, Tab and the other dialog keys of `window`
// included, then returns. A request to quit found on the way is posted again for the main loop.
void ProcessPendingMessages(HWND window);

// Runs the message loop until the window has been destroyed; returns the exit code.
int RunMessageLoop(HWND window);

} // namespace ui::win32
