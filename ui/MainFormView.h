#pragma once

#include "ui/Control.h"
#include "ui/HandOverDispatcher.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// A moment of local time, as the system clock shows it to the user.
struct LocalMoment {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

enum class MessageBoxIcon { None, Error };

// What the window's rules need from a toolkit: the screen side of TMainForm. Every operation
// is called on the UI thread. Texts cross it with lines separated by a
// single "\n", whatever the toolkit keeps inside.
class MainFormView {
public:
    virtual ~MainFormView() = default;

    // Multi-line text fields (UrlsMemo, LogsMemo).
    virtual std::u16string Text(Control field) = 0;
    virtual void SetText(Control field, std::u16string_view text) = 0;
    // The lines the field shows: an empty field has one empty line, and a text ending in a
    // line break has an empty last line.
    virtual std::int32_t LineCount(Control field) = 0;
    virtual std::u16string Line(Control field, std::int32_t index) = 0;
    // Adds `lines` after the text, starting on a line of their own; an empty field takes them
    // as its text.
    virtual void AppendLine(Control field, std::u16string_view lines) = 0;
    virtual void SelectAll(Control field) = 0;

    virtual void SetEnabled(Control control, bool enabled) = 0;

    // Progress bars (ProgressBar, StagesProgressBar): given values lie within 0..maximum.
    virtual void SetProgressMax(Control bar, std::int32_t maximum) = 0;
    virtual void SetProgressPosition(Control bar, std::int32_t position) = 0;
    // Sets the hint and switches its showing on: a tooltip while the mouse rests on the bar.
    virtual void SetProgressHint(Control bar, std::u16string_view hint) = 0;

    // MobilesCheckBox ticked.
    virtual bool Checked(Control checkBox) = 0;
    // The value of IntervalSpinEdit.
    virtual std::int32_t Value(Control numericField) = 0;

    // The application-wide hour-glass cursor on or off.
    virtual void SetWaitCursor(bool on) = 0;
    // A modal box with one OK button; returns when it has been closed.
    virtual void ShowMessageBox(std::u16string_view caption, std::u16string_view text,
                                MessageBoxIcon icon) = 0;
    // The shell's "open" verb on an address or a file path, without waiting for what it starts;
    // failures are ignored.
    virtual void ShellOpen(const std::u16string& target) = 0;
    // Handles every window message that is waiting (repaints, clicks, key presses), then returns.
    virtual void ProcessMessages() = 0;
    // Ends the window at once, without FormClose; the program then ends.
    virtual void CloseWindow() = 0;

    // Runs a worker's hand-over operations on the UI thread.
    virtual HandOverDispatcher& Dispatcher() = 0;

    virtual LocalMoment Now() = 0;
    // The user's regional short date and long time (hours, minutes, seconds) of a moment.
    virtual std::u16string ShortDate(const LocalMoment& moment) = 0;
    virtual std::u16string LongTime(const LocalMoment& moment) = 0;
    // The system's ANSI code page; none on a platform that has no such thing.
    virtual std::optional<std::uint32_t> AnsiCodePage() = 0;
};

} // namespace ui
