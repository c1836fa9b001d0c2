// The run buttons' frame: two pixels in the shadow colour, in the highlight colour while the
// button has the focus or the mouse is over it.
#include "tests/win32/HostWindow.h"
#include "ui/win32/FlatButton.h"

#include <gtest/gtest.h>

namespace ui::win32::test {
namespace {

class FlatButtonTest : public testing::Test {
protected:
    FlatButtonTest()
    {
        other_ = CreateWindowExW(0, L"BUTTON", L"other", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                 200, 10, 75, 25, host_.Handle(), nullptr, nullptr, nullptr);
        button_ = CreateWindowExW(0, L"BUTTON", L"пауза",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 10, 10, 75,
                                  25, host_.Handle(), nullptr, nullptr, nullptr);
        FlatButton::Attach(button_);
        SetForegroundWindow(host_.Handle());
        SetFocus(other_);
        PumpMessages();
    }

    // The frame's colour, outer and inner ring, on the left edge half way down.
    void ExpectFrame(COLORREF colour)
    {
        EXPECT_EQ(PaintedPixel(button_, 0, 12), colour);
        EXPECT_EQ(PaintedPixel(button_, FlatButton::FrameWidth - 1, 12), colour);
        EXPECT_EQ(PaintedPixel(button_, FlatButton::FrameWidth, 12), GetSysColor(COLOR_BTNFACE));
    }

    HostWindow host_;
    HWND other_ = nullptr;
    HWND button_ = nullptr;
};

TEST_F(FlatButtonTest, FrameInTheShadowColourAtRest)
{
    ExpectFrame(GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(FlatButtonTest, FrameLightsUpWhileTheButtonHasTheFocus)
{
    SetFocus(button_);
    PumpMessages();
    ExpectFrame(GetSysColor(COLOR_HIGHLIGHT));
    SetFocus(other_);
    PumpMessages();
    ExpectFrame(GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(FlatButtonTest, FrameLightsUpWhileTheMouseIsOverTheButton)
{
    SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(20, 12));
    ExpectFrame(GetSysColor(COLOR_HIGHLIGHT));
    SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
    ExpectFrame(GetSysColor(COLOR_BTNSHADOW));
}

} // namespace
} // namespace ui::win32::test
