#include "ui/win32/MessageLoop.h"

namespace ui::win32 {

namespace {

void Dispatch(HWND window, MSG& message)
{
    // The dialog manager moves the focus with Tab and the arrow keys and presses buttons with
    // Space, as in a dialog box.
    if (window != nullptr && IsWindow(window) && IsDialogMessageW(window, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

void ProcessPendingMessages(HWND window)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(window, message);
    }
}

int RunMessageLoop(HWND window)
{
    MSG message;
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        Dispatch(window, message);
    }
    return result == 0 ? static_cast<int>(message.wParam) : 1;
}

} // namespace ui::win32
