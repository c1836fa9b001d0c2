#pragma once

#include "ui/MainFormView.h"
#include "ui/win32/Win32MainWindow.h"

namespace ui::win32 {

// The screen side of TMainForm in the Windows API: the window's controls, the message boxes,
// the shell and the user's regional formats.
class Win32FormView : public MainFormView {
public:
    explicit Win32FormView(Win32MainWindow& window) : window_(window) {}

    std::u16string Text(Control field) override;
    void SetText(Control field, std::u16string_view text) override;
    std::int32_t LineCount(Control field) override;
    std::u16string Line(Control field, std::int32_t index) override;
    void AppendLine(Control field, std::u16string_view lines) override;
    void SelectAll(Control field) override;
    void SetEnabled(Control control, bool enabled) override;
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

private:
    Win32MainWindow& window_;
};

} // namespace ui::win32
