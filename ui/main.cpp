// The program start: the application object, the one window and the message loop.
#include "crawl/platform/ProgramFolder.h"
#include "ui/Application.h"
#include "ui/BuildRegistryHost.h"
#include "ui/MainForm.h"

#include <QDesktopServices>

int main(int argc, char** argv)
{
    const QString registryHost = QString::fromUtf8(ui::BuildRegistryHost);
    ui::Application application(argc, argv, QStringLiteral("Парсер ") + registryHost);

    ui::MainFormSettings settings;
    settings.programFolder = QString::fromStdU16String(crawl::ProgramFolder());
    settings.registryHost = registryHost;
    settings.open = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    settings.tlsLibraryAvailable = [] { return true; };

    ui::TMainForm MainForm(std::move(settings));
    MainForm.show();
    if (MainForm.StartupFailed()) {
        return 0;
    }
    return application.exec();
}
