// The real window's controls read back by window messages: rectangles, texts, fonts,
// visibility, anchors after a resize, tab order and the window itself.
#include "tests/win32/HostWindow.h"
#include "tests/win32/WindowFixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace ui::win32::test {
namespace {

struct ControlRow {
    const char* name;
    Control control;
    RECT rect; // left, top, right, bottom in the client area of 772 × 556
    bool visible;
    const wchar_t* text;
    int fontPixels; // 0 for the bars, which show no text
    // Labels and the check box may be wider than designed where the font found is wider.
    bool sizedToText;
};

constexpr RECT Box(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}

const ControlRow Rows[] = {
    {"OpenSiteButton", Control::OpenSiteButton, Box(8, 8, 286, 29), true,
     L"1. Откройте сайт Registry.example.org", 11, false},
    {"Label3", Control::Label3, Box(307, 15, 140, 13), true, L"2. Зайдите в карточку СРО", 11,
     true},
    {"Button1", Control::Button1, Box(596, 37, 168, 25), true, L"Загрузить ссылки на все СРО", 11,
     false},
    {"Label1", Control::Label1, Box(8, 43, 477, 13), true,
     L"3. Скопируйте ссылку на реестр членов СРО в поле ниже, либо загрузите ссылки на все СРО",
     11, true},
    {"UrlsMemo", Control::UrlsMemo, Box(8, 62, 756, 123), true,
     L"https://registry.example.org/sro/322/member/list", 11, false},
    {"Label5", Control::Label5, Box(8, 191, 457, 13), true,
     L"4. Нажмите кнопку <Старт>, программа обойдет все элементы списка и соберет данные", 11,
     true},
    {"MobilesCheckBox", Control::MobilesCheckBox, Box(8, 210, 311, 20), true,
     L"Выгружать только организации с иобильными номерами", 11, true},
    {"Label6", Control::Label6, Box(559, 210, 156, 13), false, L"Интервал между запросами, с:",
     11, false},
    {"StartButton", Control::StartButton, Box(8, 236, 206, 37), true, L"СТАРТ", 19, false},
    {"PauseButton", Control::PauseButton, Box(219, 248, 75, 25), true, L"пауза", 11, false},
    {"StopButton", Control::StopButton, Box(300, 248, 75, 25), true, L"стоп", 11, false},
    {"Label2", Control::Label2, Box(8, 279, 24, 13), true, L"Логи", 11, true},
    {"LogsMemo", Control::LogsMemo, Box(8, 298, 760, 218), true,
     L"Спасибо, что пользуетесь парсером от сервиса Verdanix!\r\n", 11, false},
    {"ProgressBar", Control::ProgressBar, Box(0, 522, 772, 17), true, L"", 0, false},
    {"StagesProgressBar", Control::StagesProgressBar, Box(0, 539, 772, 17), true, L"", 0, false},
};

std::string RowName(const testing::TestParamInfo<ControlRow>& info)
{
    return info.param.name;
}

class ControlAtDesignSize : public testing::TestWithParam<ControlRow> {};

TEST_P(ControlAtDesignSize, LiesWhereTheTableSaysWithItsTextAndFont)
{
    const ControlRow& row = GetParam();
    WindowFixture fixture;
    fixture.Show();
    ASSERT_EQ(fixture.ClientSize().cx, 772);
    ASSERT_EQ(fixture.ClientSize().cy, 556);
    HWND control = fixture.Item(row.control);
    ASSERT_NE(control, nullptr);

    const RECT box = fixture.ClientRect(row.control);
    if (row.sizedToText) {
        EXPECT_EQ(box.left, row.rect.left);
        EXPECT_EQ(box.top, row.rect.top);
        EXPECT_EQ(box.bottom, row.rect.bottom);
        EXPECT_GE(box.right, row.rect.right);
    } else {
        EXPECT_EQ(box.left, row.rect.left);
        EXPECT_EQ(box.top, row.rect.top);
        EXPECT_EQ(box.right, row.rect.right);
        EXPECT_EQ(box.bottom, row.rect.bottom);
    }
    EXPECT_EQ(IsWindowVisible(control) != FALSE, row.visible);
    EXPECT_EQ(WindowText(control), row.text);

    if (row.fontPixels == 0) {
        return;
    }
    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)),
                         sizeof(font), &font),
              0);
    EXPECT_STREQ(font.lfFaceName, L"Tahoma");
    EXPECT_EQ(font.lfHeight, -row.fontPixels) << "character height in pixels";
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
}

INSTANTIATE_TEST_SUITE_P(Table, ControlAtDesignSize, testing::ValuesIn(Rows), RowName);

struct ResizedRow {
    const char* name;
    Control control;
    RECT rect; // after the client area grew by 100 × 50
};

const ResizedRow ResizedRows[] = {
    {"LeftTopStays", Control::StartButton, Box(8, 236, 206, 37)},
    {"TopRightMoves", Control::Button1, Box(696, 37, 168, 25)},
    {"HiddenLabelMovesToo", Control::Label6, Box(659, 210, 156, 13)},
    {"LinkListStretchesInWidth", Control::UrlsMemo, Box(8, 62, 856, 123)},
    {"LogViewStretchesBothWays", Control::LogsMemo, Box(8, 298, 860, 268)},
    {"UpperBarDockedAtTheBottom", Control::ProgressBar, Box(0, 572, 872, 17)},
    {"LowerBarBelowIt", Control::StagesProgressBar, Box(0, 589, 872, 17)},
};

class ControlAfterResize : public testing::TestWithParam<ResizedRow> {};

TEST_P(ControlAfterResize, KeepsItsDistanceToTheEdgesItIsAnchoredTo)
{
    WindowFixture fixture;
    fixture.Show();
    fixture.ResizeClient(872, 606);
    const RECT box = fixture.ClientRect(GetParam().control);
    EXPECT_EQ(box.left, GetParam().rect.left);
    EXPECT_EQ(box.top, GetParam().rect.top);
    EXPECT_EQ(box.right, GetParam().rect.right);
    EXPECT_EQ(box.bottom, GetParam().rect.bottom);
}

INSTANTIATE_TEST_SUITE_P(Anchors, ControlAfterResize, testing::ValuesIn(ResizedRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(MainWindow, CentredResizableCaptionedOnTheButtonFace)
{
    WindowFixture fixture;
    fixture.Show();
    HWND window = fixture.Window().Handle();
    EXPECT_EQ(WindowText(window), L"Парсер организаций Registry.example.org");
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "its own task bar button";
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND)),
              GetSysColorBrush(COLOR_BTNFACE));

    RECT frame{};
    GetWindowRect(window, &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 1);
    EXPECT_EQ(SendMessageW(fixture.Item(Control::MobilesCheckBox), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
}

TEST(MainWindow, TabRunsOverTheVisibleControlsInOrderSkippingTheHiddenField)
{
    WindowFixture fixture;
    fixture.Show();
    HWND window = fixture.Window().Handle();
    const std::vector<Control> expected = {
        Control::OpenSiteButton, Control::StartButton, Control::PauseButton,
        Control::StopButton,     Control::LogsMemo,    Control::UrlsMemo,
        Control::Button1,        Control::MobilesCheckBox, Control::OpenSiteButton};
    SetFocus(fixture.Item(Control::OpenSiteButton));
    for (std::size_t i = 1; i < expected.size(); ++i) {
        // The dialog manager's own Tab, as a key press in the message loop gives it.
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        ASSERT_TRUE(IsDialogMessageW(window, &tab));
        PumpMessages();
        EXPECT_EQ(GetFocus(), fixture.Item(expected[i])) << "step " << i;
    }
}

TEST(MainWindow, TabLeavesATextFieldWithoutTypingIntoIt)
{
    WindowFixture fixture;
    fixture.Show();
    HWND links = fixture.Item(Control::UrlsMemo);
    const std::wstring before = WindowText(links);
    SetFocus(links);
    MSG tab{links, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    ASSERT_TRUE(IsDialogMessageW(fixture.Window().Handle(), &tab));
    PumpMessages();
    EXPECT_EQ(GetFocus(), fixture.Item(Control::Button1));
    EXPECT_EQ(WindowText(links), before);
}

TEST(MainWindow, RunButtonsAreDrawnFlatTheOthersAreOrdinary)
{
    WindowFixture fixture;
    for (Control button : {Control::StartButton, Control::PauseButton, Control::StopButton}) {
        EXPECT_EQ(GetWindowLongW(fixture.Item(button), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    }
    for (Control button : {Control::OpenSiteButton, Control::Button1}) {
        EXPECT_EQ(GetWindowLongW(fixture.Item(button), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    }
}

TEST(MainWindow, TextFieldsAreEditableWithBothScrollBarsAndNoWrapping)
{
    WindowFixture fixture;
    for (Control field : {Control::UrlsMemo, Control::LogsMemo}) {
        const LONG style = GetWindowLongW(fixture.Item(field), GWL_STYLE);
        EXPECT_TRUE(style & ES_MULTILINE);
        EXPECT_FALSE(style & ES_READONLY);
        EXPECT_TRUE(style & WS_HSCROLL);
        EXPECT_TRUE(style & WS_VSCROLL);
        EXPECT_TRUE(style & ES_AUTOHSCROLL) << "a long line scrolls instead of wrapping";
        // Far above the 32767 characters of an EDIT's default.
        EXPECT_GE(static_cast<unsigned long>(SendMessageW(fixture.Item(field), EM_GETLIMITTEXT, 0, 0)),
                  0x7FFFFFFEUL);
    }
}

TEST(MainWindow, HiddenIntervalFieldHoldsOneWithLowestZero)
{
    WindowFixture fixture;
    fixture.Show();
    HWND arrows = GetDlgItem(fixture.Window().Handle(), IntervalArrowsItemId);
    EXPECT_EQ(SendMessageW(arrows, UDM_GETPOS32, 0, 0), 1);
    int lowest = -1;
    int highest = -1;
    SendMessageW(arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest),
                 reinterpret_cast<LPARAM>(&highest));
    EXPECT_EQ(lowest, 0);
    EXPECT_FALSE(IsWindowVisible(fixture.Item(Control::IntervalSpinEdit)));
    EXPECT_FALSE(IsWindowVisible(arrows));
    EXPECT_EQ(fixture.Form().IntervalSeconds(), 1.0);
}

TEST(MainWindow, BarsPaintTheirGradientsFromTheirStartColours)
{
    WindowFixture fixture;
    fixture.Show();
    fixture.Form().UpdateProgressBar(25, 50);
    fixture.Form().UpdateStagesProgressBar(50, 50);
    HWND upper = fixture.Item(Control::ProgressBar);
    HWND lower = fixture.Item(Control::StagesProgressBar);
    // 770 pixels inside the edge: the upper bar fills 385 of them, the lower all.
    EXPECT_EQ(PaintedPixel(upper, 1, 8), RGB(0, 128, 0));
    EXPECT_EQ(PaintedPixel(upper, 385, 8), RGB(192, 220, 192));
    EXPECT_EQ(PaintedPixel(upper, 386, 8), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PaintedPixel(lower, 1, 8), RGB(0, 0, 128));
    EXPECT_EQ(PaintedPixel(lower, 770, 8), RGB(166, 202, 240));
}

} // namespace
} // namespace ui::win32::test
