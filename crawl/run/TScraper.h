#pragma once

#include "crawl/http/HttpClient.h"
#include "crawl/json/JsonValue.h"
#include "crawl/record/ResultFile.h"
#include "crawl/run/PagePacer.h"
#include "crawl/run/RunLists.h"
#include "crawl/run/ScraperWindow.h"
#include "crawl/run/Thread.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace crawl {

// What a run works with and on; none of it belongs to the worker.
struct ScraperSurroundings {
    http::HttpClient& http;
    UiDispatcher& dispatcher;
    ScraperWindow& window;
    // The registry host, possibly with ":port".
    std::u16string registryHost;
    // The program's folder with its trailing separator: skip.txt, useragents.txt and the
    // result file lie there.
    std::u16string programFolder;
    RunClock clock;
    // The desktop's "open" of the finished result file; must not wait for the application.
    std::function<void(const std::u16string& path)> openFile;
};

// The worker of one crawl run: walks the link list of the window page by page and member by
// member, writes the kept members to a new result file and reports every step to the window.
// It changes the window only through the four hand-over operations, each run on the UI thread
// while the worker waits.
class TScraper : public Thread {
public:
    // Created not running.
    static std::shared_ptr<TScraper> Create(ScraperSurroundings surroundings);

    // Starts the run. The program has one run at a time: throws crawl::Error while another
    // worker's run has not reached its end branch of UpdateBusyState.
    void Start();

private:
    explicit TScraper(ScraperSurroundings surroundings);

    // The state of one link of the link list.
    struct LinkState {
        std::u16string link; // trimmed, as typed
        std::u16string apiAddress;
        std::u16string totalText; // the member count as the registry sends it
        std::int64_t pageCount = 0;
    };

    // Thrown by a stop point; not an Error, so that no page scope catches it.
    struct StopRequested {};

    void Execute() override;
    void Run();
    void ReleaseRunClaim();
    // Reports a failure that came before the result file existed and returns the window to
    // its idle state.
    void EndEarly(const Error& error);
    void EndSteps();
    void ReturnWindowToIdle();

    void CrawlLinks();
    void CrawlLink(const std::u16string& link);
    void PageStep(LinkState& state, std::int64_t page);
    void Totals(const json::JsonValue& answer, LinkState& state);
    void MemberStep(const json::JsonValue& item, std::int32_t index, std::int32_t count);
    // At most 11 attempts; an empty answer when every one fails.
    std::u16string PostWithRetries(const std::function<std::u16string()>& post);
    // Ends the run when the stop has been requested.
    void StopPoint() const;

    // Reads window state on the UI thread.
    template <class Read>
    auto ReadWindow(Read read) -> decltype(read())
    {
        decltype(read()) value{};
        Synchronize([&] { value = read(); });
        return value;
    }

    void Log(std::u16string message);

    // The hand-over operations: each shows its field(s) on the window.
    void UpdateBusyState();
    void AddLogLine();
    void UpdateProgressBar();
    void UpdateStagesProgressBar();

    std::u16string LogMessageText;
    bool CursorHourGlass = false;
    std::int32_t ProgressBarPosition = 0;
    std::int32_t ProgressBarMax = 0;
    std::int32_t StagesProgressBarPosition = 0;
    std::int32_t StagesProgressBarMax = 0;

    std::atomic<bool> holdsRunClaim_{false};
    ScraperSurroundings surroundings_;
    ScraperWindow& window_;
    http::HttpClient& http_;
    // The state of the run.
    SkipList skipList_;
    PagePacer pacer_;
    std::u16string resultPath_;
    ResultFile resultFile_;
};

} // namespace crawl
