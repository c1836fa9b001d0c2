#include "bench/crawl/WindowRun.h"

#include "ui/SystemRunClock.h"

#include <QEventLoop>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>

#include <chrono>

namespace bench {

void UseOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

ui::MainFormSettings BenchFormSettings(const QString& folder, const QString& registryHost)
{
    ui::MainFormSettings settings;
    settings.programFolder = folder;
    settings.registryHost = registryHost;
    settings.open = [](const QUrl&) {};
    settings.tlsLibraryAvailable = [] { return true; };
    settings.clock = ui::SystemRunClock();
    return settings;
}

double RunFromWindow(ui::TMainForm& form, const QString& link, int intervalSeconds)
{
    form.UrlsMemo->setPlainText(link);
    form.IntervalSpinEdit->setValue(intervalSeconds);
    QEventLoop loop;
    QTimer endCheck;
    endCheck.setTimerType(Qt::PreciseTimer);
    QObject::connect(&endCheck, &QTimer::timeout, [&] {
        if (form.WaitForWorker(std::chrono::milliseconds(0))) {
            loop.quit();
        }
    });
    const auto start = std::chrono::steady_clock::now();
    form.StartButtonClick();
    endCheck.start(2);
    loop.exec();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace bench
