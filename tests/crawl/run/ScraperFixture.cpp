#include "ScraperFixture.h"

#include "crawl/platform/CodePage1251.h"
#include "crawl/record/ResultFile.h"
#include "crawl/text/Text.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>

namespace crawl::runtest {

namespace {

using namespace std::chrono_literals;
// Generous: a run of the tests takes well under a second of real time.
constexpr auto RunLimit = 60s;

} // namespace

ScraperRun::ScraperRun()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = std::filesystem::temp_directory_path() /
             (std::string("scraper_") + test->test_suite_name() + "_" + test->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    programFolder = Utf8ToUtf16(folder.string()) + u"/";
}

ScraperRun::~ScraperRun()
{
    if (scraper && !scraper->Finished()) {
        // A failed test must not leave the worker using what is destroyed next.
        scraper->Terminate();
        dispatcher.CloseWindow();
        scraper->WaitUntilFinished(RunLimit);
    }
    std::filesystem::remove_all(folder);
}

std::shared_ptr<TScraper> ScraperRun::MakeScraper()
{
    return TScraper::Create(ScraperSurroundings{
        .http = http,
        .dispatcher = dispatcher,
        .window = window,
        .registryHost = Utf8ToUtf16(registry.HostAndPort()),
        .programFolder = programFolder,
        .clock = clock.Clock(),
        .openFile =
            [this](const std::u16string& path) {
                std::lock_guard lock(openedMutex_);
                opened_.push_back(path);
            },
    });
}

std::shared_ptr<TScraper> ScraperRun::Start()
{
    window.ClearCalls();
    runStartTick_ = clock.Now();
    scraper = MakeScraper();
    scraper->Start();
    return scraper;
}

void ScraperRun::RunToEnd()
{
    Start();
    WaitForEnd();
}

void ScraperRun::WaitForEnd()
{
    ASSERT_TRUE(scraper->WaitUntilFinished(RunLimit)) << "the run did not end";
    EXPECT_EQ(window.CallsOffUiThread(), 0);
}

std::u16string ScraperRun::SroLink(std::string_view sroId) const
{
    return Utf8ToUtf16(registry.SroLink(sroId));
}

std::u16string ScraperRun::MemberPageLink(std::string_view memberId) const
{
    return u"https://" + Utf8ToUtf16(registry.HostAndPort()) + u"/member/" + Utf8ToUtf16(memberId);
}

std::u16string ScraperRun::ResultPath() const
{
    return ResultFile::FullPath(programFolder, runStartTick_);
}

std::string ScraperRun::ResultBytes() const
{
    std::ifstream file(Utf16ToUtf8(ResultPath()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::u16string> ScraperRun::OpenedFiles() const
{
    std::lock_guard lock(openedMutex_);
    return opened_;
}

void ScraperRun::WriteProgramFile(const char* name, std::string_view bytes) const
{
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

std::vector<testsupport::RecordedRequest> ScraperRun::RequestsTo(const std::string& path)
{
    std::vector<testsupport::RecordedRequest> matching;
    for (const auto& request : registry.Server().Requests()) {
        if (request.Path() == path) {
            matching.push_back(request);
        }
    }
    return matching;
}

std::vector<std::string> ScraperRun::RequestPaths()
{
    std::vector<std::string> paths;
    for (const auto& request : registry.Server().Requests()) {
        paths.push_back(request.Path());
    }
    return paths;
}

std::vector<WindowCall> ScraperRun::ReportsFrom(std::u16string_view start) const
{
    const std::vector<WindowCall> reports = window.Reports();
    const auto first = std::find_if(reports.begin(), reports.end(), [&](const WindowCall& call) {
        return call.kind == WindowCall::Kind::LogLine && call.text.starts_with(start);
    });
    return std::vector<WindowCall>(first, reports.end());
}

void ScraperRun::ServePage(std::string_view sroId, int page, std::string body)
{
    registry.FailAlways(testsupport::FakeRegistry::MemberListPath(sroId), page,
                        testsupport::ScriptedAnswer::Json(std::move(body)));
}

std::string MembersPageJson(std::string_view count, int pages,
                            const std::vector<testsupport::FakeMember>& members)
{
    std::string items;
    for (const auto& member : members) {
        items += (items.empty() ? "" : ",") + testsupport::MemberItemJson(member);
    }
    return "{\"data\":{\"count\":\"" + std::string(count) +
           "\",\"countPages\":" + std::to_string(pages) + ",\"data\":[" + items + "]}}";
}

testsupport::FakeMember NamedMember(std::string id, std::string name, std::string phones)
{
    return testsupport::FakeMember{
        .id = std::move(id), .shortDescription = std::move(name), .phones = std::move(phones)};
}

std::vector<WindowCall> EndStepReports(std::int32_t progressMax, std::int32_t stagesMax)
{
    return {Log(u"Открываем файл с результатами"), Progress(0, progressMax), Stages(0, stagesMax),
            Busy(false)};
}

void Append(std::vector<WindowCall>& calls, const std::vector<WindowCall>& more)
{
    calls.insert(calls.end(), more.begin(), more.end());
}

std::string Cp1251(std::u16string_view text)
{
    return ToCodePage1251(text);
}

} // namespace crawl::runtest
