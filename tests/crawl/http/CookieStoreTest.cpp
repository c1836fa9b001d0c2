#include "crawl/http/CookieStore.h"
#include "crawl/http/CookieDate.h"
#include "crawl/text/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace crawl::http {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

// "https://host/path" split into its parts; the views point into `url`.
CookieUrl Split(std::u16string_view url)
{
    const std::size_t schemeEnd = url.find(u"://");
    const std::size_t hostStart = schemeEnd + 3;
    const std::size_t pathStart = std::min(url.find(u'/', hostStart), url.size());
    return {url.substr(0, schemeEnd), url.substr(hostStart, pathStart - hostStart),
            url.substr(pathStart)};
}

// Noon of 10 January 2026, UTC; the store sees only this clock.
const system_clock::time_point Start = sys_days(2026y / January / 10) + 12h;

class CookieStoreTest : public testing::Test {
protected:
    system_clock::time_point now = Start;
    CookieStore store{[this] { return now; }};

    void StoreAll(std::u16string_view url, const std::vector<std::u16string>& setCookies)
    {
        for (const std::u16string& setCookie : setCookies) {
            store.Store(Split(url), setCookie);
        }
    }
    std::u16string HeaderFor(std::u16string_view url) { return store.HeaderFor(Split(url)); }
};

struct MatchCase {
    const char* name;
    std::u16string setAt;
    std::vector<std::u16string> setCookies;
    std::u16string requestUrl;
    std::u16string expected;
};

const MatchCase MatchCases[] = {
    {"DefaultPathIsTheFolderOfTheRequest",
     u"https://example.org/api/sro/list",
     {u"a=1"},
     u"https://example.org/api/sro/5/member/list",
     u"a=1"},
    {"DefaultPathExcludesOtherFolders",
     u"https://example.org/api/sro/list",
     {u"a=1"},
     u"https://example.org/api/member/1/info",
     u""},
    {"DefaultPathOfATopLevelRequestIsRoot",
     u"https://example.org/list",
     {u"a=1"},
     u"https://example.org/other",
     u"a=1"},
    {"PathAttributeWidensTheScope",
     u"https://example.org/api/sro/list",
     {u"a=1; Path=/"},
     u"https://example.org/api/member/1/info",
     u"a=1"},
    {"PathMatchesOnlyAtASlash",
     u"https://example.org/",
     {u"a=1; Path=/api"},
     u"https://example.org/apix",
     u""},
    {"PathMatchesBelowItself",
     u"https://example.org/",
     {u"a=1; Path=/api"},
     u"https://example.org/api/x",
     u"a=1"},
    {"PathMatchesItself",
     u"https://example.org/",
     {u"a=1; Path=/api"},
     u"https://example.org/api",
     u"a=1"},
    {"PathNotStartingWithSlashFallsBackToDefault",
     u"https://example.org/x/y/z",
     {u"a=1; Path=api"},
     u"https://example.org/x/y/w",
     u"a=1"},
    {"FallbackPathIsNotRoot",
     u"https://example.org/x/y/z",
     {u"a=1; Path=api"},
     u"https://example.org/x",
     u""},
    {"HostOnlyCookieSkipsSubdomains",
     u"https://example.org/",
     {u"a=1"},
     u"https://www.example.org/",
     u""},
    {"HostCaseIgnored", u"https://Example.ORG/", {u"a=1"}, u"https://example.org/", u"a=1"},
    {"DomainWithLeadingDotCoversSubdomains",
     u"https://example.org/",
     {u"a=1; Domain=.Example.ORG"},
     u"https://www.example.org/",
     u"a=1"},
    {"DomainMatchesOnlyWholeLabels",
     u"https://example.org/",
     {u"a=1; Domain=example.org"},
     u"https://notexample.org/",
     u""},
    {"DomainOfAParentIsAccepted",
     u"https://www.example.org/",
     {u"a=1; Domain=example.org"},
     u"https://example.org/",
     u"a=1"},
    {"DomainTheHostDoesNotMatchIsRejected",
     u"https://www.example.org/",
     {u"a=1; Domain=other.org"},
     u"https://other.org/",
     u""},
    {"RejectedDomainStoresNothingForTheHostEither",
     u"https://www.example.org/",
     {u"a=1; Domain=other.org"},
     u"https://www.example.org/",
     u""},
    {"AddressAcceptsOnlyItself",
     u"http://127.0.0.1/",
     {u"a=1; Domain=0.0.1", u"b=2; Domain=127.0.0.1"},
     u"http://127.0.0.1/",
     u"b=2"},
    {"EmptyDomainIsIgnored",
     u"https://example.org/",
     {u"a=1; Domain="},
     u"https://example.org/",
     u"a=1"},
    {"SecureOnlyOverHttps",
     u"https://example.org/",
     {u"a=1; Secure", u"b=2"},
     u"http://example.org/",
     u"b=2"},
    {"SecureSentOverHttps",
     u"https://example.org/",
     {u"a=1; Secure", u"b=2"},
     u"https://example.org/",
     u"a=1; b=2"},
    {"AttributeNamesIgnoreCase",
     u"https://example.org/x/y",
     {u"a=1; PATH=/; sEcUrE"},
     u"http://example.org/",
     u""},
    {"HttpOnlyIsStillSent",
     u"https://example.org/",
     {u"a=1; HttpOnly"},
     u"https://example.org/",
     u"a=1"},
    {"BlanksAroundNameAndValueGo",
     u"https://example.org/",
     {u" \ta = x=y \t; Path=/"},
     u"https://example.org/",
     u"a=x=y"},
    {"EmptyValueIsACookie", u"https://example.org/", {u"a="}, u"https://example.org/", u"a="},
    {"WithoutEqualsOrNameNothingIsStored",
     u"https://example.org/",
     {u"novalue", u"=v", u" =v; Path=/", u""},
     u"https://example.org/",
     u""},
    {"NoCookieNoHeader", u"https://example.org/", {}, u"https://example.org/", u""},
};

class CookieMatchTest : public CookieStoreTest, public testing::WithParamInterface<MatchCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, CookieMatchTest, testing::ValuesIn(MatchCases),
                         [](const auto& testInfo) { return testInfo.param.name; });

TEST_P(CookieMatchTest, SendsExactlyTheCookiesThatApply)
{
    StoreAll(GetParam().setAt, GetParam().setCookies);
    EXPECT_EQ(HeaderFor(GetParam().requestUrl), GetParam().expected);
}

struct ExpiryCase {
    const char* name;
    std::vector<std::u16string> setCookies;
    system_clock::duration later;
    std::u16string expected;
};

const ExpiryCase ExpiryCases[] = {
    {"MaxAgeKeepsTheCookieUntilItRunsOut", {u"a=1; Max-Age=60"}, 59s, u"a=1"},
    {"MaxAgeRunsOut", {u"a=1; Max-Age=60"}, 60s, u""},
    {"MaxAgeWinsOverALaterExpires",
     {u"a=1; Max-Age=60; Expires=Sun, 11 Jan 2026 12:00:00 GMT"},
     120s,
     u""},
    {"MaxAgeWinsOverAnEarlierExpires",
     {u"a=1; Expires=Thu, 01 Jan 1970 00:00:00 GMT; Max-Age=60"},
     30s,
     u"a=1"},
    {"LastValidMaxAgeCounts", {u"a=1; Max-Age=10; Max-Age=1000; Max-Age=x"}, 100s, u"a=1"},
    {"InvalidMaxAgeLeavesExpires",
     {u"a=1; Max-Age=+5; Expires=Sat, 10 Jan 2026 12:00:10 GMT"},
     20s,
     u""},
    {"InvalidMaxAgeMakesNoExpiry", {u"a=1; Max-Age=5s"}, hours(24 * 365), u"a=1"},
    {"ExpiresInTheFutureKeeps", {u"a=1; Expires=Sat, 10 Jan 2026 13:00:00 GMT"}, 30min, u"a=1"},
    {"ExpiresPasses", {u"a=1; Expires=Sat, 10 Jan 2026 13:00:00 GMT"}, 2h, u""},
    {"ExpiresInThePastStoresNothing", {u"a=1; Expires=Thu, 01 Jan 1970 00:00:00 GMT"}, 0s, u""},
    {"InvalidExpiresIsIgnored", {u"a=1; Expires=some day"}, hours(24 * 3650), u"a=1"},
    {"MaxAgeZeroRemovesTheStoredCookie", {u"a=1", u"b=2", u"a=3; Max-Age=0"}, 0s, u"b=2"},
    {"NegativeMaxAgeRemovesTheStoredCookie", {u"a=1", u"a=3; Max-Age=-1"}, 0s, u""},
    {"PastExpiresRemovesTheStoredCookie",
     {u"a=1", u"a=2; Expires=Fri, 09 Jan 2026 12:00:00 GMT"},
     0s,
     u""},
    {"HugeMaxAgeDoesNotOverflow",
     {u"a=1; Max-Age=99999999999999999999999"},
     hours(24 * 36500),
     u"a=1"},
};

class CookieExpiryTest : public CookieStoreTest, public testing::WithParamInterface<ExpiryCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, CookieExpiryTest, testing::ValuesIn(ExpiryCases),
                         [](const auto& testInfo) { return testInfo.param.name; });

TEST_P(CookieExpiryTest, DropsCookiesOnceExpired)
{
    StoreAll(u"https://example.org/", GetParam().setCookies);
    now += GetParam().later;
    EXPECT_EQ(HeaderFor(u"https://example.org/"), GetParam().expected);
}

TEST_F(CookieStoreTest, OrdersLongerPathsFirstThenEarlierCreated)
{
    StoreAll(u"https://example.org/a/b/c", {u"x=1; Path=/", u"y=2; Path=/a/b", u"z=3; Path=/a",
                                            u"w=4; Path=/a/b", u"x=5; Path=/a/b/c"});
    EXPECT_EQ(HeaderFor(u"https://example.org/a/b/c"), u"x=5; y=2; w=4; z=3; x=1");
}

TEST_F(CookieStoreTest, ReplacedCookieKeepsItsCreationTime)
{
    StoreAll(u"https://example.org/", {u"a=1", u"b=2"});
    now += 1h;
    StoreAll(u"https://example.org/", {u"a=3"});
    EXPECT_EQ(HeaderFor(u"https://example.org/"), u"a=3; b=2");
    // The same name on another path is another cookie.
    StoreAll(u"https://example.org/", {u"b=4; Path=/x"});
    EXPECT_EQ(HeaderFor(u"https://example.org/x/y"), u"b=4; a=3; b=2");
    // Same name, domain and path replace, whether the cookie was host-only or not.
    StoreAll(u"https://www.example.org/", {u"a=5; Domain=example.org"});
    EXPECT_EQ(HeaderFor(u"https://example.org/"), u"a=5; b=2");
    EXPECT_EQ(HeaderFor(u"https://www.example.org/"), u"a=5");
}

TEST_F(CookieStoreTest, EarlierCreationTimeWinsOverStoringOrder)
{
    // The clock may be set back; the order follows creation times, not arrival.
    StoreAll(u"https://example.org/", {u"late=1"});
    now -= 1h;
    StoreAll(u"https://example.org/", {u"early=2"});
    EXPECT_EQ(HeaderFor(u"https://example.org/"), u"early=2; late=1");
}

TEST_F(CookieStoreTest, KeepsAtMostThreeThousandCookiesDroppingTheOldest)
{
    for (int i = 0; i <= 3000; ++i) {
        store.Store(Split(u"https://example.org/"), u"c" + Utf8ToUtf16(std::to_string(i)) + u"=1");
    }
    const std::u16string header = HeaderFor(u"https://example.org/");
    EXPECT_EQ(header.substr(0, 10), u"c1=1; c2=1");
    EXPECT_EQ(header.find(u"c0=1"), std::u16string::npos);
    EXPECT_TRUE(header.ends_with(u"; c3000=1"));
}

struct DateCase {
    const char* name;
    std::u16string text;
    std::optional<sys_seconds> expected;
};

constexpr sys_seconds At(year_month_day date, hours hour, minutes minute, seconds second)
{
    return sys_days(date) + hour + minute + second;
}

const DateCase DateCases[] = {
    {"Rfc1123", u"Sun, 06 Nov 1994 08:49:37 GMT", At(1994y / November / 6, 8h, 49min, 37s)},
    {"Rfc850TwoDigitYear", u"Sunday, 06-Nov-94 08:49:37 GMT",
     At(1994y / November / 6, 8h, 49min, 37s)},
    {"Asctime", u"Sun Nov  6 08:49:37 1994", At(1994y / November / 6, 8h, 49min, 37s)},
    {"AnyOrderAndCaseAndShortFields", u"1:2:3 2069 nOVEMBER 6",
     At(2069y / November / 6, 1h, 2min, 3s)},
    {"YearSeventyIs1970", u"01 Jan 70 00:00:01", At(1970y / January / 1, 0h, 0min, 1s)},
    {"YearSixtyNineIs2069", u"01 Jan 69 00:00:00", At(2069y / January / 1, 0h, 0min, 0s)},
    {"LeapDay", u"29 Feb 2028 23:59:59", At(2028y / February / 29, 23h, 59min, 59s)},
    {"DayThatDoesNotExist", u"Fri, 31 Apr 2026 10:00:00 GMT", std::nullopt},
    {"NoLeapDay", u"29 Feb 2027 10:00:00", std::nullopt},
    {"HourTwentyFour", u"10 Jan 2026 24:00:00", std::nullopt},
    {"MinuteSixty", u"10 Jan 2026 10:60:00", std::nullopt},
    {"YearBefore1601", u"10 Jan 1600 10:00:00", std::nullopt},
    {"NoTime", u"Sat, 10 Jan 2026 GMT", std::nullopt},
    {"ThreeDigitDay", u"100 Jan 2026 10:00:00", std::nullopt},
    {"IsoFormatHasNoMonthName", u"2026-01-10T10:00:00Z", std::nullopt},
    {"Empty", u"", std::nullopt},
};

class CookieDateTest : public testing::TestWithParam<DateCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, CookieDateTest, testing::ValuesIn(DateCases),
                         [](const auto& testInfo) { return testInfo.param.name; });

TEST_P(CookieDateTest, ReadsTheDateOrNothing)
{
    EXPECT_EQ(ParseCookieDate(GetParam().text), GetParam().expected);
}

} // namespace
} // namespace crawl::http
