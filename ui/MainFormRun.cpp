// Run control: START, pause and stop, and the operations a run has the UI thread perform.
#include "ui/MainForm.h"

#include "crawl/Error.h"
#include "crawl/platform/TickCount.h"
#include "crawl/run/TScraper.h"
#include "ui/GradientProgressBar.h"
#include "ui/LogFile.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>

namespace ui {

namespace {

// Steps 1 to 4 of a progress update: maximum, position, hint from the bar's own values.
void ShowProgress(GradientProgressBar& bar, std::int32_t position, std::int32_t maximum)
{
    bar.SetMax(maximum);
    bar.SetPosition(position);
    bar.setToolTip(QStringLiteral("%1 из %2, осталось %3")
                       .arg(bar.Position())
                       .arg(bar.Max())
                       .arg(bar.Max() - bar.Position()));
}

} // namespace

void TMainForm::StartButtonClick()
{
    // The HTTP client serves one request at a time: no run while a collection uses it.
    if (collecting_) {
        return;
    }
    if (!UrlsMemo->toPlainText().contains(QStringLiteral("://"))) {
        AppendLogLine(QStringLiteral("Задайте ссылку на страницу со списком "
                                     "организаций!\nПример: https://") +
                      settings_.registryHost + QStringLiteral("/sro/322/member/list"));
        return;
    }
    // A second press before the run has disabled START starts no second worker.
    if (RunningWorker()) {
        return;
    }
    const std::shared_ptr<crawl::TScraper> worker = crawl::TScraper::Create({
        .http = IdHTTP1,
        .dispatcher = dispatcher_,
        .window = *this,
        .registryHost = settings_.registryHost.toStdU16String(),
        .programFolder = settings_.programFolder.toStdU16String(),
        .clock = settings_.clock,
        .openFile =
            [open = settings_.open](const std::u16string& path) {
                open(QUrl::fromLocalFile(QString::fromStdU16String(path)));
            },
    });
    worker_ = worker;
    worker->Start();
}

void TMainForm::PauseButtonClick()
{
    const std::shared_ptr<crawl::TScraper> worker = RunningWorker();
    if (!worker) {
        return;
    }
    if (worker->IsPaused()) {
        worker->Continue();
        AppendTimeStampedLine(QStringLiteral("Отключаем паузу, продолжаем работу"));
    } else {
        worker->Pause();
        AppendTimeStampedLine(QStringLiteral("Включаем паузу"));
    }
}

void TMainForm::StopButtonClick()
{
    const std::shared_ptr<crawl::TScraper> worker = RunningWorker();
    if (!worker) {
        return;
    }
    // The stop request also continues a paused worker, so that it reaches its stop points.
    worker->Terminate();
    AppendTimeStampedLine(QStringLiteral("Останавливаем работу"));
    ProgressBar->SetPosition(0);
    StagesProgressBar->SetPosition(0);
}

std::shared_ptr<crawl::TScraper> TMainForm::RunningWorker() const
{
    std::shared_ptr<crawl::TScraper> worker = worker_.lock();
    if (worker && worker->Finished()) {
        return nullptr;
    }
    return worker;
}

bool TMainForm::WaitForWorker(std::chrono::milliseconds limit) const
{
    const std::shared_ptr<crawl::TScraper> worker = worker_.lock();
    return !worker || worker->WaitUntilFinished(limit);
}

void TMainForm::UpdateBusyState(bool cursorHourGlass)
{
    if (cursorHourGlass) {
        ClearLog();
        AppendTimeStampedLine(QStringLiteral("Начинаем работу по списку ссылок:"));
        QString links = UrlsMemo->toPlainText();
        if (links.endsWith(QLatin1Char('\n'))) {
            links.chop(1);
        }
        AppendLogLine(links);
        UrlsMemo->setEnabled(false);
        StartButton->setEnabled(false);
        // The run owns the HTTP client until its end.
        Button1->setEnabled(false);
        return;
    }
    AppendTimeStampedLine(QStringLiteral("Работа завершена"));
    // The controls come back even when the log file cannot be written.
    UrlsMemo->setEnabled(true);
    StartButton->setEnabled(true);
    Button1->setEnabled(true);
    try {
        WriteLogFile(settings_.programFolder + LogFileName(crawl::GetTickCount()), LogText());
    } catch (const crawl::Error& error) {
        // Without a line here the user would never learn that the log was not saved.
        AppendTimeStampedLine(QStringLiteral("Ошибка: ") +
                              QString::fromStdU16String(error.Message()));
        throw;
    }
}

void TMainForm::AddLogLine(std::u16string_view message)
{
    AppendTimeStampedLine(QString::fromStdU16String(std::u16string(message)));
}

void TMainForm::UpdateProgressBar(std::int32_t position, std::int32_t maximum)
{
    ShowProgress(*ProgressBar, position, maximum);
    // The window stays responsive (repaints, pause and stop) while the run goes on.
    QCoreApplication::processEvents();
}

void TMainForm::UpdateStagesProgressBar(std::int32_t position, std::int32_t maximum)
{
    ShowProgress(*StagesProgressBar, position, maximum);
}

std::int32_t TMainForm::LinkLineCount()
{
    // A line break at the very end adds no line, and an empty field has none.
    const QTextDocument& document = *UrlsMemo->document();
    const int blocks = document.blockCount();
    return document.lastBlock().text().isEmpty() ? blocks - 1 : blocks;
}

std::u16string TMainForm::LinkLine(std::int32_t index)
{
    return UrlsMemo->document()->findBlockByNumber(index).text().toStdU16String();
}

double TMainForm::IntervalSeconds()
{
    return IntervalSpinEdit->value();
}

bool TMainForm::MobilesOnly()
{
    return MobilesCheckBox->isChecked();
}

} // namespace ui
