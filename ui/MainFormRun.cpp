// Run control: START, pause and stop, and the operations a run has the UI thread perform.
#include "ui/MainForm.h"

#include "crawl/Error.h"
#include "crawl/platform/TickCount.h"
#include "crawl/run/TScraper.h"
#include "crawl/text/Text.h"
#include "ui/FormLayout.h"
#include "ui/LogFile.h"
#include "ui/MainFormView.h"
#include "ui/TimeStamp.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace ui {

void TMainForm::StartButtonClick()
{
    // The HTTP client serves one request at a time: no run while a collection uses it.
    if (collecting_) {
        return;
    }
    if (view_.Text(Control::UrlsMemo).find(u"://") == std::u16string::npos) {
        view_.AppendLine(Control::LogsMemo,
                         u"Задайте ссылку на страницу со списком организаций!\nПример: " +
                             DefaultLink(settings_.registryHost));
        return;
    }
    // A second press before the run has disabled START starts no second worker.
    if (RunningWorker()) {
        return;
    }
    WaitForEndedWorker();
    const std::shared_ptr<crawl::TScraper> worker = crawl::TScraper::Create({
        .http = IdHTTP1,
        .dispatcher = view_.Dispatcher(),
        .window = *this,
        .registryHost = settings_.registryHost,
        .programFolder = settings_.programFolder,
        .clock = settings_.clock,
        // On the UI thread, as every window operation; ShellOpen does not wait for the
        // application it starts.
        .openFile =
            [&view = view_](const std::u16string& path) {
                view.Dispatcher().Invoke([&] { view.ShellOpen(path); });
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
        AppendTimeStampedLine(u"Отключаем паузу, продолжаем работу");
    } else {
        worker->Pause();
        AppendTimeStampedLine(u"Включаем паузу");
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
    AppendTimeStampedLine(u"Останавливаем работу");
    SetProgressPosition(Control::ProgressBar, progressBar_, 0);
    SetProgressPosition(Control::StagesProgressBar, stagesProgressBar_, 0);
}

std::shared_ptr<crawl::TScraper> TMainForm::RunningWorker() const
{
    std::shared_ptr<crawl::TScraper> worker = worker_.lock();
    if (worker && worker->Finished()) {
        return nullptr;
    }
    return worker;
}

void TMainForm::WaitForEndedWorker()
{
    // Its thread only frees what its run held, without the window: a short wait.
    if (const std::shared_ptr<crawl::TScraper> ended = std::exchange(endedWorker_, {}).lock()) {
        ended->WaitUntilFinished(std::chrono::minutes(5));
    }
}

bool TMainForm::WaitForWorker(std::chrono::milliseconds limit) const
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (const std::weak_ptr<crawl::TScraper>& reference : {endedWorker_, worker_}) {
        const std::shared_ptr<crawl::TScraper> worker = reference.lock();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (worker && !worker->WaitUntilFinished(std::max(left, std::chrono::milliseconds(0)))) {
            return false;
        }
    }
    return true;
}

void TMainForm::UpdateBusyState(bool cursorHourGlass)
{
    if (cursorHourGlass) {
        view_.SetText(Control::LogsMemo, u"");
        AppendTimeStampedLine(u"Начинаем работу по списку ссылок:");
        std::u16string links = view_.Text(Control::UrlsMemo);
        if (!links.empty() && links.back() == u'\n') {
            links.pop_back();
        }
        view_.AppendLine(Control::LogsMemo, links);
        view_.SetEnabled(Control::UrlsMemo, false);
        view_.SetEnabled(Control::StartButton, false);
        // The run owns the HTTP client until its end.
        view_.SetEnabled(Control::Button1, false);
        return;
    }
    // Only the current worker sends the end branch; from here on START, pause and stop act as
    // without a run, though its thread has not returned yet.
    if (const std::shared_ptr<crawl::TScraper> worker = worker_.lock()) {
        endedWorker_ = worker;
    }
    worker_.reset();
    AppendTimeStampedLine(u"Работа завершена");
    // The controls come back even when the log file cannot be written.
    view_.SetEnabled(Control::UrlsMemo, true);
    view_.SetEnabled(Control::StartButton, true);
    view_.SetEnabled(Control::Button1, true);
    WriteRunLog();
}

void TMainForm::WriteRunLog()
{
    try {
        WriteLogFile(settings_.programFolder + LogFileName(crawl::GetTickCount()),
                     view_.Text(Control::LogsMemo), Narrow());
    } catch (const crawl::Error& error) {
        // Without a line here the user would never learn that the log was not saved.
        AppendTimeStampedLine(u"Ошибка: " + error.Message());
        throw;
    }
}

void TMainForm::AddLogLine(std::u16string_view message)
{
    AppendTimeStampedLine(message);
}

void TMainForm::AppendTimeStampedLine(std::u16string_view message)
{
    const LocalMoment now = view_.Now();
    view_.AppendLine(Control::LogsMemo, TimeStampText(now, view_.ShortDate(now), view_.LongTime(now)) +
                                            u": " + std::u16string(message));
}

void TMainForm::UpdateProgressBar(std::int32_t position, std::int32_t maximum)
{
    ShowProgress(Control::ProgressBar, progressBar_, position, maximum);
    // The window stays responsive (repaints, pause and stop) while the run goes on.
    view_.ProcessMessages();
}

void TMainForm::UpdateStagesProgressBar(std::int32_t position, std::int32_t maximum)
{
    ShowProgress(Control::StagesProgressBar, stagesProgressBar_, position, maximum);
}

void TMainForm::ShowProgress(Control bar, ProgressBarState& state, std::int32_t position,
                             std::int32_t maximum)
{
    // A maximum below 0 becomes 0, and a position above the new maximum is lowered to it.
    state.max = std::max(0, maximum);
    state.position = std::min(state.position, state.max);
    view_.SetProgressMax(bar, state.max);
    SetProgressPosition(bar, state, position);
    view_.SetProgressHint(bar, crawl::IntToText(state.position) + u" из " +
                                   crawl::IntToText(state.max) + u", осталось " +
                                   crawl::IntToText(state.max - state.position));
}

void TMainForm::SetProgressPosition(Control bar, ProgressBarState& state, std::int32_t position)
{
    state.position = std::clamp(position, 0, state.max);
    view_.SetProgressPosition(bar, state.position);
}

std::int32_t TMainForm::LinkLineCount()
{
    // A line break at the very end adds no line, and an empty field has none.
    const std::int32_t lines = view_.LineCount(Control::UrlsMemo);
    return lines > 0 && view_.Line(Control::UrlsMemo, lines - 1).empty() ? lines - 1 : lines;
}

std::u16string TMainForm::LinkLine(std::int32_t index)
{
    return view_.Line(Control::UrlsMemo, index);
}

double TMainForm::IntervalSeconds()
{
    return view_.Value(Control::IntervalSpinEdit);
}

bool TMainForm::MobilesOnly()
{
    return view_.Checked(Control::MobilesCheckBox);
}

} // namespace ui
