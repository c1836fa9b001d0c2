#include "ui/win32/ProgramRun.h"

#include "ui/win32/FormEvents.h"
#include "ui/win32/MessageLoop.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace ui::win32 {

namespace {

// How long a worker gets to end after the window has closed.
constexpr std::chrono::milliseconds WorkerGrace(500);

} // namespace

int RunProgram(Win32MainWindow& window, TMainForm& form)
{
    window.Show();
    SetFocus(window.Item(Control::OpenSiteButton));
    ShowingErrors(form, [&] { form.FormShow(); });
    if (form.StartupFailed()) {
        return 0;
    }
    const int exitCode = RunMessageLoop(window.Handle());
    if (!form.WaitForWorker(WorkerGrace)) {
        // urls.txt is saved and the worker no longer touches the window.
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
    return exitCode;
}

} // namespace ui::win32
