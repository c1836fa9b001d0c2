// Ctrl+A, with or without Shift and Alt, selects the whole text of either text field; the key
// still reaches the field. A without Ctrl selects nothing.
#include "tests/win32/HostWindow.h"
#include "tests/win32/WindowFixture.h"

#include <gtest/gtest.h>

namespace ui::win32::test {
namespace {

struct KeyCase {
    const char* name;
    bool ctrl;
    bool shift;
    bool alt;
    bool selectsAll;
};

const KeyCase Keys[] = {
    {"CtrlA", true, false, false, true},
    {"CtrlShiftA", true, true, false, true},
    {"CtrlAltA", true, false, true, true},
    {"CtrlShiftAltA", true, true, true, true},
    {"PlainA", false, false, false, false},
    {"ShiftA", false, true, false, false},
    {"AltA", false, false, true, false},
};

// Holds the modifier keys in this thread's keyboard state while it lives.
class HeldKeys {
public:
    explicit HeldKeys(const KeyCase& keys)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = keys.ctrl ? 0x80 : 0;
        state[VK_SHIFT] = keys.shift ? 0x80 : 0;
        state[VK_MENU] = keys.alt ? 0x80 : 0;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256] = {};
};

class SelectAllTest : public testing::TestWithParam<std::tuple<Control, KeyCase>> {};

TEST_P(SelectAllTest, SelectsTheWholeTextOnlyWithCtrl)
{
    const auto& [field, keys] = GetParam();
    WindowFixture fixture;
    fixture.Show();
    HWND item = fixture.Item(field);
    SetWindowTextW(item, L"first line\r\nsecond line");
    SetFocus(item);
    SendMessageW(item, EM_SETSEL, 3, 3);
    {
        const HeldKeys held(keys);
        SendMessageW(item, WM_KEYDOWN, 'A', 0);
    }
    PumpMessages();
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(item, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (keys.selectsAll) {
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(item)));
    } else {
        EXPECT_EQ(start, 3u);
        EXPECT_EQ(end, 3u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SelectAllTest,
    testing::Combine(testing::Values(Control::UrlsMemo, Control::LogsMemo), testing::ValuesIn(Keys)),
    [](const auto& row) {
        return std::string(std::get<0>(row.param) == Control::UrlsMemo ? "UrlsMemo" : "LogsMemo") +
               std::get<1>(row.param).name;
    });

} // namespace
} // namespace ui::win32::test
