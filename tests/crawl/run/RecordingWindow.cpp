#include "RecordingWindow.h"

#include "crawl/text/Text.h"

namespace crawl::runtest {

namespace {

WindowCall Call(WindowCall::Kind kind, std::int32_t position = 0, std::int32_t maximum = 0)
{
    WindowCall call(kind);
    call.position = position;
    call.maximum = maximum;
    return call;
}

} // namespace

void PrintTo(const WindowCall& call, std::ostream* out)
{
    static const char* const names[] = {"Busy",          "Log",      "Progress", "Stages",
                                        "LinkLineCount", "LinkLine", "Interval", "MobilesOnly"};
    *out << names[static_cast<int>(call.kind)] << "(";
    switch (call.kind) {
    case WindowCall::Kind::BusyState:
        *out << (call.busy ? "true" : "false");
        break;
    case WindowCall::Kind::LogLine:
        *out << '"' << Utf16ToUtf8(call.text) << '"';
        break;
    case WindowCall::Kind::ProgressBar:
    case WindowCall::Kind::StagesProgressBar:
        *out << call.position << ", " << call.maximum;
        break;
    case WindowCall::Kind::LinkLine:
        *out << call.position;
        break;
    default:
        break;
    }
    *out << ")";
}

WindowCall Busy(bool busy)
{
    WindowCall call(WindowCall::Kind::BusyState);
    call.busy = busy;
    return call;
}

WindowCall Log(std::u16string text)
{
    WindowCall call(WindowCall::Kind::LogLine);
    call.text = std::move(text);
    return call;
}

WindowCall Progress(std::int32_t position, std::int32_t maximum)
{
    return Call(WindowCall::Kind::ProgressBar, position, maximum);
}

WindowCall Stages(std::int32_t position, std::int32_t maximum)
{
    return Call(WindowCall::Kind::StagesProgressBar, position, maximum);
}

void RecordingWindow::Record(WindowCall call)
{
    std::function<void(const WindowCall&)> onCall;
    {
        std::lock_guard lock(mutex_);
        if (!onUiThread_()) {
            ++callsOffUiThread_;
        }
        calls_.push_back(call);
        onCall = onCall_;
    }
    if (onCall) {
        onCall(call);
    }
}

void RecordingWindow::UpdateBusyState(bool cursorHourGlass)
{
    Record(Busy(cursorHourGlass));
}

void RecordingWindow::AddLogLine(std::u16string_view message)
{
    Record(Log(std::u16string(message)));
}

void RecordingWindow::UpdateProgressBar(std::int32_t position, std::int32_t maximum)
{
    Record(Progress(position, maximum));
}

void RecordingWindow::UpdateStagesProgressBar(std::int32_t position, std::int32_t maximum)
{
    Record(Stages(position, maximum));
}

std::int32_t RecordingWindow::LinkLineCount()
{
    Record(Call(WindowCall::Kind::LinkLineCount));
    std::lock_guard lock(mutex_);
    return static_cast<std::int32_t>(links_.size());
}

std::u16string RecordingWindow::LinkLine(std::int32_t index)
{
    Record(Call(WindowCall::Kind::LinkLine, index));
    std::lock_guard lock(mutex_);
    return links_.at(static_cast<std::size_t>(index));
}

double RecordingWindow::IntervalSeconds()
{
    Record(Call(WindowCall::Kind::Interval));
    std::lock_guard lock(mutex_);
    return interval_;
}

bool RecordingWindow::MobilesOnly()
{
    Record(Call(WindowCall::Kind::MobilesOnly));
    std::lock_guard lock(mutex_);
    return mobilesOnly_;
}

void RecordingWindow::SetLinks(std::vector<std::u16string> lines)
{
    std::lock_guard lock(mutex_);
    links_ = std::move(lines);
}

void RecordingWindow::SetInterval(double seconds)
{
    std::lock_guard lock(mutex_);
    interval_ = seconds;
}

void RecordingWindow::SetMobilesOnly(bool mobilesOnly)
{
    std::lock_guard lock(mutex_);
    mobilesOnly_ = mobilesOnly;
}

void RecordingWindow::SetOnCall(std::function<void(const WindowCall&)> onCall)
{
    std::lock_guard lock(mutex_);
    onCall_ = std::move(onCall);
}

void RecordingWindow::ClearCalls()
{
    std::lock_guard lock(mutex_);
    calls_.clear();
}

std::vector<WindowCall> RecordingWindow::Calls() const
{
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<WindowCall> RecordingWindow::Reports() const
{
    std::vector<WindowCall> reports;
    for (const WindowCall& call : Calls()) {
        if (call.kind <= WindowCall::Kind::StagesProgressBar) {
            reports.push_back(call);
        }
    }
    return reports;
}

std::vector<std::u16string> RecordingWindow::LogLines() const
{
    std::vector<std::u16string> lines;
    for (const WindowCall& call : Calls()) {
        if (call.kind == WindowCall::Kind::LogLine) {
            lines.push_back(call.text);
        }
    }
    return lines;
}

int RecordingWindow::CallsOffUiThread() const
{
    std::lock_guard lock(mutex_);
    return callsOffUiThread_;
}

} // namespace crawl::runtest
