#pragma once

#include "crawl/http/HttpClient.h"
#include "crawl/run/TScraper.h"

#include "FakeClock.h"
#include "LoopDispatcher.h"
#include "RecordingWindow.h"
#include "tests/support/FakeRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace crawl::runtest {

// Whole runs of the worker against the fake registry over TLS on 127.0.0.1, with a recording
// window on a loop thread as the UI thread and a fake clock.
class ScraperRun : public ::testing::Test {
protected:
    // Above the longest delay, so the first page request of a run does not wait.
    static constexpr std::uint32_t StartTick = 100000;

    ScraperRun();
    ~ScraperRun() override;

    // A new worker with the fixture's surroundings, not started.
    std::shared_ptr<TScraper> MakeScraper();
    // A new worker, made the fixture's `scraper` and started; the window's record starts anew.
    std::shared_ptr<TScraper> Start();
    // Starts a worker and waits (bounded) until it has finished.
    void RunToEnd();
    void WaitForEnd();

    std::u16string SroLink(std::string_view sroId) const;
    std::u16string MemberPageLink(std::string_view memberId) const;
    // The result file of the last run started.
    std::u16string ResultPath() const;
    std::string ResultBytes() const;
    std::vector<std::u16string> OpenedFiles() const;
    void WriteProgramFile(const char* name, std::string_view bytes) const;

    // Requests of one path, or every request, in order.
    std::vector<testsupport::RecordedRequest> RequestsTo(const std::string& path);
    std::vector<std::string> RequestPaths();

    // The reports from the first log line that starts with `start` on.
    std::vector<WindowCall> ReportsFrom(std::u16string_view start) const;

    // Serves `body` as the members page `page` of the SRO.
    void ServePage(std::string_view sroId, int page, std::string body);

    testsupport::FakeRegistry registry;
    http::HttpClient http;
    LoopDispatcher dispatcher;
    RecordingWindow window{[this] { return dispatcher.OnLoopThread(); }};
    FakeClock clock{StartTick};
    std::filesystem::path folder;
    std::u16string programFolder; // with its trailing separator
    std::shared_ptr<TScraper> scraper;

private:
    std::uint32_t runStartTick_ = StartTick;
    mutable std::mutex openedMutex_;
    std::vector<std::u16string> opened_;
};

// {"data":{"count":"<count>","countPages":<pages>,"data":[<items>]}}
std::string MembersPageJson(std::string_view count, int pages,
                            const std::vector<testsupport::FakeMember>& members);

// A member with a name and phones and nothing else.
testsupport::FakeMember NamedMember(std::string id, std::string name, std::string phones = "");

// The reports of the end steps of a run whose bars have these maxima.
std::vector<WindowCall> EndStepReports(std::int32_t progressMax, std::int32_t stagesMax);

void Append(std::vector<WindowCall>& calls, const std::vector<WindowCall>& more);

// The text of the file in code page 1251.
std::string Cp1251(std::u16string_view text);

} // namespace crawl::runtest
