// The program start: the one window, the form that holds its rules, and the message loop. The
// main window itself has the task bar button, as a top-level window without an owner does.
#include "crawl/platform/ProgramFolder.h"
#include "ui/BuildRegistryHost.h"
#include "ui/MainForm.h"
#include "ui/SystemRunClock.h"
#include "ui/platform/ProgramFolderRules.h"
#include "ui/win32/FormEvents.h"
#include "ui/win32/ProgramRun.h"
#include "ui/win32/Win32FormView.h"
#include "ui/win32/Win32MainWindow.h"

#include <windows.h>

#include <string>
#include <string_view>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::string_view host = ui::BuildRegistryHost;
    const std::u16string registryHost(host.begin(), host.end());

    ui::win32::Win32MainWindow window(registryHost);
    ui::win32::Win32FormView view(window);
    ui::MainFormSettings settings;
    settings.programFolder = crawl::ProgramFolder();
    settings.executableFolder = crawl::ExecutableFolder();
    settings.registryHost = registryHost;
    settings.tlsLibraryFound = [folder = settings.programFolder] {
        return ui::TlsLibraryFound(folder);
    };
    settings.clock = ui::SystemRunClock();

    ui::TMainForm MainForm(view, std::move(settings));
    window.SetEvents(ui::win32::FormEvents(MainForm));
    return ui::win32::RunProgram(window, MainForm);
}
