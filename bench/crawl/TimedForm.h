#pragma once

#include "ui/MainForm.h"
#include "ui/qt/MainWindow.h"

#include <cstdint>
#include <functional>
#include <vector>

// The program's window with a stopwatch on the hand-over operations a run has it perform.
namespace bench {

class TimedForm;

// The Qt window showing a TimedForm.
class TimedWindow : public ui::MainWindow {
public:
    explicit TimedWindow(ui::MainFormSettings settings);

    TimedForm& Timed();
};

class TimedForm : public ui::TMainForm {
public:
    using TMainForm::TMainForm;

    // Seconds each call took, in call order.
    struct Timings {
        std::vector<double> addLogLine;
        std::vector<double> updateProgressBar;
        std::vector<double> updateStagesProgressBar;
        std::vector<double> busyStateStart;
        std::vector<double> busyStateEnd; // the end line and the log file
    };

    const Timings& CallTimings() const { return timings_; }
    void ClearTimings() { timings_ = {}; }
    // Runs on the UI thread after each stages update, with the position shown.
    void SetOnStagesProgress(std::function<void(std::int32_t position)> onStagesProgress)
    {
        onStagesProgress_ = std::move(onStagesProgress);
    }

    void UpdateBusyState(bool cursorHourGlass) override;
    void AddLogLine(std::u16string_view message) override;
    void UpdateProgressBar(std::int32_t position, std::int32_t maximum) override;
    void UpdateStagesProgressBar(std::int32_t position, std::int32_t maximum) override;

private:
    Timings timings_;
    std::function<void(std::int32_t)> onStagesProgress_;
};

} // namespace bench
