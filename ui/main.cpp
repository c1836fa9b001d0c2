// The program start: the application object, the one window and the message loop.
#include "crawl/http/TlsLibrary.h"
#include "crawl/platform/ProgramFolder.h"
#include "ui/Application.h"
#include "ui/BuildRegistryHost.h"
#include "ui/MainForm.h"
#include "ui/SystemRunClock.h"

#include <QDesktopServices>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// After the window has closed, a run's worker gets this long to end; one that is stuck in a
// request does not keep the program alive.
constexpr std::chrono::milliseconds WorkerGrace(500);

} // namespace

int main(int argc, char** argv)
{
    const QString registryHost = QString::fromUtf8(ui::BuildRegistryHost);
    ui::Application application(argc, argv, QStringLiteral("Парсер ") + registryHost);

    ui::MainFormSettings settings;
    settings.programFolder = QString::fromStdU16String(crawl::ProgramFolder());
    settings.registryHost = registryHost;
    settings.open = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    settings.tlsLibraryAvailable = [] { return crawl::http::TlsLibraryAvailable(); };
    settings.clock = ui::SystemRunClock();

    ui::TMainForm MainForm(std::move(settings));
    MainForm.show();
    if (MainForm.StartupFailed()) {
        return 0;
    }
    const int exitCode = application.exec();
    if (!MainForm.WaitForWorker(WorkerGrace)) {
        // urls.txt is saved and the worker no longer touches the window: end here, without
        // destroying what the worker still holds.
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
    return exitCode;
}
