#include "tests/support/FakeRegistry.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <mutex>
#include <unordered_map>

namespace testsupport {
namespace {

// Page sizes of the registry, whatever "pageCount" a request asks for.
constexpr std::size_t SrosPerPage = 100;
constexpr std::size_t MembersPerPage = 20;

const std::string ApiSroPrefix = "/api/sro/";
const std::string MemberListSuffix = "/member/list";
const std::string ApiMemberPrefix = "/api/member/";
const std::string InfoSuffix = "/info";

std::string JsonString(std::string_view text)
{
    static const char hexDigits[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (code < 0x20) {
            quoted += "\\u00";
            quoted += hexDigits[code >> 4];
            quoted += hexDigits[code & 0xF];
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string JsonId(std::string_view id)
{
    const bool digitsOnly = !id.empty() && std::all_of(id.begin(), id.end(),
                                                       [](char c) { return c >= '0' && c <= '9'; });
    return digitsOnly ? std::string(id) : JsonString(id);
}

std::string Field(std::string_view name, std::string_view value)
{
    return JsonString(name) + ":" + JsonString(value);
}

std::string TitleObject(std::string_view name, std::string_view key, std::string_view value)
{
    return JsonString(name) + ":{" + Field(key, value) + "}";
}

std::size_t PageCount(std::size_t items, std::size_t perPage)
{
    return (items + perPage - 1) / perPage;
}

// The "page" number of a request body such as {"filters":{},"page":2,...}.
std::optional<int> PageOfBody(std::string_view body)
{
    const std::string_view key = "\"page\":";
    const std::size_t found = body.find(key);
    if (found == std::string_view::npos) {
        return std::nullopt;
    }
    const char* begin = body.data() + found + key.size();
    int page = 0;
    const auto result = std::from_chars(begin, body.data() + body.size(), page);
    if (result.ec != std::errc() || result.ptr == begin) {
        return std::nullopt;
    }
    return page;
}

// The items of page `page` (from 1), joined as the text of a JSON array.
template <typename Items, typename Render>
std::string PageItems(const Items& items, int page, std::size_t perPage, Render render)
{
    std::string array = "[";
    if (page >= 1) {
        const std::size_t first = static_cast<std::size_t>(page - 1) * perPage;
        for (std::size_t i = first; i < items.size() && i < first + perPage; ++i) {
            if (i > first) {
                array += ",";
            }
            array += render(items[i]);
        }
    }
    return array + "]";
}

// The id between a prefix and a suffix of `path`, if the path has that shape.
std::optional<std::string> IdBetween(std::string_view path, std::string_view prefix,
                                     std::string_view suffix)
{
    if (path.size() <= prefix.size() + suffix.size() || path.substr(0, prefix.size()) != prefix ||
        path.substr(path.size() - suffix.size()) != suffix) {
        return std::nullopt;
    }
    return std::string(path.substr(prefix.size(), path.size() - prefix.size() - suffix.size()));
}

ScriptedAnswer Plain(int status, std::string reason)
{
    return ScriptedAnswer{
        .status = status, .reason = std::move(reason), .headers = {{"Content-Length", "0"}}};
}

struct Sro {
    std::string id;
    std::vector<FakeMember> members;
};

struct Fault {
    std::string path;
    std::optional<int> page;
    std::deque<ScriptedAnswer> answers;
    bool always = false;
};

} // namespace

std::string MemberItemJson(const FakeMember& member)
{
    if (member.itemJson) {
        return *member.itemJson;
    }
    return "{\"id\":" + JsonId(member.id) + "," +
           Field("short_description", member.shortDescription) + "," +
           TitleObject("member_status", "title", member.memberStatus) + "," +
           Field("inn", member.inn) + "," +
           Field("registry_registration_date", member.registrationDate) + "}";
}

std::string MemberInfoJson(const FakeMember& member)
{
    if (member.infoJson) {
        return *member.infoJson;
    }
    return "{\"data\":{\"id\":" + JsonId(member.id) + "," + Field("phones", member.phones) + "," +
           Field("city", member.city) + "," + Field("locality", member.locality) + "," +
           Field("index", member.index) + "," + Field("street", member.street) + "," +
           Field("house", member.house) + "," + Field("building", member.building) + "," +
           Field("room", member.room) + "," + Field("director", member.director) + "," +
           TitleObject("base_country", "title", member.country) + "," +
           TitleObject("base_subject", "title", member.subject) + "," +
           TitleObject("sro", "full_description", member.sroFullDescription) + "}}";
}

std::vector<FakeMember> SampleMembers(int count)
{
    std::vector<FakeMember> members;
    for (int i = 1; i <= count; ++i) {
        FakeMember member;
        member.id = std::to_string(100 + i);
        member.shortDescription = "ООО Член " + std::to_string(i);
        member.phones = "+7 (900) 000-00-0" + std::to_string(i);
        members.push_back(member);
    }
    return members;
}

struct FakeRegistry::State {
    std::mutex mutex;
    std::vector<Sro> sros;
    // Where the first member of each id lies: (SRO, member) positions in `sros`, so that an
    // info request costs the same in a registry of a hundred thousand members.
    std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> memberPositions;
    std::vector<Fault> faults;

    ScriptedAnswer Answer(const RecordedRequest& request);
    std::optional<ScriptedAnswer> TakeFault(const std::string& path, std::optional<int> page);
    ScriptedAnswer SroList(int page) const;
    ScriptedAnswer MemberList(const std::string& sroId, int page) const;
    ScriptedAnswer MemberInfo(const std::string& memberId) const;
};

ScriptedAnswer FakeRegistry::State::Answer(const RecordedRequest& request)
{
    const std::string path = request.Path();
    const std::optional<std::string> sroId = IdBetween(path, ApiSroPrefix, MemberListSuffix);
    const bool isList = sroId || path == SroListPath();
    const std::optional<int> page = isList ? PageOfBody(request.body) : std::nullopt;

    std::lock_guard lock(mutex);
    if (std::optional<ScriptedAnswer> fault = TakeFault(path, page)) {
        return *fault;
    }
    if (isList && !page) {
        return Plain(400, "Bad Request");
    }
    if (path == SroListPath()) {
        return SroList(*page);
    }
    if (sroId) {
        return MemberList(*sroId, *page);
    }
    if (const std::optional<std::string> memberId = IdBetween(path, ApiMemberPrefix, InfoSuffix)) {
        return MemberInfo(*memberId);
    }
    return Plain(404, "Not Found");
}

std::optional<ScriptedAnswer> FakeRegistry::State::TakeFault(const std::string& path,
                                                             std::optional<int> page)
{
    for (auto it = faults.begin(); it != faults.end(); ++it) {
        if (it->path != path || (it->page && it->page != page)) {
            continue;
        }
        ScriptedAnswer answer = it->answers.front();
        if (!it->always) {
            it->answers.pop_front();
            if (it->answers.empty()) {
                faults.erase(it);
            }
        }
        return answer;
    }
    return std::nullopt;
}

ScriptedAnswer FakeRegistry::State::SroList(int page) const
{
    const std::string items = PageItems(
        sros, page, SrosPerPage, [](const Sro& sro) { return "{\"id\":" + JsonId(sro.id) + "}"; });
    return ScriptedAnswer::Json(
        "{\"data\":{\"countPages\":" + std::to_string(PageCount(sros.size(), SrosPerPage)) +
        ",\"data\":" + items + "}}");
}

ScriptedAnswer FakeRegistry::State::MemberList(const std::string& sroId, int page) const
{
    const auto sro =
        std::find_if(sros.begin(), sros.end(), [&](const Sro& each) { return each.id == sroId; });
    if (sro == sros.end()) {
        return Plain(404, "Not Found");
    }
    const std::string items = PageItems(sro->members, page, MembersPerPage, MemberItemJson);
    return ScriptedAnswer::Json(
        "{\"data\":{\"count\":\"" + std::to_string(sro->members.size()) +
        "\",\"countPages\":" + std::to_string(PageCount(sro->members.size(), MembersPerPage)) +
        ",\"data\":" + items + "}}");
}

ScriptedAnswer FakeRegistry::State::MemberInfo(const std::string& memberId) const
{
    const auto found = memberPositions.find(memberId);
    if (found == memberPositions.end()) {
        return Plain(404, "Not Found");
    }
    const auto [sro, member] = found->second;
    return ScriptedAnswer::Json(MemberInfoJson(sros[sro].members[member]));
}

FakeRegistry::FakeRegistry(RegistryServer::Tls tls, int port)
    : state_(std::make_unique<State>()), server_(tls, port)
{
    server_.SetHandler(
        [state = state_.get()](const RecordedRequest& request) { return state->Answer(request); });
}

FakeRegistry::~FakeRegistry()
{
    server_.Stop();
}

RegistryServer& FakeRegistry::Server()
{
    return server_;
}

std::string FakeRegistry::HostAndPort() const
{
    return server_.HostAndPort();
}

void FakeRegistry::AddSro(std::string sroId, std::vector<FakeMember> members)
{
    std::lock_guard lock(state_->mutex);
    const std::size_t sro = state_->sros.size();
    for (std::size_t member = 0; member < members.size(); ++member) {
        state_->memberPositions.try_emplace(members[member].id, sro, member);
    }
    state_->sros.push_back(Sro{std::move(sroId), std::move(members)});
}

void FakeRegistry::FailNext(std::string path, std::optional<int> page,
                            std::vector<ScriptedAnswer> answers)
{
    if (answers.empty()) {
        return;
    }
    std::lock_guard lock(state_->mutex);
    state_->faults.push_back(
        Fault{std::move(path), page, std::deque<ScriptedAnswer>(answers.begin(), answers.end())});
}

void FakeRegistry::FailAlways(std::string path, std::optional<int> page, ScriptedAnswer answer)
{
    std::lock_guard lock(state_->mutex);
    state_->faults.push_back(Fault{std::move(path), page, {std::move(answer)}, true});
}

std::string FakeRegistry::SroListPath()
{
    return "/api/sro/list";
}

std::string FakeRegistry::MemberListPath(std::string_view sroId)
{
    return ApiSroPrefix + std::string(sroId) + MemberListSuffix;
}

std::string FakeRegistry::MemberInfoPath(std::string_view memberId)
{
    return ApiMemberPrefix + std::string(memberId) + InfoSuffix;
}

std::string FakeRegistry::SroLink(std::string_view sroId) const
{
    return server_.BaseUrl() + "/sro/" + std::string(sroId) + MemberListSuffix;
}

} // namespace testsupport
