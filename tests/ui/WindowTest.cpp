// The window's own handlers: urls.txt kept across runs of the program, the select-all shortcut,
// the site button, the default error box and the time stamp of log lines.
#include "crawl/Error.h"
#include "tests/ui/CaseName.h"
#include "tests/ui/FormFixture.h"
#include "ui/ErrorBox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace ui::test {
namespace {

constexpr std::optional<std::uint32_t> NoCodePage;
constexpr std::optional<std::uint32_t> Cyrillic = 1251;

struct RoundTrip {
    const char* name;
    std::optional<std::uint32_t> ansiCodePage;
    std::string file;
    std::u16string field;
    std::string saved;
};

class UrlsFileTest : public testing::TestWithParam<RoundTrip> {};

TEST_P(UrlsFileTest, LoadedAtShowAndSavedAtClose)
{
    const RoundTrip& trip = GetParam();
    FormFixture fixture;
    fixture.View().ansiCodePage = trip.ansiCodePage;
    fixture.WriteFile("urls.txt", trip.file);
    fixture.Show();
    EXPECT_EQ(fixture.View().Field(Control::UrlsMemo), trip.field);
    EXPECT_TRUE(fixture.Form().FormClose());
    EXPECT_EQ(fixture.ReadFile("urls.txt"), trip.saved);
}

const std::string Links = "https://a/sro/1/member/list\r\nhttps://\xD1\x81/sro/2/member/list";
const std::u16string FieldLinks = u"https://a/sro/1/member/list\nhttps://с/sro/2/member/list";

INSTANTIATE_TEST_SUITE_P(
    Encodings, UrlsFileTest,
    testing::Values(
        RoundTrip{"Utf8WithMark", NoCodePage, "\xEF\xBB\xBF" + Links, FieldLinks,
                  "\xEF\xBB\xBF" + Links},
        RoundTrip{"Utf8WithoutMark", NoCodePage, Links, FieldLinks, Links},
        RoundTrip{"Utf16LittleEndian", NoCodePage, std::string("\xFF\xFEh\0\r\0\n\0\x41\x04", 10),
                  u"h\nс", std::string("\xFF\xFEh\0\r\0\n\0\x41\x04", 10)},
        RoundTrip{"Utf16BigEndian", NoCodePage, std::string("\xFE\xFF\0h\0\r\0\n\x04\x41", 10),
                  u"h\nс", std::string("\xFE\xFF\0h\0\r\0\n\x04\x41", 10)},
        RoundTrip{"Windows1251WhenNotUtf8", NoCodePage, "\xCF\xF0\xE8\r\n\xEC\xE5\xF0",
                  u"При\nмер", "\xCF\xF0\xE8\r\n\xEC\xE5\xF0"},
        RoundTrip{"AnsiCodePageWithoutMarkEvenWhenUtf8", Cyrillic, "\xD1\x81", u"СЃ",
                  "\xD1\x81"},
        RoundTrip{"MarkBeforeAnsiCodePage", Cyrillic, "\xEF\xBB\xBF\xD1\x81", u"с",
                  "\xEF\xBB\xBF\xD1\x81"},
        RoundTrip{"EveryLineBreakBecomesCrLf", NoCodePage, "a\nb\rc\r\nd", u"a\nb\nc\nd",
                  "a\r\nb\r\nc\r\nd"},
        RoundTrip{"BreakAtTheEndStaysNoneIsAdded", NoCodePage, "a\r\n", u"a\n", "a\r\n"},
        RoundTrip{"EmptyFileEmptiesTheLinkList", NoCodePage, "", u"", ""}),
    CaseName<RoundTrip>);

struct NewFile {
    const char* name;
    std::optional<std::uint32_t> ansiCodePage;
    std::string saved;
};

class NewUrlsFileTest : public testing::TestWithParam<NewFile> {};

// Without urls.txt at start the file is created in the narrow encoding, without a mark.
TEST_P(NewUrlsFileTest, WrittenInNarrowEncoding)
{
    FormFixture fixture;
    fixture.View().ansiCodePage = GetParam().ansiCodePage;
    fixture.Show();
    EXPECT_EQ(fixture.View().Field(Control::UrlsMemo),
              u"https://registry.example.org/sro/322/member/list");
    fixture.View().Field(Control::UrlsMemo) += u"\nссылка";
    EXPECT_TRUE(fixture.Form().FormClose());
    EXPECT_EQ(fixture.ReadFile("urls.txt"),
              "https://registry.example.org/sro/322/member/list\r\n" + GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, NewUrlsFileTest,
    testing::Values(NewFile{"NoAnsiCodePage", NoCodePage,
                            "\xD1\x81\xD1\x81\xD1\x8B\xD0\xBB\xD0\xBA\xD0\xB0"},
                    NewFile{"AnsiCodePage1251", Cyrillic, "\xF1\xF1\xFB\xEB\xEA\xE0"}),
    CaseName<NewFile>);

TEST(WindowTest, FailedSaveKeepsWindowOpen)
{
    FormFixture fixture;
    fixture.Show();
    // A folder in the way of urls.txt makes the save fail.
    const std::filesystem::path blocker = fixture.Path() / "urls.txt";
    ASSERT_TRUE(std::filesystem::create_directory(blocker));
    EXPECT_FALSE(fixture.Form().FormClose());
    ASSERT_EQ(fixture.View().messageBoxes.size(), 1u);
    const FakeView::MessageBox& box = fixture.View().messageBoxes.front();
    EXPECT_EQ(box.caption, u"Парсер registry.example.org");
    EXPECT_EQ(box.icon, MessageBoxIcon::Error);
    EXPECT_TRUE(box.text.starts_with(u"Cannot create file")) << Utf8(box.text);
    EXPECT_TRUE(box.text.ends_with(u".")) << Utf8(box.text);

    ASSERT_TRUE(std::filesystem::remove(blocker));
    EXPECT_TRUE(fixture.Form().FormClose());
    EXPECT_EQ(fixture.ReadFile("urls.txt"), "https://registry.example.org/sro/322/member/list");
}

struct KeyCase {
    const char* name;
    Control field;
    std::uint16_t key;
    ShiftState shift;
    bool selectsAll;
};

class SelectAllTest : public testing::TestWithParam<KeyCase> {};

TEST_P(SelectAllTest, CtrlASelectsTheWholeField)
{
    const KeyCase& press = GetParam();
    FormFixture fixture;
    fixture.Show();
    if (press.field == Control::UrlsMemo) {
        fixture.Form().UrlsMemoKeyDown(press.key, press.shift);
    } else {
        fixture.Form().LogsMemoKeyDown(press.key, press.shift);
    }
    const std::vector<Control> expected =
        press.selectsAll ? std::vector<Control>{press.field} : std::vector<Control>{};
    EXPECT_EQ(fixture.View().selectedAll, expected);
}

constexpr ShiftState Ctrl{.ctrl = true};
constexpr ShiftState CtrlShift{.shift = true, .ctrl = true};
constexpr ShiftState CtrlAlt{.alt = true, .ctrl = true};
constexpr ShiftState Shift{.shift = true};
constexpr std::uint16_t KeyB = 0x42;

INSTANTIATE_TEST_SUITE_P(
    Keys, SelectAllTest,
    testing::Values(KeyCase{"LinkListCtrlA", Control::UrlsMemo, KeyA, Ctrl, true},
                    KeyCase{"LinkListCtrlShiftA", Control::UrlsMemo, KeyA, CtrlShift, true},
                    KeyCase{"LinkListCtrlAltA", Control::UrlsMemo, KeyA, CtrlAlt, true},
                    KeyCase{"LinkListAAlone", Control::UrlsMemo, KeyA, {}, false},
                    KeyCase{"LinkListShiftA", Control::UrlsMemo, KeyA, Shift, false},
                    KeyCase{"LinkListCtrlB", Control::UrlsMemo, KeyB, Ctrl, false},
                    KeyCase{"LogViewCtrlA", Control::LogsMemo, KeyA, Ctrl, true},
                    KeyCase{"LogViewCtrlShiftA", Control::LogsMemo, KeyA, CtrlShift, true},
                    KeyCase{"LogViewAAlone", Control::LogsMemo, KeyA, {}, false}),
    CaseName<KeyCase>);

TEST(WindowTest, OpenSiteButtonOpensSroList)
{
    FormFixture fixture(u"127.0.0.1:8443");
    fixture.Show();
    fixture.Form().OpenSiteButtonClick();
    EXPECT_EQ(fixture.View().Opened(), std::vector<std::u16string>{u"https://127.0.0.1:8443/sro/list"});
    EXPECT_EQ(fixture.LogLines().size(), 2u);
}

struct ErrorText {
    const char* name;
    std::u16string message;
    std::u16string text;
};

class ErrorBoxTextTest : public testing::TestWithParam<ErrorText> {};

TEST_P(ErrorBoxTextTest, FullStopUnlessLowerCharacterEnds)
{
    EXPECT_EQ(ErrorBoxText(GetParam().message), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorBoxTextTest,
    testing::Values(ErrorText{"LetterGetsFullStop", u"Файл не найден", u"Файл не найден."},
                    ErrorText{"FullStopStaysSingle", u"Нет доступа.", u"Нет доступа."},
                    ErrorText{"ExclamationMarkLowerCode", u"Ошибка!", u"Ошибка!"},
                    ErrorText{"CommaLowerCode", u"a,", u"a,"},
                    ErrorText{"BlankLowerCode", u"a ", u"a "},
                    ErrorText{"SlashHigherCode", u"C:/", u"C:/."},
                    ErrorText{"ClosingQuoteLowerCode", u"\"x\"", u"\"x\""},
                    ErrorText{"EmptyStaysEmpty", u"", u""}),
    CaseName<ErrorText>);

TEST(WindowTest, ErrorBoxShowsTheMessageUnderTheApplicationTitle)
{
    FormFixture fixture(u"Registry.Example.org");
    fixture.Form().ShowErrorBox(crawl::Error(u"Нет файла urls.txt"));
    fixture.Form().ShowErrorBox(std::runtime_error("bad allocation"));
    ASSERT_EQ(fixture.View().messageBoxes.size(), 2u);
    EXPECT_EQ(fixture.View().messageBoxes[0].caption, u"Парсер registry.example.org");
    EXPECT_EQ(fixture.View().messageBoxes[0].text, u"Нет файла urls.txt.");
    EXPECT_EQ(fixture.View().messageBoxes[0].icon, MessageBoxIcon::Error);
    EXPECT_EQ(fixture.View().messageBoxes[1].text, u"bad allocation.");
}

struct Moment {
    const char* name;
    LocalMoment moment;
    std::u16string line;
};

class TimeStampTest : public testing::TestWithParam<Moment> {};

TEST_P(TimeStampTest, DateBlankTimeOrDateAloneAtMidnight)
{
    FormFixture fixture;
    fixture.View().now = GetParam().moment;
    fixture.Form().AddLogLine(u"Начинаем");
    EXPECT_EQ(fixture.View().Field(Control::LogsMemo), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, TimeStampTest,
    testing::Values(
        Moment{"DateBlankTime", {2026, 12, 10, 9, 5, 7, 0}, u"10.12.2026 09:05:07: Начинаем"},
        Moment{"MidnightDateAlone", {2026, 12, 10, 0, 0, 0, 0}, u"10.12.2026: Начинаем"},
        Moment{"MidnightWithMillisecondsDateAlone",
               {2026, 12, 10, 0, 0, 0, 999},
               u"10.12.2026: Начинаем"},
        Moment{"FirstSecondAfterMidnight",
               {2026, 12, 10, 0, 0, 1, 0},
               u"10.12.2026 00:00:01: Начинаем"},
        Moment{"LastSecondOfTheDay",
               {2026, 12, 10, 23, 59, 59, 0},
               u"10.12.2026 23:59:59: Начинаем"}),
    CaseName<Moment>);

} // namespace
} // namespace ui::test
