#include "tests/ui/FakeView.h"

#include "ui/FormLayout.h"

#include <cstdio>

namespace ui::test {

namespace {

std::u16string TwoDigits(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return std::u16string(text, text + 2);
}

} // namespace

std::vector<std::u16string> SplitLines(std::u16string_view text)
{
    std::vector<std::u16string> lines(1);
    for (const char16_t c : text) {
        if (c == u'\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

FakeView::FakeView(std::u16string_view registryHost)
    : interval(IntervalStartValue)
{
    enabled.fill(true);
    for (const ControlLayout& layout : MainFormLayout()) {
        if (layout.kind == ControlKind::TextField) {
            texts[Index(layout.control)] = ControlText(layout, registryHost);
        }
    }
}

std::vector<std::u16string> FakeView::Lines(Control field) const
{
    return SplitLines(texts[Index(field)]);
}

std::vector<std::u16string> FakeView::Opened() const
{
    const std::lock_guard lock(openedMutex_);
    return opened_;
}

std::vector<std::thread::id> FakeView::OpenedOn() const
{
    const std::lock_guard lock(openedMutex_);
    return openedOn_;
}

std::u16string FakeView::Text(Control field)
{
    return texts[Index(field)];
}

void FakeView::SetText(Control field, std::u16string_view text)
{
    texts[Index(field)] = text;
}

std::int32_t FakeView::LineCount(Control field)
{
    return static_cast<std::int32_t>(Lines(field).size());
}

std::u16string FakeView::Line(Control field, std::int32_t index)
{
    const std::vector<std::u16string> lines = Lines(field);
    return index >= 0 && static_cast<std::size_t>(index) < lines.size() ? lines[index]
                                                                        : std::u16string();
}

void FakeView::AppendLine(Control field, std::u16string_view lines)
{
    std::u16string& text = texts[Index(field)];
    if (!text.empty()) {
        text += u'\n';
    }
    text += lines;
}

void FakeView::SelectAll(Control field)
{
    selectedAll.push_back(field);
}

void FakeView::SetEnabled(Control control, bool on)
{
    enabled[Index(control)] = on;
}

FakeView::Bar& FakeView::BarOf(Control bar)
{
    return bar == Control::StagesProgressBar ? stagesProgressBar : progressBar;
}

void FakeView::SetProgressMax(Control bar, std::int32_t maximum)
{
    BarOf(bar).max = maximum;
}

void FakeView::SetProgressPosition(Control bar, std::int32_t position)
{
    BarOf(bar).position = position;
}

void FakeView::SetProgressHint(Control bar, std::u16string_view hint)
{
    BarOf(bar).hint = hint;
    BarOf(bar).hintShown = true;
}

bool FakeView::Checked(Control)
{
    return mobilesChecked;
}

std::int32_t FakeView::Value(Control)
{
    return interval;
}

void FakeView::SetWaitCursor(bool on)
{
    waitCursor = on;
    waitCursorChanges.push_back(on);
}

void FakeView::ShowMessageBox(std::u16string_view caption, std::u16string_view text,
                              MessageBoxIcon icon)
{
    messageBoxes.push_back({std::u16string(caption), std::u16string(text), icon});
}

void FakeView::ShellOpen(const std::u16string& target)
{
    const std::lock_guard lock(openedMutex_);
    opened_.push_back(target);
    openedOn_.push_back(std::this_thread::get_id());
}

void FakeView::ProcessMessages()
{
    ++processMessagesCalls;
    dispatcher.RunPending();
    if (onProcessMessages) {
        onProcessMessages();
    }
}

void FakeView::CloseWindow()
{
    windowClosed = true;
}

HandOverDispatcher& FakeView::Dispatcher()
{
    return dispatcher;
}

LocalMoment FakeView::Now()
{
    return now;
}

std::u16string FakeView::ShortDate(const LocalMoment& moment)
{
    return TwoDigits(moment.day) + u"." + TwoDigits(moment.month) + u"." +
           TwoDigits(moment.year / 100) + TwoDigits(moment.year % 100);
}

std::u16string FakeView::LongTime(const LocalMoment& moment)
{
    return TwoDigits(moment.hour) + u":" + TwoDigits(moment.minute) + u":" +
           TwoDigits(moment.second);
}

std::optional<std::uint32_t> FakeView::AnsiCodePage()
{
    return ansiCodePage;
}

} // namespace ui::test
