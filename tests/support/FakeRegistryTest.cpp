#include "tests/support/FakeRegistry.h"
#include "tests/support/TestClient.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace testsupport {
namespace {

using testing::EndsWith;
using testing::HasSubstr;
using testing::StartsWith;

struct Answer {
    std::string statusLine;
    std::string body;
};

std::string PageBody(int page, const char* pageCount)
{
    return "{\"filters\":{},\"page\":" + std::to_string(page) + ",\"pageCount\":\"" + pageCount +
           "\",\"sortBy\":{}}";
}

Answer Post(FakeRegistry& registry, const std::string& path, const std::string& body)
{
    TestClient client(registry.Server(), RegistryServer::Tls::Off);
    const std::string answer = client.Exchange("POST " + path + " HTTP/1.0\r\nContent-Length: " +
                                               std::to_string(body.size()) + "\r\n\r\n" + body);
    const std::size_t headEnd = answer.find("\r\n\r\n");
    return {answer.substr(0, answer.find("\r\n")),
            headEnd == std::string::npos ? "" : answer.substr(headEnd + 4)};
}

ScriptedAnswer ServerError()
{
    return ScriptedAnswer::Json("{\"error\":\"busy\"}", 500, "Internal Server Error");
}

std::vector<FakeMember> NumberedMembers(int count)
{
    std::vector<FakeMember> members;
    for (int i = 1; i <= count; ++i) {
        members.push_back(FakeMember{.id = std::to_string(i)});
    }
    return members;
}

std::size_t CountOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(FakeRegistry, ServesMembersPageAndInfoAsTheRegistryWritesThem)
{
    FakeRegistry registry(RegistryServer::Tls::Off);
    registry.AddSro("322", {FakeMember{.id = "17",
                                       .shortDescription = "ООО \"Ромашка\"",
                                       .memberStatus = "Является членом",
                                       .inn = "7701234567",
                                       .registrationDate = "2017-07-03T00:00:00",
                                       .phones = "+7 (916) 123-45-67",
                                       .city = "Москва",
                                       .street = "ул. Ленина\n",
                                       .house = "1",
                                       .director = "Иванов И. И.",
                                       .country = "Россия",
                                       .subject = "Москва",
                                       .sroFullDescription = "СРО \\ строителей"}});

    const Answer page = Post(registry, FakeRegistry::MemberListPath("322"), PageBody(1, "20"));
    EXPECT_EQ(page.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(page.body, "{\"data\":{\"count\":\"1\",\"countPages\":1,\"data\":[{\"id\":17,"
                         "\"short_description\":\"ООО \\\"Ромашка\\\"\","
                         "\"member_status\":{\"title\":\"Является членом\"},"
                         "\"inn\":\"7701234567\","
                         "\"registry_registration_date\":\"2017-07-03T00:00:00\"}]}}");

    const Answer info = Post(registry, FakeRegistry::MemberInfoPath("17"), "{}");
    EXPECT_EQ(info.body, "{\"data\":{\"id\":17,\"phones\":\"+7 (916) 123-45-67\","
                         "\"city\":\"Москва\",\"locality\":\"\",\"index\":\"\","
                         "\"street\":\"ул. Ленина\\u000a\",\"house\":\"1\",\"building\":\"\","
                         "\"room\":\"\",\"director\":\"Иванов И. И.\","
                         "\"base_country\":{\"title\":\"Россия\"},"
                         "\"base_subject\":{\"title\":\"Москва\"},"
                         "\"sro\":{\"full_description\":\"СРО \\\\ строителей\"}}}");
}

TEST(FakeRegistry, SplitsListsIntoPagesOfTheRegistrysSize)
{
    FakeRegistry registry(RegistryServer::Tls::Off);
    registry.AddSro("5", NumberedMembers(25));
    for (int i = 0; i < 150; ++i) {
        registry.AddSro("sro" + std::to_string(i));
    }
    const std::string members = FakeRegistry::MemberListPath("5");
    const std::string sros = FakeRegistry::SroListPath();

    const Answer membersPage2 = Post(registry, members, PageBody(2, "20"));
    EXPECT_THAT(membersPage2.body, StartsWith("{\"data\":{\"count\":\"25\",\"countPages\":2,"));
    EXPECT_EQ(CountOf(membersPage2.body, "\"short_description\""), 5u);
    EXPECT_THAT(membersPage2.body, HasSubstr("\"data\":[{\"id\":21,"));
    EXPECT_EQ(Post(registry, members, PageBody(3, "20")).body,
              "{\"data\":{\"count\":\"25\",\"countPages\":2,\"data\":[]}}");

    const Answer srosPage1 = Post(registry, sros, PageBody(1, "100"));
    EXPECT_THAT(srosPage1.body, StartsWith("{\"data\":{\"countPages\":2,\"data\":[{\"id\":5},"));
    EXPECT_EQ(CountOf(srosPage1.body, "{\"id\":"), 100u);
    const Answer srosPage2 = Post(registry, sros, PageBody(2, "100"));
    EXPECT_EQ(CountOf(srosPage2.body, "{\"id\":"), 51u);
    EXPECT_THAT(srosPage2.body, EndsWith(",{\"id\":\"sro149\"}]}}"));
}

TEST(FakeRegistry, FaultsHitOnlyTheirRequestsAndRunOut)
{
    FakeRegistry registry(RegistryServer::Tls::Off);
    registry.AddSro("5", NumberedMembers(45));
    const std::string members = FakeRegistry::MemberListPath("5");
    registry.FailNext(members, 2, {ServerError(), ServerError()});
    registry.FailAlways(FakeRegistry::MemberInfoPath("3"), std::nullopt,
                        ScriptedAnswer{.status = 503, .reason = "Service Unavailable"});

    const auto statusOf = [&](const std::string& path, const std::string& body) {
        return Post(registry, path, body).statusLine;
    };
    EXPECT_EQ(statusOf(members, PageBody(2, "20")), "HTTP/1.1 500 Internal Server Error");
    EXPECT_EQ(statusOf(members, PageBody(1, "20")), "HTTP/1.1 200 OK");
    EXPECT_EQ(statusOf(members, PageBody(2, "20")), "HTTP/1.1 500 Internal Server Error");
    EXPECT_EQ(statusOf(members, PageBody(2, "20")), "HTTP/1.1 200 OK");
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_EQ(statusOf(FakeRegistry::MemberInfoPath("3"), "{}"),
                  "HTTP/1.1 503 Service Unavailable");
    }
    EXPECT_EQ(statusOf(FakeRegistry::MemberInfoPath("4"), "{}"), "HTTP/1.1 200 OK");
    EXPECT_EQ(statusOf(FakeRegistry::MemberInfoPath("46"), "{}"), "HTTP/1.1 404 Not Found");
    EXPECT_EQ(statusOf(FakeRegistry::MemberListPath("6"), PageBody(1, "20")),
              "HTTP/1.1 404 Not Found");
    EXPECT_EQ(statusOf(members, "{}"), "HTTP/1.1 400 Bad Request");
}

} // namespace
} // namespace testsupport
