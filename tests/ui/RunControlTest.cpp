// Run control on the window's side: START's rejection and the four operations a run has the
// window perform, called as the worker's hand-over calls them (on the UI thread).
#include "crawl/Error.h"
#include "tests/ui/CaseName.h"
#include "tests/ui/FormFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ui::test {
namespace {

const std::u16string Greeting = u"Спасибо, что пользуетесь парсером от сервиса Verdanix!";
// The fake clock's moment as the fake regional formats write it.
const std::u16string Stamp = u"10.12.2026 09:05:07: ";

std::string CrLfFile(const std::vector<std::u16string>& lines)
{
    std::string file;
    for (const std::u16string& line : lines) {
        file += Utf8(line) + "\r\n";
    }
    return file;
}

class StartRejectionTest : public testing::TestWithParam<std::u16string> {};

TEST_P(StartRejectionTest, ListWithoutAddressGetsTheExample)
{
    FormFixture fixture;
    fixture.Show();
    fixture.View().Field(Control::UrlsMemo) = GetParam();
    fixture.Form().StartButtonClick();
    EXPECT_EQ(fixture.View().Field(Control::LogsMemo),
              Greeting + u"\n\nЗадайте ссылку на страницу со списком организаций!\n"
                         u"Пример: https://registry.example.org/sro/322/member/list");
    EXPECT_TRUE(fixture.Form().WaitForWorker(std::chrono::milliseconds(0)));
    EXPECT_TRUE(fixture.View().enabled[FakeView::Index(Control::StartButton)]);
    EXPECT_TRUE(fixture.View().enabled[FakeView::Index(Control::UrlsMemo)]);
}

INSTANTIATE_TEST_SUITE_P(Lists, StartRejectionTest,
                         testing::Values(u"", u"registry.example.org/sro/1\nhttp:/x"),
                         [](const testing::TestParamInfo<std::u16string>& row) {
                             return row.index == 0 ? "EmptyList" : "NoLineWithSchemeSeparator";
                         });

TEST(RunControlTest, PauseAndStopWithoutRunDoNothing)
{
    FormFixture fixture;
    fixture.Show();
    fixture.Form().UpdateProgressBar(5, 10);
    const std::u16string log = fixture.View().Field(Control::LogsMemo);
    fixture.Form().PauseButtonClick();
    fixture.Form().StopButtonClick();
    EXPECT_EQ(fixture.View().Field(Control::LogsMemo), log);
    EXPECT_EQ(fixture.View().progressBar.position, 5);
}

TEST(RunControlTest, BusyStateStartAndEnd)
{
    FormFixture fixture;
    fixture.Show();
    FakeView& view = fixture.View();
    view.Field(Control::UrlsMemo) = u"https://a/sro/1/member/list\n\n  b  \n";

    fixture.Form().UpdateBusyState(true);
    EXPECT_EQ(fixture.LogLines(),
              (std::vector<std::u16string>{Stamp + u"Начинаем работу по списку ссылок:",
                                           u"https://a/sro/1/member/list", u"", u"  b  "}));
    EXPECT_FALSE(view.enabled[FakeView::Index(Control::UrlsMemo)]);
    EXPECT_FALSE(view.enabled[FakeView::Index(Control::StartButton)]);
    EXPECT_FALSE(view.enabled[FakeView::Index(Control::Button1)]);
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::MobilesCheckBox)]);
    EXPECT_EQ(fixture.Form().LinkLineCount(), 3);
    EXPECT_EQ(fixture.Form().LinkLine(2), u"  b  ");

    fixture.Form().AddLogLine(u"Загружаем: https://a/sro/1/member/list, страница 1");
    // The user types a line of its own into the log view.
    view.Field(Control::LogsMemo) += u"\ntyped by the user";
    EXPECT_TRUE(fixture.Files("log-", ".txt").empty());
    fixture.Form().UpdateBusyState(false);
    const std::vector<std::u16string> lines = fixture.LogLines();
    EXPECT_EQ(lines, (std::vector<std::u16string>{
                         Stamp + u"Начинаем работу по списку ссылок:",
                         u"https://a/sro/1/member/list", u"", u"  b  ",
                         Stamp + u"Загружаем: https://a/sro/1/member/list, страница 1",
                         u"typed by the user", Stamp + u"Работа завершена"}));
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::UrlsMemo)]);
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::StartButton)]);
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::Button1)]);

    const std::vector<std::string> logFiles = fixture.Files("log-", ".txt");
    ASSERT_EQ(logFiles.size(), 1u);
    const std::string tickCount = logFiles[0].substr(4, logFiles[0].size() - 8);
    EXPECT_EQ(tickCount.find_first_not_of("-0123456789"), std::string::npos) << logFiles[0];
    EXPECT_EQ(fixture.ReadFile(logFiles[0]), CrLfFile(lines));
}

TEST(RunControlTest, LinkListWithoutLinesHasNone)
{
    FormFixture fixture;
    fixture.View().Field(Control::UrlsMemo) = u"";
    EXPECT_EQ(fixture.Form().LinkLineCount(), 0);
    fixture.View().Field(Control::UrlsMemo) = u"\n";
    EXPECT_EQ(fixture.Form().LinkLineCount(), 1);
}

TEST(RunControlTest, LogFileInTheAnsiCodePage)
{
    FormFixture fixture;
    fixture.View().ansiCodePage = 1251;
    fixture.View().Field(Control::LogsMemo) = u"Начинаем";
    fixture.Form().UpdateBusyState(false);
    const std::vector<std::string> logFiles = fixture.Files("log-", ".txt");
    ASSERT_EQ(logFiles.size(), 1u);
    EXPECT_EQ(fixture.ReadFile(logFiles[0]),
              "\xCD\xE0\xF7\xE8\xED\xE0\xE5\xEC\r\n10.12.2026 09:05:07: "
              "\xD0\xE0\xE1\xEE\xF2\xE0 \xE7\xE0\xE2\xE5\xF0\xF8\xE5\xED\xE0\r\n");
}

TEST(RunControlTest, UnwritableLogFileStillEndsBusyState)
{
    FormFixture fixture;
    fixture.Show();
    fixture.Form().UpdateBusyState(true);
    std::filesystem::remove_all(fixture.Path());

    EXPECT_THROW(fixture.Form().UpdateBusyState(false), crawl::Error);
    const std::vector<std::u16string> lines = fixture.LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], Stamp + u"Работа завершена");
    EXPECT_TRUE(lines.back().starts_with(Stamp + u"Ошибка: Cannot create file"))
        << Utf8(lines.back());
    const FakeView& view = fixture.View();
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::UrlsMemo)]);
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::StartButton)]);
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::Button1)]);
}

struct ProgressCase {
    const char* name;
    bool stages;
    std::int32_t position;
    std::int32_t maximum;
    std::int32_t shownPosition;
    std::int32_t shownMaximum;
    std::u16string hint;
};

class ProgressUpdateTest : public testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressUpdateTest, BarShowsHeldValuesAndTheirHint)
{
    const ProgressCase& update = GetParam();
    FormFixture fixture;
    FakeView& view = fixture.View();
    if (update.stages) {
        fixture.Form().UpdateStagesProgressBar(update.position, update.maximum);
    } else {
        fixture.Form().UpdateProgressBar(update.position, update.maximum);
    }
    const FakeView::Bar& bar = update.stages ? view.stagesProgressBar : view.progressBar;
    const FakeView::Bar& other = update.stages ? view.progressBar : view.stagesProgressBar;
    EXPECT_EQ(bar.position, update.shownPosition);
    EXPECT_EQ(bar.max, update.shownMaximum);
    EXPECT_EQ(bar.hint, update.hint);
    EXPECT_TRUE(bar.hintShown);
    EXPECT_EQ(other.max, 100);
    EXPECT_TRUE(other.hint.empty());
    EXPECT_FALSE(other.hintShown);
    // Only the progress bar's update lets the window handle what is waiting (pause, stop).
    EXPECT_EQ(view.processMessagesCalls, update.stages ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProgressUpdateTest,
    testing::Values(
        ProgressCase{"ProgressWithinRange", false, 3, 20, 3, 20, u"3 из 20, осталось 17"},
        ProgressCase{"ProgressAboveMaximum", false, 25, 20, 20, 20, u"20 из 20, осталось 0"},
        ProgressCase{"ProgressMaximumZero", false, 0, 0, 0, 0, u"0 из 0, осталось 0"},
        ProgressCase{"ProgressNegative", false, -4, -1, 0, 0, u"0 из 0, осталось 0"},
        ProgressCase{"StagesWithinRange", true, 3, 20, 3, 20, u"3 из 20, осталось 17"},
        ProgressCase{"StagesAboveMaximum", true, 25, 20, 20, 20, u"20 из 20, осталось 0"},
        ProgressCase{"StagesMaximumZero", true, 0, 0, 0, 0, u"0 из 0, осталось 0"},
        ProgressCase{"StagesNegative", true, -4, -1, 0, 0, u"0 из 0, осталось 0"}),
    CaseName<ProgressCase>);

// A lower maximum lowers the position shown before; the hint is formed from the held values.
TEST(RunControlTest, LowerMaximumLowersThePosition)
{
    FormFixture fixture;
    fixture.Form().UpdateStagesProgressBar(8, 10);
    fixture.Form().UpdateStagesProgressBar(9, 4);
    EXPECT_EQ(fixture.View().stagesProgressBar.position, 4);
    EXPECT_EQ(fixture.View().stagesProgressBar.hint, u"4 из 4, осталось 0");
}

} // namespace
} // namespace ui::test
