#include "bench/crawl/TimedForm.h"

#include <chrono>

namespace bench {
namespace {

// Runs `operation` and appends its duration in seconds to `samples`, also when it throws.
template <class Operation>
void Timed(std::vector<double>& samples, Operation operation)
{
    const auto start = std::chrono::steady_clock::now();
    struct Record {
        std::vector<double>& samples;
        std::chrono::steady_clock::time_point start;
        ~Record()
        {
            samples.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    } record{samples, start};
    operation();
}

} // namespace

TimedWindow::TimedWindow(ui::MainFormSettings settings)
    : MainWindow(std::move(settings), [](ui::MainFormView& view, ui::MainFormSettings formSettings) {
          return std::make_unique<TimedForm>(view, std::move(formSettings));
      })
{
}

TimedForm& TimedWindow::Timed()
{
    return static_cast<TimedForm&>(Form());
}

void TimedForm::UpdateBusyState(bool cursorHourGlass)
{
    Timed(cursorHourGlass ? timings_.busyStateStart : timings_.busyStateEnd,
          [&] { TMainForm::UpdateBusyState(cursorHourGlass); });
}

void TimedForm::AddLogLine(std::u16string_view message)
{
    Timed(timings_.addLogLine, [&] { TMainForm::AddLogLine(message); });
}

void TimedForm::UpdateProgressBar(std::int32_t position, std::int32_t maximum)
{
    Timed(timings_.updateProgressBar, [&] { TMainForm::UpdateProgressBar(position, maximum); });
}

void TimedForm::UpdateStagesProgressBar(std::int32_t position, std::int32_t maximum)
{
    Timed(timings_.updateStagesProgressBar,
          [&] { TMainForm::UpdateStagesProgressBar(position, maximum); });
    if (onStagesProgress_) {
        onStagesProgress_(position);
    }
}

} // namespace bench
