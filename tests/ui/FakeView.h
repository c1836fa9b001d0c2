#pragma once

#include "tests/ui/QueueDispatcher.h"
#include "ui/FormLayout.h"
#include "ui/MainFormView.h"

#include <array>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ui::test {

// The screen as a record: what TMainForm showed and asked for, and what the user has put into
// the controls. Starts as the layout table builds the window.
class FakeView : public MainFormView {
public:
    struct Bar {
        std::int32_t max = ProgressBarStartMax;
        std::int32_t position = 0;
        std::u16string hint;
        bool hintShown = false;
    };
    struct MessageBox {
        std::u16string caption;
        std::u16string text;
        MessageBoxIcon icon;
    };

    explicit FakeView(std::u16string_view registryHost);

    // The controls' state.
    std::array<std::u16string, ControlCount> texts;
    std::array<bool, ControlCount> enabled;
    Bar progressBar;
    Bar stagesProgressBar;
    bool mobilesChecked = false;
    std::int32_t interval;
    bool waitCursor = false;
    std::vector<bool> waitCursorChanges;
    bool windowClosed = false;
    // What was asked for.
    std::vector<Control> selectedAll;
    std::vector<MessageBox> messageBoxes;
    int processMessagesCalls = 0;
    // Runs at each ProcessMessages after the waiting hand-over operations: the user's clicks
    // while a request waits or a run reports progress.
    std::function<void()> onProcessMessages;
    // The clock and the system.
    LocalMoment now{2026, 12, 10, 9, 5, 7, 0};
    std::optional<std::uint32_t> ansiCodePage;
    QueueDispatcher dispatcher;

    // The text a field holds, for the user to change.
    std::u16string& Field(Control field) { return texts[Index(field)]; }
    std::vector<std::u16string> Lines(Control field) const;
    std::vector<std::u16string> Opened() const;
    // The thread of each ShellOpen call, in the order of Opened().
    std::vector<std::thread::id> OpenedOn() const;

    std::u16string Text(Control field) override;
    void SetText(Control field, std::u16string_view text) override;
    std::int32_t LineCount(Control field) override;
    std::u16string Line(Control field, std::int32_t index) override;
    void AppendLine(Control field, std::u16string_view lines) override;
    void SelectAll(Control field) override;
    void SetEnabled(Control control, bool on) override;
    void SetProgressMax(Control bar, std::int32_t maximum) override;
    void SetProgressPosition(Control bar, std::int32_t position) override;
    void SetProgressHint(Control bar, std::u16string_view hint) override;
    bool Checked(Control checkBox) override;
    std::int32_t Value(Control numericField) override;
    void SetWaitCursor(bool on) override;
    void ShowMessageBox(std::u16string_view caption, std::u16string_view text,
                        MessageBoxIcon icon) override;
    void ShellOpen(const std::u16string& target) override;
    void ProcessMessages() override;
    void CloseWindow() override;
    HandOverDispatcher& Dispatcher() override;
    LocalMoment Now() override;
    std::u16string ShortDate(const LocalMoment& moment) override;
    std::u16string LongTime(const LocalMoment& moment) override;
    std::optional<std::uint32_t> AnsiCodePage() override;

    static std::size_t Index(Control control) { return static_cast<std::size_t>(control); }

private:
    Bar& BarOf(Control bar);

    mutable std::mutex openedMutex_;
    std::vector<std::u16string> opened_;
    std::vector<std::thread::id> openedOn_;
};

// The lines of a text, split at "\n"; an empty text is one empty line.
std::vector<std::u16string> SplitLines(std::u16string_view text);

} // namespace ui::test
