// Runs that the window stops, pauses or leaves: where the run ends and what it leaves behind.
#include "ScraperFixture.h"

#include "crawl/text/Text.h"

#include <future>

namespace crawl::runtest {
namespace {

using namespace std::chrono_literals;
using testsupport::FakeMember;
using testsupport::FakeRegistry;
using testsupport::ScriptedAnswer;
using Kind = WindowCall::Kind;

const std::u16string Loading = u"Загружаем: ";

bool IsLogStartingWith(const WindowCall& call, std::u16string_view start)
{
    return call.kind == Kind::LogLine && call.text.starts_with(start);
}

class ScraperStop : public ScraperRun {
protected:
    // One SRO "7" with two members on page 1 of 2 and one member on page 2.
    void AddTwoPageSro()
    {
        const std::vector<FakeMember> members{NamedMember("1", "First"), NamedMember("2", "Second"),
                                              NamedMember("3", "Third")};
        registry.AddSro("7", members);
        ServePage("7", 1, MembersPageJson("3", 2, {members[0], members[1]}));
        ServePage("7", 2, MembersPageJson("3", 2, {members[2]}));
        window.SetLinks({SroLink("7")});
    }
};

TEST_F(ScraperStop, StopDuringThePacingWaitMakesNoFurtherRequest)
{
    AddTwoPageSro();
    clock.SetOnSleep([this](std::size_t number) {
        if (number == 1) {
            scraper->Terminate();
        }
    });
    RunToEnd();

    EXPECT_EQ(RequestPaths(),
              (std::vector<std::string>{"/api/sro/7/member/list", "/api/member/1/info",
                                        "/api/member/2/info"}));
    std::vector<WindowCall> expected{Log(u"Добавлено в базу: Second; ")};
    Append(expected, EndStepReports(2, 3));
    EXPECT_EQ(ReportsFrom(u"Добавлено в базу: Second"), expected);
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>{100});
    EXPECT_EQ(OpenedFiles(), std::vector<std::u16string>{ResultPath()});
    EXPECT_FALSE(scraper->FatalException());
}

TEST_F(ScraperStop, StopDuringARequestLetsItsRetriesRunOutAndIgnoresTheAnswer)
{
    registry.AddSro("8", {NamedMember("1", "First")});
    window.SetLinks({SroLink("8")});
    registry.FailNext(FakeRegistry::MemberListPath("8"), 1,
                      std::vector<ScriptedAnswer>(
                          3, ScriptedAnswer{.status = 503, .reason = "Service Unavailable"}));
    registry.FailAlways(FakeRegistry::MemberListPath("8"), 1,
                        ScriptedAnswer{.status = 500, .reason = "Internal Server Error"});
    window.SetOnCall([this](const WindowCall& call) {
        if (IsLogStartingWith(call, u"Ошибка: ")) {
            scraper->Terminate();
        }
    });
    RunToEnd();

    EXPECT_EQ(RequestsTo(FakeRegistry::MemberListPath("8")).size(), 11U);
    EXPECT_EQ(RequestPaths().size(), 11U) << "no member request after the stop";
    std::vector<WindowCall> expected{Log(Loading + SroLink("8") + u", страница 1")};
    for (int attempt = 1; attempt <= 11; ++attempt) {
        expected.push_back(Log(attempt <= 3 ? u"Ошибка: HTTP/1.1 503 Service Unavailable"
                                            : u"Ошибка: HTTP/1.1 500 Internal Server Error"));
    }
    Append(expected, EndStepReports(0, 0));
    EXPECT_EQ(ReportsFrom(Loading), expected);
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(11, 1000));
}

TEST_F(ScraperStop, StopAfterAMemberRequestLeavesThatMemberOut)
{
    AddTwoPageSro();
    window.SetOnCall([this](const WindowCall& call) {
        if (IsLogStartingWith(call, u"Добавлено в базу: First")) {
            scraper->Terminate();
        }
    });
    RunToEnd();

    // The second member's request is made; the stop point after it ends the run.
    EXPECT_EQ(RequestsTo(FakeRegistry::MemberInfoPath("2")).size(), 1U);
    std::vector<WindowCall> expected{Log(u"Добавлено в базу: First; ")};
    Append(expected, EndStepReports(2, 3));
    EXPECT_EQ(ReportsFrom(u"Добавлено в базу: First"), expected);
    const std::string bytes = ResultBytes();
    EXPECT_NE(bytes.find(Cp1251(u"\"First\"")), std::string::npos);
    EXPECT_EQ(bytes.find(Cp1251(u"Second")), std::string::npos);
}

TEST_F(ScraperStop, PausedRunMakesNoRequestOrReportUntilStopped)
{
    AddTwoPageSro();
    std::promise<void> paused;
    window.SetOnCall([&](const WindowCall& call) {
        if (IsLogStartingWith(call, u"Добавлено в базу: First")) {
            scraper->Pause();
            paused.set_value();
        }
    });
    Start();
    ASSERT_EQ(paused.get_future().wait_for(30s), std::future_status::ready);
    const std::size_t callsWhenPaused = window.Calls().size();
    std::this_thread::sleep_for(100ms); // room to go on if the pause were not honoured
    EXPECT_EQ(registry.Server().Requests().size(), 2U) << "a request while paused";
    EXPECT_EQ(window.Calls().size(), callsWhenPaused) << "a report while paused";
    EXPECT_TRUE(scraper->IsPaused());
    EXPECT_FALSE(scraper->Finished());

    scraper->Terminate();
    WaitForEnd();
    EXPECT_FALSE(scraper->IsPaused());
    std::vector<WindowCall> expected{Log(u"Добавлено в базу: First; ")};
    Append(expected, EndStepReports(2, 3));
    EXPECT_EQ(ReportsFrom(u"Добавлено в базу: First"), expected);
}

TEST_F(ScraperStop, PausedAndContinuedRunGoesOnWhereItHalted)
{
    AddTwoPageSro();
    std::promise<void> paused;
    window.SetOnCall([&](const WindowCall& call) {
        if (IsLogStartingWith(call, Loading)) {
            scraper->Pause();
            if (call.text.ends_with(u"страница 1")) {
                paused.set_value();
            }
        }
    });
    Start();
    ASSERT_EQ(paused.get_future().wait_for(30s), std::future_status::ready);
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(registry.Server().Requests().empty());
    scraper->Continue();
    // Page 2 pauses again before its request.
    ASSERT_TRUE(registry.Server().WaitForRequests(3, 30s));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(registry.Server().Requests().size(), 3U);
    scraper->Continue();
    WaitForEnd();
    EXPECT_EQ(RequestPaths().size(), 5U);
    const auto lines = window.LogLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::u16string& line) {
                                return line.starts_with(u"Добавлено в базу: ");
                            }),
              3);
}

TEST_F(ScraperStop, ClosedWindowEndsTheRunQuietlyAndKeepsTheRows)
{
    AddTwoPageSro();
    window.SetOnCall([this](const WindowCall& call) {
        if (IsLogStartingWith(call, u"Добавлено в базу: First")) {
            dispatcher.CloseWindow();
        }
    });
    RunToEnd();

    const std::vector<WindowCall> calls = window.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), Log(u"Добавлено в базу: First; ")) << "a window call after close";
    EXPECT_TRUE(OpenedFiles().empty());
    EXPECT_FALSE(scraper->FatalException());
    const std::string bytes = ResultBytes();
    EXPECT_NE(bytes.find(Cp1251(u"\"First\"")), std::string::npos);
    EXPECT_TRUE(bytes.ends_with("\r\n"));
}

TEST_F(ScraperStop, OnlyOneRunAtATime)
{
    window.SetLinks({});
    bool secondRefused = false;
    std::shared_ptr<TScraper> next;
    window.SetOnCall([&](const WindowCall& call) {
        if (call == Busy(true) && !secondRefused) {
            try {
                MakeScraper()->Start();
            } catch (const Error&) {
                secondRefused = true;
            }
        }
        // The end branch enables START again: a run started from there goes ahead.
        if (call == Busy(false) && !next) {
            next = MakeScraper();
            next->Start();
        }
    });
    RunToEnd();
    ASSERT_TRUE(next);
    ASSERT_TRUE(next->WaitUntilFinished(30s));
    EXPECT_TRUE(secondRefused);
    EXPECT_EQ(OpenedFiles().size(), 2U);
    EXPECT_FALSE(next->FatalException());
}

} // namespace
} // namespace crawl::runtest
