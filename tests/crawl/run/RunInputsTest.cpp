#include "crawl/run/RegistryAddresses.h"
#include "crawl/run/RunLists.h"

#include "crawl/Error.h"
#include "crawl/text/Text.h"

#include "tests/support/PlatformFaults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace crawl {
namespace {

TEST(MembersApiAddress, PutsApiBeforeTheSroPathOfTheHostOnly)
{
    struct Case {
        const char* name;
        std::u16string_view link;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {"usual link", u"https://reg.test:8443/sro/322/member/list",
         u"https://reg.test:8443/api/sro/322/member/list"},
        {"every occurrence", u"https://reg.test:8443/sro/reg.test:8443/sro/",
         u"https://reg.test:8443/api/sro/reg.test:8443/api/sro/"},
        {"host in other letter case", u"https://REG.TEST:8443/sro/322/member/list",
         u"https://REG.TEST:8443/sro/322/member/list"},
        {"other port", u"https://reg.test:9999/sro/1", u"https://reg.test:9999/sro/1"},
        {"no sro path", u"https://reg.test:8443/member/1", u"https://reg.test:8443/member/1"},
        {"plain http kept", u"http://reg.test:8443/sro/5", u"http://reg.test:8443/api/sro/5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MembersApiAddress(c.link, u"reg.test:8443"), c.expected) << c.name;
    }
}

TEST(RegistryRequests, BodiesAndMemberAddressesAreExact)
{
    EXPECT_EQ(MembersPageBody(1),
              u"{\"filters\":{},\"page\":1,\"pageCount\":\"20\",\"sortBy\":{}}");
    EXPECT_EQ(MembersPageBody(1).size(), 52U);
    EXPECT_EQ(MembersPageBody(10).size(), 53U);
    EXPECT_EQ(MemberInfoAddress(u"reg.test", u"77"), u"https://reg.test/api/member/77/info");
    EXPECT_EQ(MemberLink(u"reg.test", u"77"), u"https://reg.test/member/77");
}

TEST(SkipList, MatchesTrimmedNonEmptyLinesExactly)
{
    const SkipList list({u"  https://a/sro/1 \t", u"", u"   ", u"https://a/member/2"});
    EXPECT_TRUE(list.Contains(u"https://a/sro/1"));
    EXPECT_TRUE(list.Contains(u"https://a/member/2"));
    EXPECT_FALSE(list.Contains(u"https://A/sro/1"));
    EXPECT_FALSE(list.Contains(u"https://a/sro/"));
    EXPECT_FALSE(list.Contains(u""));
}

TEST(ChooseUserAgent, TakesANonEmptyLineOrTheDefault)
{
    EXPECT_EQ(ChooseUserAgent({}), DefaultUserAgent);
    EXPECT_EQ(ChooseUserAgent({u"", u"  \t"}), DefaultUserAgent);
    EXPECT_EQ(ChooseUserAgent({u"", u"  Agent/1.0 \r"}), u"Agent/1.0");
    const std::set<std::u16string> agents{u"A/1", u"B/2", u"C/3"};
    std::set<std::u16string> chosen;
    for (int run = 0; run < 200; ++run) {
        const std::u16string agent = ChooseUserAgent({u"A/1", u"", u"B/2", u"C/3"});
        EXPECT_TRUE(agents.contains(agent));
        chosen.insert(agent);
    }
    EXPECT_GT(chosen.size(), 1U) << "always the same line out of three";
}

class ReadOptionalLinesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("run_lists_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::u16string PathOf(const char* name) const { return Utf8ToUtf16((folder_ / name).string()); }

    std::filesystem::path folder_;
};

TEST_F(ReadOptionalLinesTest, MissingFileGivesNoLinesAndAnUnreadableOneFails)
{
    EXPECT_TRUE(ReadOptionalLines(PathOf("absent.txt")).empty());
    const testsupport::UnreadableFile unreadable(folder_ / "skip.txt");
    EXPECT_THROW(ReadOptionalLines(PathOf("skip.txt")), Error);
}

TEST_F(ReadOptionalLinesTest, ReadsLinesOfUtf8AndWindows1251Files)
{
    std::ofstream(folder_ / "utf8.txt", std::ios::binary) << "\xEF\xBB\xBF"
                                                             "a\r\n\xD0\x96\r\n";
    std::ofstream(folder_ / "cp1251.txt", std::ios::binary) << "a\n\xC6";
    const std::vector<std::u16string> expected{u"a", u"Ж"};
    EXPECT_EQ(ReadOptionalLines(PathOf("utf8.txt")), expected);
    EXPECT_EQ(ReadOptionalLines(PathOf("cp1251.txt")), expected);
}

} // namespace
} // namespace crawl
