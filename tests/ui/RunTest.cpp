// Whole runs started from the window against the fake registry on 127.0.0.1 (TLS), the test's
// thread serving as the UI thread: the log, both bars and their hints, the log file and the
// opened result file; pause and stop; a second START; closing the window during a run.
#include "crawl/text/Text.h"
#include "tests/support/FakeRegistry.h"
#include "tests/ui/FormFixture.h"

#include <gtest/gtest.h>

#include <thread>

namespace ui::test {
namespace {

using testsupport::FakeMember;
using testsupport::FakeRegistry;
using testsupport::ScriptedAnswer;

const std::u16string Stamp = u"10.12.2026 09:05:07: ";

std::u16string Text(const std::string& utf8)
{
    return crawl::Utf8ToUtf16(utf8);
}

bool Contains(const std::vector<std::u16string>& lines, std::u16string_view line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A window on the fake registry with one SRO of three members, interval 0.
class RunTest : public testing::Test {
protected:
    RunTest()
    {
        registry.AddSro("7", members);
        fixture.Show();
        View().interval = 0;
        View().Field(Control::UrlsMemo) = Text(registry.SroLink("7"));
    }

    TMainForm& Form() { return fixture.Form(); }
    FakeView& View() { return fixture.View(); }

    std::size_t RequestsTo(const std::string& path)
    {
        std::size_t count = 0;
        for (const testsupport::RecordedRequest& request : registry.Server().Requests()) {
            count += request.Path() == path ? 1 : 0;
        }
        return count;
    }

    // Delays the info answer of one member, so that the run is known to be in that request.
    void DelayInfo(const FakeMember& member, std::chrono::milliseconds delay)
    {
        ScriptedAnswer answer = ScriptedAnswer::Json(testsupport::MemberInfoJson(member));
        answer.delay = delay;
        registry.Server().Answer(FakeRegistry::MemberInfoPath(member.id), answer);
    }

    bool RunEnded()
    {
        return PumpUntil(View(), [&] { return Form().WaitForWorker(std::chrono::milliseconds(0)); });
    }

    std::u16string LastLogLine() const { return fixture.LogLines().back(); }

    std::vector<FakeMember> members = testsupport::SampleMembers(3);
    FakeRegistry registry;
    FormFixture fixture{Text(registry.HostAndPort())};
};

TEST_F(RunTest, WholeRun)
{
    const std::u16string link = Text(registry.SroLink("7"));
    Form().StartButtonClick();
    ASSERT_TRUE(RunEnded());

    const std::vector<std::string> results = fixture.Files("data", ".csv");
    ASSERT_EQ(results.size(), 1u);
    const std::u16string resultPath = fixture.Folder() + Text(results[0]);
    const std::vector<std::u16string> lines = fixture.LogLines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], Stamp + u"Начинаем работу по списку ссылок:");
    EXPECT_EQ(lines[1], link);
    EXPECT_EQ(lines[2], Stamp + u"Данные будут записываться в файл " + resultPath);
    EXPECT_EQ(lines[3], Stamp + u"Загружаем: " + link + u", страница 1");
    EXPECT_EQ(lines[4], Stamp + u"Найдено: 3 организаций на 1 страницах");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(lines[4 + i].starts_with(Stamp + u"Добавлено в базу: ООО Член " +
                                             crawl::IntToText(i) + u"; "))
            << Utf8(lines[4 + i]);
    }
    EXPECT_EQ(lines[8], Stamp + u"Открываем файл с результатами");
    EXPECT_EQ(lines[9], Stamp + u"Работа завершена");

    // Both bars end at position 0 with the maxima of the last member.
    EXPECT_EQ(View().progressBar.position, 0);
    EXPECT_EQ(View().progressBar.max, 3);
    EXPECT_EQ(View().progressBar.hint, u"0 из 3, осталось 3");
    EXPECT_EQ(View().stagesProgressBar.position, 0);
    EXPECT_EQ(View().stagesProgressBar.max, 3);
    EXPECT_EQ(View().stagesProgressBar.hint, u"0 из 3, осталось 3");
    EXPECT_TRUE(View().enabled[FakeView::Index(Control::UrlsMemo)]);
    EXPECT_TRUE(View().enabled[FakeView::Index(Control::StartButton)]);
    EXPECT_TRUE(View().enabled[FakeView::Index(Control::Button1)]);

    const std::vector<std::string> logFiles = fixture.Files("log-", ".txt");
    ASSERT_EQ(logFiles.size(), 1u);
    std::string logFile;
    for (const std::u16string& line : lines) {
        logFile += Utf8(line) + "\r\n";
    }
    EXPECT_EQ(fixture.ReadFile(logFiles[0]), logFile);

    EXPECT_EQ(View().Opened(), std::vector<std::u16string>{resultPath});
    // Opened from the UI thread, as every other window operation.
    EXPECT_EQ(View().OpenedOn(), std::vector<std::thread::id>{std::this_thread::get_id()});
    const std::string rows = fixture.ReadFile(results[0]);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 4);
    EXPECT_NE(rows.find("\xCE\xCE\xCE \xD7\xEB\xE5\xED 3"), std::string::npos); // code page 1251
}

class PauseTest : public RunTest, public testing::WithParamInterface<bool> {};

TEST_P(PauseTest, PauseThenStopOrContinue)
{
    const bool stop = GetParam();
    DelayInfo(members[1], std::chrono::milliseconds(300));
    const std::string delayedPath = FakeRegistry::MemberInfoPath(members[1].id);
    Form().StartButtonClick();
    ASSERT_TRUE(PumpUntil(View(), [&] { return RequestsTo(delayedPath) == 1; }));

    // Paused during the second member's request: it is completed, and nothing more is asked.
    Form().PauseButtonClick();
    EXPECT_EQ(LastLogLine(), Stamp + u"Включаем паузу");
    ASSERT_TRUE(PumpUntil(View(), [&] {
        return LastLogLine().starts_with(Stamp + u"Добавлено в базу: ООО Член 2; ");
    }));
    PumpUntil(View(), [] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(RequestsTo(FakeRegistry::MemberInfoPath(members[2].id)), 0u);
    EXPECT_FALSE(Form().WaitForWorker(std::chrono::milliseconds(0)));

    if (stop) {
        const FakeView::Bar stagesBefore = View().stagesProgressBar;
        ASSERT_GT(stagesBefore.position, 0);
        Form().StopButtonClick();
        EXPECT_EQ(LastLogLine(), Stamp + u"Останавливаем работу");
        EXPECT_EQ(View().progressBar.position, 0);
        EXPECT_EQ(View().stagesProgressBar.position, 0);
        // The maximum and hint stay until the worker's last updates.
        EXPECT_EQ(View().stagesProgressBar.max, stagesBefore.max);
        EXPECT_EQ(View().stagesProgressBar.hint, stagesBefore.hint);
    } else {
        Form().PauseButtonClick();
        EXPECT_EQ(LastLogLine(), Stamp + u"Отключаем паузу, продолжаем работу");
    }
    ASSERT_TRUE(RunEnded());

    const std::vector<std::u16string> lines = fixture.LogLines();
    EXPECT_EQ(Contains(lines, Stamp + u"Отключаем паузу, продолжаем работу"), !stop);
    const bool third = std::any_of(lines.begin(), lines.end(), [](const std::u16string& line) {
        return line.find(u"Добавлено в базу: ООО Член 3") != std::u16string::npos;
    });
    EXPECT_EQ(third, !stop);
    if (!stop) {
        EXPECT_EQ(RequestsTo(FakeRegistry::MemberInfoPath(members[2].id)), 1u);
    }
    EXPECT_EQ(lines.back(), Stamp + u"Работа завершена");
    EXPECT_EQ(fixture.Files("log-", ".txt").size(), 1u);

    // After the run pause and stop change nothing.
    const std::u16string log = View().Field(Control::LogsMemo);
    Form().PauseButtonClick();
    Form().StopButtonClick();
    EXPECT_EQ(View().Field(Control::LogsMemo), log);
}

INSTANTIATE_TEST_SUITE_P(Then, PauseTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& row) {
                             return row.param ? "Stop" : "Continue";
                         });

TEST_F(RunTest, CollectionAndSecondStartAreRefusedDuringRun)
{
    registry.AddSro("8");
    DelayInfo(members[0], std::chrono::milliseconds(300));
    Form().StartButtonClick();
    ASSERT_TRUE(PumpUntil(View(), [&] {
        return !View().enabled[FakeView::Index(Control::StartButton)];
    }));
    EXPECT_FALSE(View().enabled[FakeView::Index(Control::Button1)]);

    const std::u16string links = View().Field(Control::UrlsMemo);
    Form().Button1Click();
    EXPECT_EQ(View().Field(Control::UrlsMemo), links);
    EXPECT_FALSE(View().waitCursor);
    // A second START during the run starts no second worker.
    Form().StartButtonClick();
    ASSERT_TRUE(RunEnded());
    EXPECT_TRUE(View().enabled[FakeView::Index(Control::Button1)]);
    EXPECT_EQ(RequestsTo(FakeRegistry::SroListPath()), 0u);
    EXPECT_EQ(RequestsTo(FakeRegistry::MemberListPath("7")), 1u);
    const std::vector<std::u16string> lines = fixture.LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), Stamp + u"Начинаем работу по списку ссылок:"), 1);
    EXPECT_FALSE(Contains(lines, u"Загружаем страницу 1"));
}

// A second press that arrives before the run's start branch has disabled START.
TEST_F(RunTest, SecondStartBeforeTheBusyStateStartsNoWorker)
{
    Form().StartButtonClick();
    Form().StartButtonClick();
    ASSERT_TRUE(RunEnded());
    EXPECT_EQ(RequestsTo(FakeRegistry::MemberListPath("7")), 1u);
    EXPECT_EQ(fixture.Files("data", ".csv").size(), 1u);
}

// The end branch returns START, pause and stop to their idle meaning at once, while the worker
// thread is still freeing a large skip list.
TEST_F(RunTest, StartPauseAndStopRightAfterTheEndBranch)
{
    std::string skipList;
    for (int i = 0; i < 300000; ++i) {
        skipList += "https://skipped.example.org/" + std::to_string(i) + "\r\n";
    }
    fixture.WriteFile("skip.txt", skipList);
    const std::u16string ended = Stamp + u"Работа завершена";
    Form().StartButtonClick();
    ASSERT_TRUE(PumpUntil(View(), [&] { return LastLogLine() == ended; }));

    Form().PauseButtonClick();
    Form().StopButtonClick();
    EXPECT_EQ(LastLogLine(), ended);
    Form().StartButtonClick();
    ASSERT_TRUE(RunEnded());
    const std::vector<std::u16string> lines = fixture.LogLines();
    EXPECT_EQ(lines.front(), Stamp + u"Начинаем работу по списку ссылок:");
    EXPECT_EQ(lines.back(), ended);
    EXPECT_EQ(RequestsTo(FakeRegistry::MemberListPath("7")), 2u);
}

TEST_F(RunTest, ClosingDuringRun)
{
    DelayInfo(members[1], std::chrono::milliseconds(500));
    const std::string delayedPath = FakeRegistry::MemberInfoPath(members[1].id);
    Form().StartButtonClick();
    ASSERT_TRUE(PumpUntil(View(), [&] { return RequestsTo(delayedPath) == 1; }));

    ASSERT_TRUE(Form().FormClose());
    const std::u16string logAtClose = View().Field(Control::LogsMemo);
    EXPECT_EQ(fixture.ReadFile("urls.txt"), registry.SroLink("7"));
    // The worker is still in its request: the window does not wait for it.
    EXPECT_FALSE(Form().WaitForWorker(std::chrono::milliseconds(0)));

    ASSERT_TRUE(RunEnded());
    EXPECT_EQ(View().Field(Control::LogsMemo), logAtClose);
    EXPECT_TRUE(fixture.Files("log-", ".txt").empty());
    EXPECT_TRUE(View().Opened().empty());
    EXPECT_EQ(RequestsTo(FakeRegistry::MemberInfoPath(members[2].id)), 0u);
    // The row written before the close stays: header and the first member.
    const std::vector<std::string> results = fixture.Files("data", ".csv");
    ASSERT_EQ(results.size(), 1u);
    const std::string rows = fixture.ReadFile(results[0]);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 2);
}

// Closing ends a paused run where it is: the request it was halted before is never sent.
TEST_F(RunTest, ClosingWhilePaused)
{
    DelayInfo(members[1], std::chrono::milliseconds(300));
    const std::string delayedPath = FakeRegistry::MemberInfoPath(members[1].id);
    Form().StartButtonClick();
    ASSERT_TRUE(PumpUntil(View(), [&] { return RequestsTo(delayedPath) == 1; }));
    Form().PauseButtonClick();
    ASSERT_TRUE(PumpUntil(View(), [&] {
        return LastLogLine().starts_with(Stamp + u"Добавлено в базу: ООО Член 2; ");
    }));
    PumpUntil(View(), [] { return false; }, std::chrono::milliseconds(200));
    const std::size_t requestsAtClose = registry.Server().Requests().size();

    ASSERT_TRUE(Form().FormClose());
    ASSERT_TRUE(RunEnded());
    EXPECT_EQ(registry.Server().Requests().size(), requestsAtClose);
    EXPECT_EQ(RequestsTo(FakeRegistry::MemberInfoPath(members[2].id)), 0u);
}

} // namespace
} // namespace ui::test
