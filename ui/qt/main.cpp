// The program start: the application object, the one window and the message loop.
#include "crawl/platform/ProgramFolder.h"
#include "crawl/text/Text.h"
#include "ui/BuildRegistryHost.h"
#include "ui/ErrorBox.h"
#include "ui/SystemRunClock.h"
#include "ui/platform/ProgramFolderRules.h"
#include "ui/qt/Application.h"
#include "ui/qt/MainLoop.h"
#include "ui/qt/MainWindow.h"

int main(int argc, char** argv)
{
    const std::u16string registryHost = crawl::Utf8ToUtf16(ui::BuildRegistryHost);
    ui::Application application(
        argc, argv, QString::fromStdU16String(ui::ApplicationTitle(registryHost)));

    ui::MainFormSettings settings;
    settings.programFolder = crawl::ProgramFolder();
    settings.executableFolder = crawl::ExecutableFolder();
    settings.registryHost = registryHost;
    settings.tlsLibraryFound = [folder = settings.programFolder] {
        return ui::TlsLibraryFound(folder);
    };
    settings.clock = ui::SystemRunClock();

    ui::MainWindow MainForm(std::move(settings));
    return ui::RunMainLoop(MainForm);
}
