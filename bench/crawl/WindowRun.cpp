#include "bench/crawl/WindowRun.h"

#include "ui/SystemRunClock.h"

#include <QDesktopServices>
#include <QEvent>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <chrono>
#include <functional>
#include <stdexcept>

namespace bench {
namespace {

constexpr std::chrono::milliseconds FallbackCheck(500);
constexpr std::chrono::minutes RunEndLimit(1);

// Calls `enabledAgain` each time `widget` becomes enabled.
class EnabledAgainWatch : public QObject {
public:
    EnabledAgainWatch(QWidget* widget, std::function<void()> enabledAgain)
        : widget_(widget), enabledAgain_(std::move(enabledAgain))
    {
        widget_->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == widget_ && event->type() == QEvent::EnabledChange && widget_->isEnabled()) {
            enabledAgain_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* widget_;
    std::function<void()> enabledAgain_;
};

} // namespace

void UseOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

ui::MainFormSettings BenchFormSettings(const QString& folder, const QString& registryHost)
{
    ui::MainFormSettings settings;
    settings.programFolder = folder.toStdU16String();
    settings.executableFolder = settings.programFolder;
    settings.registryHost = registryHost.toStdU16String();
    settings.tlsLibraryFound = [] { return true; };
    settings.clock = ui::SystemRunClock();
    return settings;
}

IgnoredFileOpens::IgnoredFileOpens()
{
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open");
}

IgnoredFileOpens::~IgnoredFileOpens()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

double RunFromWindow(ui::MainWindow& window, const QString& link, int intervalSeconds)
{
    window.UrlsMemo->setPlainText(link);
    window.IntervalSpinEdit->setValue(intervalSeconds);
    ui::TMainForm& form = window.Form();
    const IgnoredFileOpens ignoredOpens;
    QEventLoop loop;
    // The end branch of the run enables START again; once it has returned, the worker only ends.
    // No polling timer: its wake-ups would cost the UI thread during the run.
    EnabledAgainWatch watch(window.StartButton, [&] {
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // A run that ends before its end branch (no result file) is found by a slow check.
    QTimer fallback;
    QObject::connect(&fallback, &QTimer::timeout, [&] {
        if (form.WaitForWorker(std::chrono::milliseconds(0))) {
            loop.quit();
        }
    });
    const auto start = std::chrono::steady_clock::now();
    form.StartButtonClick();
    fallback.start(FallbackCheck);
    loop.exec();
    if (!form.WaitForWorker(RunEndLimit)) {
        throw std::runtime_error("the worker did not end after its run");
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace bench
