#include "ui/win32/ProgramRun.h"

#include "ui/ProgramEnd.h"
#include "ui/win32/FormEvents.h"
#include "ui/win32/MessageLoop.h"

namespace ui::win32 {

int RunProgram(Win32MainWindow& window, TMainForm& form)
{
    window.Show();
    SetFocus(window.Item(Control::OpenSiteButton));
    ShowingErrors(form, [&] { form.FormShow(); });
    if (form.StartupFailed()) {
        return 0;
    }
    return EndProgram(form, RunMessageLoop(window.Handle()));
}

} // namespace ui::win32
