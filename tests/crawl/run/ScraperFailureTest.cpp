// Runs that meet failing requests, unusable answers and failing surroundings.
#include "ScraperFixture.h"

#include "crawl/record/ResultFile.h"
#include "crawl/text/Text.h"
#include "tests/support/PlatformFaults.h"

#include <optional>

namespace crawl::runtest {
namespace {

using testsupport::FakeMember;
using testsupport::FakeRegistry;
using testsupport::ScriptedAnswer;
using Kind = WindowCall::Kind;

const std::u16string Loading = u"Загружаем: ";
const std::u16string ServerError = u"Ошибка: HTTP/1.1 500 Internal Server Error";
const ScriptedAnswer Status500{.status = 500, .reason = "Internal Server Error"};

FakeMember Member(const std::string& id, std::string name, std::string phones)
{
    return FakeMember{.id = id,
                      .shortDescription = std::move(name),
                      .phones = std::move(phones),
                      .city = "Tver",
                      .director = "Boss " + id};
}

std::vector<WindowCall> FailedAttempts()
{
    return std::vector<WindowCall>(11, Log(ServerError));
}

using ScraperFailure = ScraperRun;

TEST_F(ScraperFailure, PageRequestThatAlwaysFailsCosts11AttemptsAndGivesNoMembers)
{
    registry.AddSro("9", {Member("1", "One", "")});
    registry.FailAlways(FakeRegistry::MemberListPath("9"), 1, Status500);
    window.SetLinks({SroLink("9")});
    RunToEnd();

    std::vector<WindowCall> expected{Log(Loading + SroLink("9") + u", страница 1")};
    Append(expected, FailedAttempts());
    Append(expected, {Log(u"Найдено:  организаций на 0 страницах"), Stages(0, 1)});
    Append(expected, EndStepReports(0, 1));
    EXPECT_EQ(ReportsFrom(Loading), expected);
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(11, 1000));
    EXPECT_EQ(RequestPaths().size(), 11U);
}

TEST_F(ScraperFailure, FailedPageDoesNotReuseTheMembersOfThePageBefore)
{
    const FakeMember one = Member("1", "One", "");
    registry.AddSro("9", {one});
    ServePage("9", 1, MembersPageJson("2", 2, {one}));
    registry.FailAlways(FakeRegistry::MemberListPath("9"), 2, Status500);
    window.SetLinks({SroLink("9")});
    RunToEnd();

    EXPECT_EQ(RequestsTo(FakeRegistry::MemberInfoPath("1")).size(), 1U);
    std::vector<WindowCall> expected{Log(Loading + SroLink("9") + u", страница 2")};
    Append(expected, FailedAttempts());
    Append(expected, EndStepReports(1, 2));
    EXPECT_EQ(ReportsFrom(Loading + SroLink("9") + u", страница 2"), expected);
}

TEST_F(ScraperFailure, MemberWhoseInfoAlwaysFailsGetsEmptyDetailsNotThoseOfTheMemberBefore)
{
    struct Case {
        const char* name;
        bool mobilesOnly;
        std::u16string decision;
        bool rowWritten;
    };
    const Case cases[] = {
        {"filter off", false, u"Добавлено в базу: Two; ", true},
        {"filter on", true, u"Пропускаем, нет мобильного телефона: Two; ", false},
    };
    int sro = 10;
    for (const Case& c : cases) {
        const std::string sroId = std::to_string(++sro);
        const std::string firstId = sroId + "1";
        const std::string secondId = sroId + "2";
        registry.AddSro(sroId, {Member(firstId, "One", "+7 916 111-11-11"),
                                Member(secondId, "Two", "+7 916 222-22-22")});
        registry.FailAlways(FakeRegistry::MemberInfoPath(secondId), std::nullopt, Status500);
        window.SetLinks({SroLink(sroId)});
        window.SetMobilesOnly(c.mobilesOnly);
        RunToEnd();

        std::vector<WindowCall> expected{Log(u"Добавлено в базу: One; +7 916 111-11-11")};
        Append(expected, FailedAttempts());
        Append(expected, {Stages(2, 2), Progress(1, 2), Log(c.decision)});
        Append(expected, EndStepReports(2, 2));
        EXPECT_EQ(ReportsFrom(u"Добавлено в базу: One"), expected) << c.name;

        const std::string bytes = ResultBytes();
        const std::string row = Cp1251(u"\"Two\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"" +
                                       MemberPageLink(secondId) + u"\"\r\n");
        EXPECT_EQ(bytes.ends_with(row), c.rowWritten) << c.name;
        EXPECT_EQ(bytes.find(Cp1251(u"222-22-22")), std::string::npos) << c.name;
        EXPECT_NE(bytes.find(Cp1251(u"\"Boss " + Utf8ToUtf16(firstId) + u"\"")), std::string::npos)
            << c.name;
    }
}

TEST_F(ScraperFailure, PageAnswersWithoutAMemberArrayGiveNoMembers)
{
    struct Case {
        const char* name;
        ScriptedAnswer answer;
        std::u16string found;
        std::int32_t stagesMax;
        std::int32_t progressMax;
    };
    const std::string html = "<html><body>Service unavailable</body></html>";
    const std::vector<Case> cases{
        {"HTML page",
         ScriptedAnswer{.headers = {{"Content-Type", "text/html; charset=utf-8"},
                                    {"Content-Length", std::to_string(html.size())}},
                        .body = html},
         u"Найдено:  организаций на 0 страницах", 1, 0},
        {"not an object", ScriptedAnswer::Json("[1,2,3]"), u"Найдено:  организаций на 0 страницах",
         1, 0},
        {"data without data.data", ScriptedAnswer::Json(R"({"data":{"count":"5","countPages":1}})"),
         u"Найдено: 5 организаций на 1 страницах", 5, 1},
        {"data.data not an array",
         ScriptedAnswer::Json(R"({"data":{"count":"12","countPages":1,"data":{"0":{"id":"1"}}}})"),
         u"Найдено: 12 организаций на 1 страницах", 12, 1},
        {"count not an integer",
         ScriptedAnswer::Json(R"({"data":{"count":"12a","countPages":1,"data":[]}})"),
         u"Найдено: 12a организаций на 1 страницах", 1, 1},
    };
    int sro = 20;
    for (const Case& c : cases) {
        const std::string sroId = std::to_string(++sro);
        registry.AddSro(sroId, {Member("1", "One", "")});
        registry.FailAlways(FakeRegistry::MemberListPath(sroId), 1, c.answer);
        window.SetLinks({SroLink(sroId)});
        RunToEnd();

        std::vector<WindowCall> expected{Log(Loading + SroLink(sroId) + u", страница 1"),
                                         Log(c.found), Stages(0, c.stagesMax)};
        Append(expected, EndStepReports(c.progressMax, c.stagesMax));
        EXPECT_EQ(ReportsFrom(Loading), expected) << c.name;
        EXPECT_TRUE(RequestsTo(FakeRegistry::MemberInfoPath("1")).empty()) << c.name;
        EXPECT_FALSE(scraper->FatalException()) << c.name;
    }
}

TEST_F(ScraperFailure, EarlyFailuresReturnTheWindowToIdleWithoutTouchingAFile)
{
    struct Case {
        const char* name;
        const char* unreadableFile; // or nullptr: the program folder is missing
        std::vector<WindowCall> before;
        std::u16string messageStart;
    };
    const std::u16string missingFolder = programFolder + u"missing/";
    const std::vector<Case> cases{
        {"useragents.txt unreadable",
         "useragents.txt",
         {},
         u"Ошибка: Cannot open file \"" + programFolder + u"useragents.txt\". "},
        {"skip.txt unreadable",
         "skip.txt",
         {Busy(true)},
         u"Ошибка: Cannot open file \"" + programFolder + u"skip.txt\". "},
        {"result file cannot be created",
         nullptr,
         {Busy(true), Log(u"Данные будут записываться в файл " +
                          ResultFile::FullPath(missingFolder, StartTick))},
         u"Ошибка: Cannot create file \"" + ResultFile::FullPath(missingFolder, StartTick) +
             u"\". "},
    };
    registry.AddSro("1", {Member("1", "One", "")});
    window.SetLinks({SroLink("1")});
    const std::u16string folderOfTheTest = programFolder;
    for (const Case& c : cases) {
        programFolder = folderOfTheTest;
        std::optional<testsupport::UnreadableFile> unreadable;
        if (c.unreadableFile != nullptr) {
            unreadable.emplace(folder / c.unreadableFile);
        } else {
            programFolder = missingFolder;
        }
        RunToEnd();
        unreadable.reset();

        const std::vector<WindowCall> reports = window.Calls();
        ASSERT_EQ(reports.size(), c.before.size() + 4) << c.name;
        const WindowCall error = reports[c.before.size()];
        EXPECT_EQ(error.kind, Kind::LogLine) << c.name;
        EXPECT_TRUE(error.text.starts_with(c.messageStart)) << Utf16ToUtf8(error.text);
        std::vector<WindowCall> expected = c.before;
        Append(expected, {error, Progress(0, 0), Stages(0, 0), Busy(false)});
        EXPECT_EQ(reports, expected) << c.name;
        EXPECT_TRUE(registry.Server().Requests().empty()) << c.name;
        EXPECT_TRUE(OpenedFiles().empty()) << c.name;
        EXPECT_FALSE(scraper->FatalException()) << c.name;
    }
    EXPECT_FALSE(
        std::filesystem::exists(Utf16ToUtf8(ResultFile::FullPath(missingFolder, StartTick))));
}

TEST_F(ScraperFailure, ErrorOutsideEveryPageRunsTheEndStepsAndEndsTheThread)
{
    registry.AddSro("3", {Member("31", "One", "")});
    window.SetLinks({SroLink("3"), u"never read"});
    window.SetOnCall([](const WindowCall& call) {
        if (call.kind == Kind::LinkLine && call.position == 1) {
            throw Error(u"link list unreadable");
        }
    });
    RunToEnd();

    std::vector<WindowCall> expected{Log(u"Добавлено в базу: One; ")};
    Append(expected, EndStepReports(1, 1));
    EXPECT_EQ(ReportsFrom(u"Добавлено в базу: One"), expected);
    EXPECT_EQ(OpenedFiles(), std::vector<std::u16string>{ResultPath()});
    EXPECT_TRUE(ResultBytes().ends_with(Cp1251(MemberPageLink("31") + u"\"\r\n")));
    ASSERT_TRUE(scraper->FatalException());
    try {
        std::rethrow_exception(scraper->FatalException());
    } catch (const Error& error) {
        EXPECT_EQ(error.Message(), u"link list unreadable");
    }
}

TEST_F(ScraperFailure, ErrorInsideAPageCostsTheRestOfThatPageOnly)
{
    const std::vector<FakeMember> members{Member("1", "One", ""), Member("2", "Two", ""),
                                          Member("3", "Three", "")};
    registry.AddSro("4", members);
    ServePage("4", 1, MembersPageJson("3", 2, {members[0], members[1]}));
    ServePage("4", 2, MembersPageJson("3", 2, {members[2]}));
    window.SetLinks({SroLink("4")});
    bool failed = false;
    window.SetOnCall([&](const WindowCall& call) {
        if (call.kind == Kind::ProgressBar && !failed) {
            failed = true;
            throw Error(u"bar broken");
        }
    });
    RunToEnd();

    EXPECT_EQ(RequestPaths(),
              (std::vector<std::string>{"/api/sro/4/member/list", "/api/member/1/info",
                                        "/api/sro/4/member/list", "/api/member/3/info"}));
    std::vector<WindowCall> expected{Stages(1, 3),
                                     Progress(0, 2),
                                     Log(u"Ошибка: bar broken"),
                                     Log(Loading + SroLink("4") + u", страница 2"),
                                     Stages(2, 3),
                                     Progress(0, 1),
                                     Log(u"Добавлено в базу: Three; ")};
    Append(expected, EndStepReports(1, 3));
    const std::vector<WindowCall> reports = window.Reports();
    ASSERT_GE(reports.size(), expected.size());
    EXPECT_EQ(std::vector<WindowCall>(reports.end() - static_cast<std::ptrdiff_t>(expected.size()),
                                      reports.end()),
              expected);
    // Only the pacing of page 2: no retry sleep for the page's error.
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(10, 100));
    EXPECT_EQ(ResultBytes().find(Cp1251(u"\"One\"")), std::string::npos);
}

} // namespace
} // namespace crawl::runtest
