#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace crawl {

// The window side of a crawl run. The worker calls every member on the UI thread (through
// its Synchronize), one at a time, and waits until it has returned; an exception thrown
// here reaches the worker at that call.
class ScraperWindow {
public:
    virtual ~ScraperWindow() = default;

    // The four hand-over operations.
    // Start (true) or end (false) state of the window for a run.
    virtual void UpdateBusyState(bool cursorHourGlass) = 0;
    // Appends the time-stamped line (time stamp + ": " + message) to the log view.
    virtual void AddLogLine(std::u16string_view message) = 0;
    virtual void UpdateProgressBar(std::int32_t position, std::int32_t maximum) = 0;
    virtual void UpdateStagesProgressBar(std::int32_t position, std::int32_t maximum) = 0;

    // Window state the run reads.
    // Lines of the link list (UrlsMemo).
    virtual std::int32_t LinkLineCount() = 0;
    virtual std::u16string LinkLine(std::int32_t index) = 0;
    // Value of IntervalSpinEdit, in seconds.
    virtual double IntervalSeconds() = 0;
    // MobilesCheckBox ticked.
    virtual bool MobilesOnly() = 0;
};

} // namespace crawl
