// The Windows side of the form's text fields: lines cross the port separated by "\n" and lie in
// the EDIT control separated by CR LF; appended lines start on a line of their own.
#include "tests/win32/WindowFixture.h"
#include "ui/win32/Win32FormView.h"

#include <gtest/gtest.h>

namespace ui::win32::test {
namespace {

class FormViewTest : public testing::Test {
protected:
    Win32MainWindow window_{TestHost};
    Win32FormView view_{window_};
};

TEST_F(FormViewTest, TextRoundTripsWithCrLfInsideTheField)
{
    view_.SetText(Control::UrlsMemo, u"https://a/1\nhttps://b/2\n");
    EXPECT_EQ(WindowText(window_.Item(Control::UrlsMemo)), L"https://a/1\r\nhttps://b/2\r\n");
    EXPECT_EQ(view_.Text(Control::UrlsMemo), u"https://a/1\nhttps://b/2\n");
}

TEST_F(FormViewTest, LinesAreTheFieldsLinesAnEndingBreakGivingAnEmptyLast)
{
    view_.SetText(Control::UrlsMemo, u"one\n\nthree\n");
    ASSERT_EQ(view_.LineCount(Control::UrlsMemo), 4);
    EXPECT_EQ(view_.Line(Control::UrlsMemo, 0), u"one");
    EXPECT_EQ(view_.Line(Control::UrlsMemo, 1), u"");
    EXPECT_EQ(view_.Line(Control::UrlsMemo, 2), u"three");
    EXPECT_EQ(view_.Line(Control::UrlsMemo, 3), u"");

    view_.SetText(Control::UrlsMemo, u"");
    EXPECT_EQ(view_.LineCount(Control::UrlsMemo), 1);
    EXPECT_EQ(view_.Line(Control::UrlsMemo, 0), u"");
}

TEST_F(FormViewTest, AppendedLinesStartOnALineOfTheirOwn)
{
    view_.SetText(Control::LogsMemo, u"");
    view_.AppendLine(Control::LogsMemo, u"first");
    view_.AppendLine(Control::LogsMemo, u"");
    view_.AppendLine(Control::LogsMemo, u"second\nthird");
    EXPECT_EQ(view_.Text(Control::LogsMemo), u"first\n\nsecond\nthird");
}

// The tests run as on a Russian-language Windows (see wine-desktop.sh).
TEST_F(FormViewTest, RussianShortDateAndLongTimeOfAMoment)
{
    const LocalMoment moment{2024, 3, 9, 7, 5, 4, 0};
    EXPECT_EQ(view_.ShortDate(moment), u"09.03.2024");
    EXPECT_EQ(view_.LongTime(moment), u"07:05:04");
}

TEST_F(FormViewTest, AnsiCodePageIsWindowsCyrillic)
{
    EXPECT_EQ(view_.AnsiCodePage(), 1251u);
}

} // namespace
} // namespace ui::win32::test
