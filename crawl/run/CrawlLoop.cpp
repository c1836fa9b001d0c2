// The link loop of a run: pages of every link, members of every page, pacing, retries and
// the stop points.
#include "crawl/run/TScraper.h"

#include "crawl/record/MemberRecordBuilder.h"
#include "crawl/record/MobileFilter.h"
#include "crawl/run/RegistryAddresses.h"
#include "crawl/text/Text.h"

#include <charconv>
#include <limits>

namespace crawl {

namespace {

// A request gets at most this many attempts; every failed one is followed by the sleep.
constexpr int MaxAttempts = 11;
constexpr std::uint32_t RetrySleepMilliseconds = 1000;

constexpr std::u16string_view PageContentType = u"application/json";
constexpr std::u16string_view InfoContentType = u"application/json;charset=UTF-8";
constexpr std::u16string_view InfoBody = u"{}";
constexpr std::u16string_view SkippedByListText = u"Пропускаем, ссылка есть в skip.txt: ";

// The stages maximum for the member count of a link: the count when it is a whole number
// (optional sign, decimal digits, 32 bits), else 1.
std::int32_t StagesMaximum(std::u16string_view totalText)
{
    std::string ascii;
    for (const char16_t character : totalText) {
        if (character > 0x7F) {
            return 1;
        }
        ascii.push_back(static_cast<char>(character));
    }
    const char* begin = ascii.data();
    const char* end = begin + ascii.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    std::int32_t value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (begin == end || error != std::errc() || stop != end) {
        return 1;
    }
    return value;
}

std::int32_t ClampToInt32(std::int64_t value)
{
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

void TScraper::CrawlLinks()
{
    const std::int32_t lineCount = ReadWindow([this] { return window_.LinkLineCount(); });
    for (std::int32_t index = 0; index < lineCount; ++index) {
        const std::u16string link = Trim(ReadWindow([&] { return window_.LinkLine(index); }));
        if (link.empty()) {
            continue;
        }
        if (skipList_.Contains(link)) {
            Log(std::u16string(SkippedByListText) + link);
            continue;
        }
        CrawlLink(link);
    }
}

void TScraper::CrawlLink(const std::u16string& link)
{
    LinkState state{.link = link,
                    .apiAddress = MembersApiAddress(link, surroundings_.registryHost),
                    .totalText = {},
                    .pageCount = 0};
    std::int64_t page = 1;
    do {
        PageStep(state, page);
        ++page;
    } while (page <= state.pageCount);
}

void TScraper::PageStep(LinkState& state, std::int64_t page)
{
    const double interval = ReadWindow([this] { return window_.IntervalSeconds(); });
    // The page's error scope: an error costs the rest of this page, not the run.
    try {
        pacer_.Wait(pacer_.NextDelay(interval), [this] { return Terminated(); });
        WaitWhilePaused();
        StopPoint();
        Log(u"Загружаем: " + state.link + u", страница " + IntToText(page));

        http_.SetHTTPOptions({});
        http_.SetContentType(PageContentType);
        const std::u16string answerText =
            PostWithRetries([&] { return http_.Post(state.apiAddress, {MembersPageBody(page)}); });
        StopPoint();
        pacer_.PageRequestEnded();

        const json::JsonValue answer = json::ParseString(answerText);
        if (page == 1) {
            Totals(answer, state);
        }
        const json::JsonArray members = answer.ObjectAt(u"data.data").AsArray();
        const std::int32_t count = members.Length();
        for (std::int32_t index = 0; index < count; ++index) {
            MemberStep(members.Item(index), index, count);
        }
    } catch (const WindowClosed&) {
        throw;
    } catch (const Error& error) {
        Log(u"Ошибка: " + error.Message());
    }
}

void TScraper::Totals(const json::JsonValue& answer, LinkState& state)
{
    const json::JsonValue data = answer.ObjectAt(u"data");
    if (data) {
        state.totalText = data.StringAt(u"count");
        state.pageCount = data.IntegerAt(u"countPages");
        ProgressBarMax = ClampToInt32(state.pageCount);
    }
    Log(u"Найдено: " + state.totalText + u" организаций на " + IntToText(state.pageCount) +
        u" страницах");
    StagesProgressBarMax = StagesMaximum(state.totalText);
    StagesProgressBarPosition = 0;
    UpdateStagesProgressBar();
}

void TScraper::MemberStep(const json::JsonValue& item, std::int32_t index, std::int32_t count)
{
    const std::u16string& host = surroundings_.registryHost;
    const std::u16string link = MemberLink(host, item.StringAt(u"id"));
    if (skipList_.Contains(link)) {
        Log(std::u16string(SkippedByListText) + link);
        return;
    }

    http_.SetHTTPOptions({});
    http_.SetContentType(InfoContentType);
    const std::u16string answerText = PostWithRetries([&] {
        return http_.Post(MemberInfoAddress(host, item.StringAt(u"id")),
                          {std::u16string(InfoBody)});
    });
    StopPoint();

    const json::JsonValue info = json::ParseString(answerText);
    ++StagesProgressBarPosition;
    UpdateStagesProgressBar();
    ProgressBarMax = count;
    ProgressBarPosition = index;
    UpdateProgressBar();

    const MemberRecord record = BuildMemberRecord(item, info, link);
    const bool mobilesOnly = ReadWindow([this] { return window_.MobilesOnly(); });
    const KeepDecision decision = DecideKeep(record.ShortName, record.Phones, mobilesOnly);
    Log(decision.LogText);
    if (decision.Keep) {
        resultFile_.AppendRow(record);
    }
}

std::u16string TScraper::PostWithRetries(const std::function<std::u16string()>& post)
{
    // The stop request is not looked at between attempts; a pause is honoured before each.
    for (int attempt = 1; attempt <= MaxAttempts; ++attempt) {
        WaitWhilePaused();
        try {
            return post();
        } catch (const Error& error) {
            Log(u"Ошибка: " + error.Message());
            surroundings_.clock.sleep(RetrySleepMilliseconds);
        }
    }
    // Every attempt failed: the page or member goes on without an answer.
    return {};
}

void TScraper::StopPoint() const
{
    if (Terminated()) {
        throw StopRequested{};
    }
}

} // namespace crawl
