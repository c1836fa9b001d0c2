#pragma once

#include "crawl/run/ScraperWindow.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace crawl::runtest {

// One call of the worker on the window, with its values.
struct WindowCall {
    enum class Kind {
        BusyState,
        LogLine,
        ProgressBar,
        StagesProgressBar,
        LinkLineCount,
        LinkLine,
        Interval,
        MobilesOnly
    };
    explicit WindowCall(Kind callKind) : kind(callKind) {}

    Kind kind;
    bool busy = false;         // BusyState
    std::u16string text;       // LogLine
    std::int32_t position = 0; // the bars; the index of LinkLine
    std::int32_t maximum = 0;  // the bars

    bool operator==(const WindowCall&) const = default;
};

// Readable failure messages of the tests.
void PrintTo(const WindowCall& call, std::ostream* out);

WindowCall Busy(bool busy);
WindowCall Log(std::u16string text);
WindowCall Progress(std::int32_t position, std::int32_t maximum);
WindowCall Stages(std::int32_t position, std::int32_t maximum);

// A window that records every call of the worker in order. Its state (link lines, interval,
// check box) is set by the test; `onCall` runs on the UI thread after each call is recorded and
// may act like the user (press stop, tick the box) or throw to make the call fail.
class RecordingWindow : public ScraperWindow {
public:
    // Tells whether the current thread is the UI thread; calls made elsewhere are counted.
    explicit RecordingWindow(std::function<bool()> onUiThread) : onUiThread_(std::move(onUiThread))
    {
    }

    void UpdateBusyState(bool cursorHourGlass) override;
    void AddLogLine(std::u16string_view message) override;
    void UpdateProgressBar(std::int32_t position, std::int32_t maximum) override;
    void UpdateStagesProgressBar(std::int32_t position, std::int32_t maximum) override;
    std::int32_t LinkLineCount() override;
    std::u16string LinkLine(std::int32_t index) override;
    double IntervalSeconds() override;
    bool MobilesOnly() override;

    void SetLinks(std::vector<std::u16string> lines);
    void SetInterval(double seconds);
    void SetMobilesOnly(bool mobilesOnly);
    void SetOnCall(std::function<void(const WindowCall&)> onCall);

    // Forgets the calls recorded so far (before the next run of a test).
    void ClearCalls();
    std::vector<WindowCall> Calls() const;
    // The four hand-over operations only, without the reads of window state.
    std::vector<WindowCall> Reports() const;
    std::vector<std::u16string> LogLines() const;
    int CallsOffUiThread() const;

private:
    void Record(WindowCall call);

    std::function<bool()> onUiThread_;
    mutable std::mutex mutex_;
    std::vector<WindowCall> calls_;
    int callsOffUiThread_ = 0;
    std::vector<std::u16string> links_;
    double interval_ = 1;
    bool mobilesOnly_ = false;
    std::function<void(const WindowCall&)> onCall_;
};

} // namespace crawl::runtest
