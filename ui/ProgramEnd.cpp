#include "ui/ProgramEnd.h"

#include "ui/MainForm.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace ui {

namespace {

// How long a worker gets to end after the window has closed.
constexpr std::chrono::milliseconds WorkerGrace(500);

} // namespace

int EndProgram(const TMainForm& form, int exitCode)
{
    if (!form.WaitForWorker(WorkerGrace)) {
        // urls.txt is saved and the worker no longer touches the window.
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
    return exitCode;
}

} // namespace ui
