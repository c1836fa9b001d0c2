#pragma once

#include "tests/support/RegistryServer.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A small registry in memory, served by a RegistryServer, for tests that run whole crawls
// and SRO link collections. It answers the three registry requests the way the real
// registry does, as "application/json; charset=utf-8" with UTF-8 bodies:
// - POST /api/sro/list, pages of 100 SROs:
//   {"data":{"countPages":p,"data":[{"id":..},..]}}
// - POST /api/sro/<id>/member/list, pages of 20 members:
//   {"data":{"count":"<n>","countPages":p,"data":[{"id":..,"short_description":..},..]}}
// - POST /api/member/<id>/info:
//   {"data":{"id":..,"phones":..,..,"sro":{"full_description":..}}}
// The page number is the "page" of the request body; a page past the last has no items. A
// list request without a page gets 400, an unknown SRO or member 404.
namespace testsupport {

// One member company. All texts are UTF-8; an id made of digits only is written as a JSON
// number, any other id as a JSON string.
struct FakeMember {
    std::string id{};
    // The member's item of the members page.
    std::string shortDescription{};
    std::string memberStatus{}; // member_status.title
    std::string inn{};
    std::string registrationDate{}; // registry_registration_date
    // The "data" object of the member's info answer.
    std::string phones{};
    std::string city{};
    std::string locality{};
    std::string index{};
    std::string street{};
    std::string house{};
    std::string building{};
    std::string room{};
    std::string director{};
    std::string country{};            // base_country.title
    std::string subject{};            // base_subject.title
    std::string sroFullDescription{}; // sro.full_description
    // JSON texts that replace the generated ones: the item of the members page, and the whole
    // info answer body. MemberItemJson and MemberInfoJson give the generated texts to edit.
    std::optional<std::string> itemJson{};
    std::optional<std::string> infoJson{};
};

std::string MemberItemJson(const FakeMember& member);
std::string MemberInfoJson(const FakeMember& member);

// `count` members with ids 101, 102..., named "ООО Член 1", "ООО Член 2"..., each with a
// mobile number.
std::vector<FakeMember> SampleMembers(int count);

class FakeRegistry {
public:
    // Serves on `port`, or on an ephemeral port when it is 0.
    explicit FakeRegistry(RegistryServer::Tls tls = RegistryServer::Tls::On, int port = 0);
    ~FakeRegistry();
    FakeRegistry(const FakeRegistry&) = delete;
    FakeRegistry& operator=(const FakeRegistry&) = delete;

    // The server beneath: its address, its recorded requests, and scripted answers, which take
    // precedence over the registry for their path.
    RegistryServer& Server();
    std::string HostAndPort() const;

    // Adds an SRO at the end of the SRO list, with its members in page order.
    void AddSro(std::string sroId, std::vector<FakeMember> members = {});

    // Faults for requests to `path` (and, when `page` is given, only for that page of a list).
    // FailNext: the next matching requests get these answers, one each, then normal service
    // resumes. FailAlways: every matching request gets this answer. Faults are looked up in
    // the order they were added.
    void FailNext(std::string path, std::optional<int> page, std::vector<ScriptedAnswer> answers);
    void FailAlways(std::string path, std::optional<int> page, ScriptedAnswer answer);

    static std::string SroListPath();
    static std::string MemberListPath(std::string_view sroId);
    static std::string MemberInfoPath(std::string_view memberId);
    // The members-list link a user puts in the link list: BaseUrl + "/sro/<id>/member/list".
    std::string SroLink(std::string_view sroId) const;

private:
    struct State;
    std::unique_ptr<State> state_;
    RegistryServer server_;
};

} // namespace testsupport
