// The lists a run reads (skip.txt, useragents.txt) and the mobile check box read per member.
#include "ScraperFixture.h"

#include "crawl/run/RunLists.h"
#include "crawl/text/Text.h"

namespace crawl::runtest {
namespace {

using testsupport::FakeMember;
using testsupport::FakeRegistry;
using Kind = WindowCall::Kind;

std::vector<std::u16string> LinesStartingWith(const std::vector<std::u16string>& lines,
                                              std::u16string_view start)
{
    std::vector<std::u16string> matching;
    for (const std::u16string& line : lines) {
        if (line.starts_with(start)) {
            matching.push_back(line);
        }
    }
    return matching;
}

TEST_F(ScraperRun, SkipListLeavesOutMatchingLinksAndMembersBeforeTheirRequests)
{
    registry.AddSro("7", {NamedMember("71", "Kept", ""), NamedMember("72", "Skipped", ""),
                          NamedMember("73", "Also kept", "")});
    registry.AddSro("8", {NamedMember("81", "Never", "")});
    WriteProgramFile("skip.txt", "\xEF\xBB\xBF  " + Utf16ToUtf8(SroLink("8")) + " \r\n\r\n" +
                                     Utf16ToUtf8(MemberPageLink("72")) + "\r\n" +
                                     "https://elsewhere.test/sro/1\r\n");
    window.SetLinks({SroLink("8"), u"  " + SroLink("7")});
    RunToEnd();

    EXPECT_EQ(RequestPaths(),
              (std::vector<std::string>{"/api/sro/7/member/list", "/api/member/71/info",
                                        "/api/member/73/info"}));
    const std::vector<std::u16string> lines = window.LogLines();
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[0], u"В файле skip.txt найдено 4 записей с URL объявлений, которые не будут "
                        u"загружаться.");
    EXPECT_EQ(LinesStartingWith(lines, u"Пропускаем, ссылка есть в skip.txt: "),
              (std::vector<std::u16string>{u"Пропускаем, ссылка есть в skip.txt: " + SroLink("8"),
                                           u"Пропускаем, ссылка есть в skip.txt: " +
                                               MemberPageLink("72")}));
    EXPECT_EQ(LinesStartingWith(lines, u"Добавлено в базу: "),
              (std::vector<std::u16string>{u"Добавлено в базу: Kept; ",
                                           u"Добавлено в базу: Also kept; "}));
    EXPECT_EQ(ResultBytes().find("Skipped"), std::string::npos);
}

TEST_F(ScraperRun, EmptySkipListIsNotAnnounced)
{
    WriteProgramFile("skip.txt", "");
    window.SetLinks({});
    RunToEnd();
    EXPECT_TRUE(LinesStartingWith(window.LogLines(), u"В файле skip.txt").empty());
}

TEST_F(ScraperRun, UserAgentComesFromUserAgentsTxtWhenItHasALine)
{
    struct Case {
        const char* name;
        const char* file; // nullptr: no file
        std::string expected;
    };
    const Case cases[] = {
        {"no file", nullptr, Utf16ToUtf8(DefaultUserAgent)},
        {"blank lines only", " \r\n\t\r\n", Utf16ToUtf8(DefaultUserAgent)},
        {"one agent among blanks", "\r\n  TestAgent/7.0 (X11) \r\n\r\n", "TestAgent/7.0 (X11)"},
    };
    registry.AddSro("5", {NamedMember("51", "One", "")});
    window.SetLinks({SroLink("5")});
    for (const Case& c : cases) {
        std::filesystem::remove(folder / "useragents.txt");
        if (c.file != nullptr) {
            WriteProgramFile("useragents.txt", c.file);
        }
        const std::size_t before = registry.Server().Requests().size();
        RunToEnd();
        const auto requests = registry.Server().Requests();
        ASSERT_EQ(requests.size(), before + 2) << c.name;
        for (std::size_t i = before; i < requests.size(); ++i) {
            EXPECT_EQ(requests[i].Header("User-Agent"), c.expected) << c.name;
        }
    }
}

TEST_F(ScraperRun, TickingTheMobileFilterMidRunAppliesFromTheNextMember)
{
    registry.AddSro("6",
                    {NamedMember("61", "Landline before", "+7 (495) 123-45-67"),
                     NamedMember("62", "Landline after", "+7 (495) 765-43-21"),
                     NamedMember("63", "Mobile after", "+7 (495) 111-11-11, 8 916 123 45 67")});
    window.SetLinks({SroLink("6")});
    window.SetOnCall([this](const WindowCall& call) {
        if (call.kind == Kind::LogLine && call.text.starts_with(u"Добавлено в базу: Landline")) {
            window.SetMobilesOnly(true);
        }
    });
    RunToEnd();

    const std::vector<std::u16string> expected{
        u"Добавлено в базу: Landline before; +7 (495) 123-45-67",
        u"Пропускаем, нет мобильного телефона: Landline after; +7 (495) 765-43-21",
        u"Добавлено в базу: Mobile after; +7 (495) 111-11-11, 8 916 123 45 67"};
    std::vector<std::u16string> decisions;
    for (const std::u16string& line : window.LogLines()) {
        if (line.starts_with(u"Добавлено") || line.starts_with(u"Пропускаем")) {
            decisions.push_back(line);
        }
    }
    EXPECT_EQ(decisions, expected);
    const std::string bytes = ResultBytes();
    EXPECT_NE(bytes.find("\"Landline before\""), std::string::npos);
    EXPECT_EQ(bytes.find("Landline after"), std::string::npos);
    EXPECT_NE(bytes.find("\"Mobile after\""), std::string::npos);
}

} // namespace
} // namespace crawl::runtest
