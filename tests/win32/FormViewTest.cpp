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

TEST_F(FormViewTest, RegionalDateAndTimeOfAMoment)
{
    const LocalMoment moment{2024, 3, 9, 7, 5, 4, 0};
    const std::u16string date = view_.ShortDate(moment);
    const std::u16string time = view_.LongTime(moment);
    EXPECT_NE(date.find(u"9"), std::u16string::npos) << "the day";
    EXPECT_NE(date.find(u"3"), std::u16string::npos) << "the month";
    EXPECT_NE(date.find(u"24"), std::u16string::npos) << "the year";
    EXPECT_NE(time.find(u"05"), std::u16string::npos) << "the minutes";
    EXPECT_NE(time.find(u"04"), std::u16string::npos) << "the seconds";
}

TEST_F(FormViewTest, AnsiCodePageIsTheSystems)
{
    EXPECT_EQ(view_.AnsiCodePage(), GetACP());
}

} // namespace
} // namespace ui::win32::test
