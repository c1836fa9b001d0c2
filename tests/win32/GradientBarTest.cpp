// The progress bars as painted: a gradient over the filled part from the left end, the
// unfilled part in the button-face colour, a thin sunken edge; the position held in range.
#include "tests/win32/HostWindow.h"
#include "ui/win32/GradientBar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace ui::win32::test {
namespace {

constexpr int Width = 202; // 200 pixels inside the edge
constexpr int Height = 17;
constexpr int Middle = Height / 2;

struct BarColours {
    const char* name;
    COLORREF start;
    COLORREF end;
};

const BarColours Bars[] = {
    {"Green", RGB(0, 128, 0), RGB(192, 220, 192)},
    {"Navy", RGB(0, 0, 128), RGB(166, 202, 240)},
};

struct Filling {
    const char* name;
    int maximum;
    int position;
    int filledColumns; // inside the edge
};

const Filling Fillings[] = {
    {"Empty", 100, 0, 0},
    {"Half", 100, 50, 100},
    {"Full", 100, 100, 200},
    {"AboveMaximumShowsFull", 100, 250, 200},
    {"ThreeOfSeven", 7, 3, 85},
    {"MaximumZero", 0, 5, 0},
};

class GradientBarTest : public testing::TestWithParam<std::tuple<BarColours, Filling>> {
protected:
    GradientBarTest() : bar_(host_.Handle(), 1, Colours().start, Colours().end)
    {
        MoveWindow(bar_.Handle(), 0, 0, Width, Height, TRUE);
    }

    const BarColours& Colours() const { return std::get<0>(GetParam()); }
    const Filling& Fill() const { return std::get<1>(GetParam()); }

    HostWindow host_;
    GradientBar bar_;
};

TEST_P(GradientBarTest, PaintsItsFilledPartAsOneGradient)
{
    bar_.SetMax(Fill().maximum);
    bar_.SetPosition(Fill().position);
    const int filled = Fill().filledColumns;
    if (filled > 0) {
        EXPECT_EQ(PaintedPixel(bar_.Handle(), 1, Middle), Colours().start);
        EXPECT_EQ(PaintedPixel(bar_.Handle(), filled, Middle), Colours().end);
        // Half way the colour lies half way, channel by channel.
        const COLORREF half = PaintedPixel(bar_.Handle(), 1 + (filled - 1) / 2, Middle);
        EXPECT_NEAR(GetGValue(half), (GetGValue(Colours().start) + GetGValue(Colours().end)) / 2,
                    filled > 2 ? 2 : 255);
        // One colour from top to bottom.
        EXPECT_EQ(PaintedPixel(bar_.Handle(), filled, 1), Colours().end);
        EXPECT_EQ(PaintedPixel(bar_.Handle(), filled, Height - 2), Colours().end);
    }
    if (filled < Width - 2) {
        EXPECT_EQ(PaintedPixel(bar_.Handle(), filled + 1, Middle), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(PaintedPixel(bar_.Handle(), Width - 2, Middle), GetSysColor(COLOR_BTNFACE));
    }
    // The sunken edge: shadow above and left, highlight below and right.
    EXPECT_EQ(PaintedPixel(bar_.Handle(), Width / 2, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PaintedPixel(bar_.Handle(), 0, Middle), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PaintedPixel(bar_.Handle(), Width / 2, Height - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PaintedPixel(bar_.Handle(), Width - 1, Middle), GetSysColor(COLOR_BTNHIGHLIGHT));
}

INSTANTIATE_TEST_SUITE_P(
    Bars, GradientBarTest, testing::Combine(testing::ValuesIn(Bars), testing::ValuesIn(Fillings)),
    [](const auto& row) {
        return std::string(std::get<0>(row.param).name) + std::get<1>(row.param).name;
    });

TEST(GradientBarRange, StartsAtZeroOfHundredAndHoldsThePositionWithinTheMaximum)
{
    HostWindow host;
    GradientBar bar(host.Handle(), 1, RGB(0, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(SendMessageW(bar.Handle(), PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(SendMessageW(bar.Handle(), PBM_GETPOS, 0, 0), 0);

    bar.SetPosition(80);
    bar.SetMax(30);
    EXPECT_EQ(bar.Position(), 30) << "lowering the maximum lowers the position with it";
    bar.SetMax(-5);
    EXPECT_EQ(bar.Max(), 0);
    EXPECT_EQ(bar.Position(), 0);
    bar.SetMax(10);
    bar.SetPosition(-3);
    EXPECT_EQ(SendMessageW(bar.Handle(), PBM_GETPOS, 0, 0), 0);
}

TEST(GradientBarHint, IsATooltipThatIsOffUntilAHintIsShown)
{
    HostWindow host;
    GradientBar bar(host.Handle(), 1, RGB(0, 0, 0), RGB(255, 255, 255));
    HWND tooltip = bar.Tooltip();
    ASSERT_NE(tooltip, nullptr);

    bar.ShowHint(L"3 из 7, осталось 4");
    wchar_t text[64] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = host.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(bar.Handle());
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"3 из 7, осталось 4");
}

} // namespace
} // namespace ui::win32::test
