// Parsing one ~1 MB members answer and reading every member's values, with our reader and
// with two general JSON libraries as baselines.
//
// How each is fed: answers reach our reader as UTF-16 text, so ParseString gets the
// document in UTF-16. The baselines get what they would naturally read: nlohmann::json and
// RapidJSON the UTF-8 bytes; RapidJSON once more in its UTF-16 mode with the very text our
// reader gets. "ParseStringFromUtf8" adds the UTF-8 to UTF-16 conversion to our reader, the
// full cost when an answer arrives as bytes; "ParseStringOnly" is the parse without the
// reads. Every variant copies each value it reads into an owned string (ids turned into
// text), as a member record needs them. Throughput figures all count the UTF-8 size of the
// same document, so MB/s compare directly.
// Run: cmake --preset release && cmake --build --preset release --target json_bench
//      build/release/bench/json_bench
#include "MembersPage.h"

#include "crawl/json/JsonValue.h"
#include "crawl/text/Text.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>
#include <rapidjson/document.h>

#include <cstdint>
#include <string>

namespace {

constexpr std::size_t DocumentBytes = 1'000'000;

// The values a member record and the page loop read.
const char* const MemberTexts[] = {
    "short_description",          "full_description", "inn",   "ogrn",
    "registry_registration_date", "director",         "phones"};
const char16_t* const MemberTexts16[] = {
    u"short_description",          u"full_description", u"inn",   u"ogrn",
    u"registry_registration_date", u"director",         u"phones"};

const std::string& Document()
{
    static const std::string document = bench::MembersPage(DocumentBytes);
    return document;
}

const std::u16string& Document16()
{
    static const std::u16string document = crawl::Utf8ToUtf16(Document());
    return document;
}

void Finish(benchmark::State& state, std::size_t members)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Document().size()));
    state.counters["members"] = static_cast<double>(members);
}

std::size_t ReadOurs(std::u16string_view text)
{
    using namespace crawl::json;
    const JsonValue root = ParseString(text);
    std::size_t sum = static_cast<std::size_t>(root.IntegerAt(u"data.count") +
                                               root.IntegerAt(u"data.countPages"));
    const JsonValue list = root.ObjectAt(u"data.data");
    const JsonArray members = list.AsArray();
    for (std::int32_t i = 0; i < members.Length(); ++i) {
        const JsonValue member = members.Item(i);
        sum += member.StringAt(u"id").size();
        for (const char16_t* name : MemberTexts16) {
            sum += member.StringAt(name).size();
        }
        sum += member.ObjectAt(u"member_status").StringAt(u"title").size();
        sum += member.ObjectAt(u"sro").StringAt(u"full_description").size();
    }
    benchmark::DoNotOptimize(sum);
    return static_cast<std::size_t>(members.Length());
}

void ParseString(benchmark::State& state)
{
    std::size_t members = 0;
    for (auto _ : state) {
        members = ReadOurs(Document16());
    }
    Finish(state, members);
}

// The parse (and release) alone, without the reads: shows how the time divides.
void ParseStringOnly(benchmark::State& state)
{
    for (auto _ : state) {
        const crawl::json::JsonValue root = crawl::json::ParseString(Document16());
        benchmark::DoNotOptimize(root);
    }
    Finish(state, 0);
}

void ParseStringFromUtf8(benchmark::State& state)
{
    std::size_t members = 0;
    for (auto _ : state) {
        members = ReadOurs(crawl::Utf8ToUtf16(Document()));
    }
    Finish(state, members);
}

std::string NlohmannText(const nlohmann::json& object, const char* name)
{
    const auto found = object.find(name);
    if (found == object.end()) {
        return {};
    }
    if (found->is_string()) {
        return found->get<std::string>();
    }
    return found->is_number_integer() ? std::to_string(found->get<std::int64_t>()) : found->dump();
}

void Nlohmann(benchmark::State& state)
{
    std::size_t members = 0;
    for (auto _ : state) {
        const nlohmann::json root = nlohmann::json::parse(Document());
        const nlohmann::json& data = root.at("data");
        std::size_t sum = static_cast<std::size_t>(data.at("count").get<std::int64_t>() +
                                                   data.at("countPages").get<std::int64_t>());
        const nlohmann::json& list = data.at("data");
        for (const nlohmann::json& member : list) {
            sum += NlohmannText(member, "id").size();
            for (const char* name : MemberTexts) {
                sum += NlohmannText(member, name).size();
            }
            sum += NlohmannText(member.at("member_status"), "title").size();
            sum += NlohmannText(member.at("sro"), "full_description").size();
        }
        benchmark::DoNotOptimize(sum);
        members = list.size();
    }
    Finish(state, members);
}

template <typename Value, typename Text>
Text RapidText(const Value& object, const typename Value::Ch* name)
{
    const auto found = object.FindMember(name);
    if (found == object.MemberEnd()) {
        return {};
    }
    if (found->value.IsString()) {
        return Text(found->value.GetString(), found->value.GetStringLength());
    }
    if (found->value.IsInt64()) {
        const std::string digits = std::to_string(found->value.GetInt64());
        return Text(digits.begin(), digits.end());
    }
    return {};
}

template <typename Document, typename Text, typename Char>
void RapidJson(benchmark::State& state, const std::basic_string<Char>& input,
               const Char* const (&texts)[std::size(MemberTexts)], const Char* data,
               const Char* count, const Char* countPages, const Char* id, const Char* status,
               const Char* title, const Char* sro, const Char* fullDescription)
{
    std::size_t members = 0;
    for (auto _ : state) {
        Document document;
        // Both inputs end with a character 0, which ends RapidJSON's string stream.
        document.Parse(input.c_str());
        const auto& page = document[data];
        std::size_t sum =
            static_cast<std::size_t>(page[count].GetInt64() + page[countPages].GetInt64());
        const auto& list = page[data];
        for (const auto& member : list.GetArray()) {
            using Value = std::decay_t<decltype(member)>;
            sum += RapidText<Value, Text>(member, id).size();
            for (const Char* name : texts) {
                sum += RapidText<Value, Text>(member, name).size();
            }
            sum += RapidText<Value, Text>(member[status], title).size();
            sum += RapidText<Value, Text>(member[sro], fullDescription).size();
        }
        benchmark::DoNotOptimize(sum);
        members = list.Size();
    }
    Finish(state, members);
}

void RapidJsonUtf8(benchmark::State& state)
{
    RapidJson<rapidjson::Document, std::string, char>(state, Document(), MemberTexts, "data",
                                                      "count", "countPages", "id", "member_status",
                                                      "title", "sro", "full_description");
}

void RapidJsonUtf16(benchmark::State& state)
{
    RapidJson<rapidjson::GenericDocument<rapidjson::UTF16<char16_t>>, std::u16string, char16_t>(
        state, Document16(), MemberTexts16, u"data", u"count", u"countPages", u"id",
        u"member_status", u"title", u"sro", u"full_description");
}

BENCHMARK(ParseString)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseStringOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseStringFromUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(Nlohmann)->Unit(benchmark::kMillisecond);
BENCHMARK(RapidJsonUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(RapidJsonUtf16)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
