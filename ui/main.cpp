// The program start: the application object, the one window and the message loop.
#include "crawl/http/TlsLibrary.h"
#include "crawl/platform/ProgramFolder.h"
#include "ui/Application.h"
#include "ui/BuildRegistryHost.h"
#include "ui/MainForm.h"
#include "ui/MainLoop.h"
#include "ui/SystemRunClock.h"

#include <QDesktopServices>

int main(int argc, char** argv)
{
    const QString registryHost = QString::fromUtf8(ui::BuildRegistryHost);
    ui::Application application(argc, argv, ui::ApplicationTitle(registryHost));

    ui::MainFormSettings settings;
    settings.programFolder = QString::fromStdU16String(crawl::ProgramFolder());
    settings.registryHost = registryHost;
    settings.open = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    settings.tlsLibraryAvailable = [] { return crawl::http::TlsLibraryAvailable(); };
    settings.clock = ui::SystemRunClock();

    ui::TMainForm MainForm(std::move(settings));
    return ui::RunMainLoop(MainForm);
}
