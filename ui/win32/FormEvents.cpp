#include "ui/win32/FormEvents.h"

namespace ui::win32 {

namespace {

bool Held(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

WindowEvents FormEvents(TMainForm& form)
{
    WindowEvents events;
    events.click = [&form](Control button) {
        ShowingErrors(form, [&] {
            switch (button) {
            case Control::OpenSiteButton:
                form.OpenSiteButtonClick();
                break;
            case Control::StartButton:
                form.StartButtonClick();
                break;
            case Control::PauseButton:
                form.PauseButtonClick();
                break;
            case Control::StopButton:
                form.StopButtonClick();
                break;
            case Control::Button1:
                form.Button1Click();
                break;
            default:
                break;
            }
        });
    };
    events.keyDown = [&form](Control field, WORD key) {
        const ShiftState shift{Held(VK_SHIFT), Held(VK_MENU), Held(VK_CONTROL)};
        ShowingErrors(form, [&] {
            if (field == Control::UrlsMemo) {
                form.UrlsMemoKeyDown(key, shift);
            } else {
                form.LogsMemoKeyDown(key, shift);
            }
        });
    };
    // FormClose shows its own error box and then keeps the window open.
    events.closing = [&form] { return form.FormClose(); };
    return events;
}

} // namespace ui::win32
