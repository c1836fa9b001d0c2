// Whole runs that end normally: reports, requests, the result file and the pacing.
#include "ScraperFixture.h"

#include "crawl/run/RunLists.h"
#include "crawl/text/Text.h"

namespace crawl::runtest {
namespace {

using testsupport::FakeMember;
using testsupport::FakeRegistry;
using Kind = WindowCall::Kind;

FakeMember Romashka()
{
    return FakeMember{.id = "101",
                      .shortDescription = "ООО &quot;Ромашка&quot;",
                      .memberStatus = "Является членом",
                      .inn = "7701000001",
                      .registrationDate = "2019-05-06T00:00:00",
                      .phones = "+7 (495) 123-45-67<br>+7 (916) 123-45-67",
                      .city = "Москва",
                      .index = "101000",
                      .street = "ул. Мира",
                      .house = "д. 1",
                      .director = "Иванов И.И.",
                      .country = "Россия",
                      .subject = "г. Москва",
                      .sroFullDescription = "СРО &laquo;Строители&raquo;"};
}

TEST_F(ScraperRun, TwoPageSroGivesItsReportsRequestsAndFileInOrder)
{
    const std::vector<FakeMember> members{Romashka(),
                                          NamedMember("102", "ИП Петров", "8-916-000-00-02"),
                                          NamedMember("103", "АО Третий; с точкой", "")};
    registry.AddSro("7", members);
    ServePage("7", 1, MembersPageJson("3", 2, {members[0], members[1]}));
    ServePage("7", 2, MembersPageJson("3", 2, {members[2]}));
    window.SetLinks({SroLink("7")});

    RunToEnd();

    const std::u16string link = SroLink("7");
    const std::vector<WindowCall> expected{
        Busy(true),
        Log(u"Данные будут записываться в файл " + ResultPath()),
        Log(u"Загружаем: " + link + u", страница 1"),
        Log(u"Найдено: 3 организаций на 2 страницах"),
        Stages(0, 3),
        Stages(1, 3),
        Progress(0, 2),
        Log(u"Добавлено в базу: ООО \"Ромашка\"; +7 (495) 123-45-67 +7 (916) 123-45-67"),
        Stages(2, 3),
        Progress(1, 2),
        Log(u"Добавлено в базу: ИП Петров; 8-916-000-00-02"),
        Log(u"Загружаем: " + link + u", страница 2"),
        Stages(3, 3),
        Progress(0, 1),
        Log(u"Добавлено в базу: АО Третий; с точкой; "),
        Log(u"Открываем файл с результатами"),
        Progress(0, 1),
        Stages(0, 3),
        Busy(false),
    };
    EXPECT_EQ(window.Reports(), expected);

    // Window state is read on the UI thread: the line count once, the line at its turn, the
    // interval before every page and the check box for every member.
    std::vector<Kind> reads;
    for (const WindowCall& call : window.Calls()) {
        if (call.kind > Kind::StagesProgressBar) {
            reads.push_back(call.kind);
        }
    }
    EXPECT_EQ(reads, (std::vector<Kind>{Kind::LinkLineCount, Kind::LinkLine, Kind::Interval,
                                        Kind::MobilesOnly, Kind::MobilesOnly, Kind::Interval,
                                        Kind::MobilesOnly}));

    const std::string host = registry.HostAndPort();
    EXPECT_EQ(ResultBytes(),
              Cp1251(u"\"Сокращенное наименование\";\"СРО\";\"Статус члена СРО\";\"ИНН\";"
                     u"\"Дата регистрации в реестре\";\"Телефон\";"
                     u"\"Адрес местонахождения юридического лица\";\"Город\";\"Руководитель\";"
                     u"\"Ссылка\"\r\n"
                     u"\"ООО 'Ромашка'\";\"СРО 'Строители'\";\"Является членом\";\"7701000001\";"
                     u"\"2019-05-06\";\"+7 (495) 123-45-67 +7 (916) 123-45-67\";"
                     u"\"101000 Россия г. Москва Москва ул. Мира д. 1\";\"Москва\";"
                     u"\"Иванов И.И.\";\"" +
                     MemberPageLink("101") +
                     u"\"\r\n"
                     u"\"ИП Петров\";\"\";\"\";\"\";\"\";\"8-916-000-00-02\";\"\";\"\";\"\";\"" +
                     MemberPageLink("102") +
                     u"\"\r\n"
                     u"\"АО Третий; с точкой\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"" +
                     MemberPageLink("103") + u"\"\r\n"));
    EXPECT_EQ(OpenedFiles(), std::vector<std::u16string>{ResultPath()});

    const std::vector<std::string> paths{"/api/sro/7/member/list", "/api/member/101/info",
                                         "/api/member/102/info", "/api/sro/7/member/list",
                                         "/api/member/103/info"};
    ASSERT_TRUE(registry.Server().BaseUrl().starts_with("https://"));
    EXPECT_EQ(RequestPaths(), paths);
    const auto requests = registry.Server().Requests();
    ASSERT_EQ(requests.size(), paths.size());
    EXPECT_EQ(requests[0].body, R"({"filters":{},"page":1,"pageCount":"20","sortBy":{}})");
    EXPECT_EQ(requests[3].body, R"({"filters":{},"page":2,"pageCount":"20","sortBy":{}})");
    EXPECT_EQ(requests[0].Header("Content-Type"), "application/json");
    // The info request's charset stays with the client for the page requests after it.
    EXPECT_EQ(requests[1].Header("Content-Type"), "application/json; charset=UTF-8");
    EXPECT_EQ(requests[3].Header("Content-Type"), "application/json; charset=UTF-8");
    for (const auto& request : requests) {
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.Header("User-Agent"), Utf16ToUtf8(DefaultUserAgent));
        if (request.Path().ends_with("/info")) {
            EXPECT_EQ(request.body, "{}");
        }
    }
    // Page 1 came at once (the tick count was past the delay); page 2 one interval later.
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(10, 100));
    EXPECT_FALSE(scraper->FatalException());
}

TEST_F(ScraperRun, LinkListLinesAreTrimmedBlanksSkippedAndForeignPathsPostedUnchanged)
{
    registry.AddSro("7", {NamedMember("1", "Один", "")});
    registry.Server().Answer("/custom/list",
                             testsupport::ScriptedAnswer::Json(MembersPageJson("0", 1, {})));
    const std::u16string custom = Utf8ToUtf16(registry.Server().BaseUrl()) + u"/custom/list";
    window.SetLinks({u"", u"   \t", u"  " + SroLink("7") + u" \t", u"\r", custom, u""});

    RunToEnd();

    EXPECT_EQ(RequestPaths(), (std::vector<std::string>{"/api/sro/7/member/list",
                                                        "/api/member/1/info", "/custom/list"}));
    std::vector<std::u16string> loading;
    std::vector<std::int32_t> linesRead;
    for (const WindowCall& call : window.Calls()) {
        if (call.kind == Kind::LogLine && call.text.starts_with(u"Загружаем: ")) {
            loading.push_back(call.text);
        }
        if (call.kind == Kind::LinkLine) {
            linesRead.push_back(call.position);
        }
    }
    EXPECT_EQ(loading, (std::vector<std::u16string>{u"Загружаем: " + SroLink("7") + u", страница 1",
                                                    u"Загружаем: " + custom + u", страница 1"}));
    EXPECT_EQ(linesRead, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5}));
}

TEST_F(ScraperRun, EmptyLinkListMakesNoRequestAndStillRunsTheEndSteps)
{
    window.SetLinks({u"", u"  "});
    RunToEnd();
    EXPECT_TRUE(registry.Server().Requests().empty());
    const std::vector<WindowCall> expected{Busy(true),
                                           Log(u"Данные будут записываться в файл " + ResultPath()),
                                           Log(u"Открываем файл с результатами"),
                                           Progress(0, 0),
                                           Stages(0, 0),
                                           Busy(false)};
    EXPECT_EQ(window.Reports(), expected);
    EXPECT_EQ(ResultBytes().size(), Cp1251(u"\"Сокращенное наименование\";\"СРО\";\"Статус члена "
                                           u"СРО\";\"ИНН\";\"Дата регистрации в реестре\";"
                                           u"\"Телефон\";\"Адрес местонахождения юридического "
                                           u"лица\";\"Город\";\"Руководитель\";\"Ссылка\"\r\n")
                                        .size());
    EXPECT_EQ(OpenedFiles(), std::vector<std::u16string>{ResultPath()});
}

TEST_F(ScraperRun, BarsCountMembersPerPageAndStagesPerLink)
{
    std::vector<FakeMember> many;
    for (int i = 1; i <= 21; ++i) {
        many.push_back(NamedMember(std::to_string(100 + i), "Member " + std::to_string(i)));
    }
    registry.AddSro("1", many);
    registry.AddSro("2", {NamedMember("201", "Alone")});
    window.SetLinks({SroLink("1"), SroLink("2")});
    RunToEnd();

    std::vector<WindowCall> bars;
    for (const WindowCall& call : window.Reports()) {
        if (call.kind == Kind::ProgressBar || call.kind == Kind::StagesProgressBar) {
            bars.push_back(call);
        }
    }
    std::vector<WindowCall> expected{Stages(0, 21)};
    for (std::int32_t member = 0; member < 21; ++member) {
        const bool firstPage = member < 20;
        Append(expected, {Stages(member + 1, 21),
                          firstPage ? Progress(member, 20) : Progress(member - 20, 1)});
    }
    Append(expected, {Stages(0, 1), Stages(1, 1), Progress(0, 1), Progress(0, 1), Stages(0, 1)});
    EXPECT_EQ(bars, expected);
    EXPECT_EQ(RequestPaths().size(), 2U + 1U + 21U + 1U);
}

TEST_F(ScraperRun, PageCountOfTheFirstPageDecidesWhichPagesAreAskedFor)
{
    struct Case {
        const char* name;
        std::string firstPage;
        std::vector<int> pagesAsked;
        std::u16string found;
    };
    const std::vector<Case> cases{
        {"three pages",
         R"({"data":{"count":"45","countPages":3,"data":[]}})",
         {1, 2, 3},
         u"Найдено: 45 организаций на 3 страницах"},
        {"zero pages",
         R"({"data":{"count":"0","countPages":0,"data":[]}})",
         {1},
         u"Найдено: 0 организаций на 0 страницах"},
        {"count pages missing",
         R"({"data":{"count":"5","data":[]}})",
         {1},
         u"Найдено: 5 организаций на 0 страницах"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const std::string sro = "5" + std::to_string(i);
        registry.AddSro(sro);
        ServePage(sro, 1, c.firstPage);
        window.SetLinks({SroLink(sro)});
        RunToEnd();
        std::vector<int> pagesAsked;
        for (const auto& request : RequestsTo(FakeRegistry::MemberListPath(sro))) {
            const std::string prefix = R"({"filters":{},"page":)";
            ASSERT_TRUE(request.body.starts_with(prefix)) << c.name;
            pagesAsked.push_back(std::stoi(request.body.substr(prefix.size())));
        }
        EXPECT_EQ(pagesAsked, c.pagesAsked) << c.name;
        const auto lines = window.LogLines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.found), lines.end()) << c.name;
    }
}

TEST_F(ScraperRun, EveryTenthPageRequestOfTheRunWaitsTheLongDelayAcrossLinks)
{
    struct Case {
        double interval;
        std::uint32_t shortDelay;
        std::uint32_t longDelay;
    };
    for (const Case c : {Case{1.0, 1000, 1500}, Case{2.5, 2000, 3000}}) {
        window.SetLinks({});
        registry.AddSro("61");
        registry.AddSro("62");
        ServePage("61", 1, MembersPageJson("0", 6, {}));
        ServePage("62", 1, MembersPageJson("0", 6, {}));
        window.SetLinks({SroLink("61"), SroLink("62")});
        window.SetInterval(c.interval);
        // The tick count when each page is announced: the clock moves only while the run sleeps.
        std::vector<std::uint32_t> announced;
        window.SetOnCall([&](const WindowCall& call) {
            if (call.kind == Kind::LogLine && call.text.starts_with(u"Загружаем: ")) {
                announced.push_back(clock.Now());
            }
        });
        RunToEnd();
        window.SetOnCall(nullptr);
        ASSERT_EQ(announced.size(), 12U) << c.interval;
        std::vector<std::uint32_t> waits;
        for (std::size_t i = 1; i < announced.size(); ++i) {
            waits.push_back(announced[i] - announced[i - 1]);
        }
        std::vector<std::uint32_t> expected(11, c.shortDelay);
        expected[8] = c.longDelay; // before the 10th request: page 4 of the second link
        EXPECT_EQ(waits, expected) << c.interval;
    }
}

} // namespace
} // namespace crawl::runtest
