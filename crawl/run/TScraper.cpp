#include "crawl/run/TScraper.h"

#include "crawl/text/Text.h"

#include <atomic>

namespace crawl {

namespace {

// Claimed by a started worker until its run has ended.
std::atomic<bool> runInProgress{false};

} // namespace

std::shared_ptr<TScraper> TScraper::Create(ScraperSurroundings surroundings)
{
    return std::shared_ptr<TScraper>(new TScraper(std::move(surroundings)));
}

TScraper::TScraper(ScraperSurroundings surroundings)
    : Thread(surroundings.dispatcher), surroundings_(std::move(surroundings)),
      window_(surroundings_.window), http_(surroundings_.http), pacer_(surroundings_.clock)
{
}

void TScraper::Start()
{
    if (runInProgress.exchange(true)) {
        throw Error(u"A crawl run is already in progress.");
    }
    holdsRunClaim_.store(true);
    try {
        Thread::Start();
    } catch (...) {
        ReleaseRunClaim();
        throw;
    }
}

void TScraper::ReleaseRunClaim()
{
    if (holdsRunClaim_.exchange(false)) {
        runInProgress.store(false);
    }
}

void TScraper::Execute()
{
    try {
        Run();
    } catch (const WindowClosed&) {
        // The window is gone: the run ends where it is and touches nothing of it any more;
        // the rows written so far stay.
        resultFile_.Close();
    } catch (...) {
        ReleaseRunClaim();
        throw;
    }
    ReleaseRunClaim();
}

void TScraper::Run()
{
    const std::u16string& folder = surroundings_.programFolder;
    std::vector<std::u16string> userAgents;
    try {
        userAgents = ReadOptionalLines(folder + u"useragents.txt");
    } catch (const Error& error) {
        EndEarly(error);
        return;
    }

    CursorHourGlass = true;
    UpdateBusyState();
    http_.SetUserAgent(ChooseUserAgent(userAgents));

    std::vector<std::u16string> skipLines;
    try {
        skipLines = ReadOptionalLines(folder + u"skip.txt");
    } catch (const Error& error) {
        EndEarly(error);
        return;
    }
    if (!skipLines.empty()) {
        Log(u"В файле skip.txt найдено " + IntToText(static_cast<std::int64_t>(skipLines.size())) +
            u" записей с URL объявлений, которые не будут загружаться.");
    }
    skipList_ = SkipList(skipLines);

    resultPath_ = ResultFile::FullPath(folder, surroundings_.clock.tickCount());
    Log(u"Данные будут записываться в файл " + resultPath_);
    try {
        resultFile_.Create(resultPath_);
    } catch (const Error& error) {
        EndEarly(error);
        return;
    }

    try {
        CrawlLinks();
    } catch (const StopRequested&) {
        // A stop point found the stop request; the end steps follow as after the last link.
    } catch (const WindowClosed&) {
        throw;
    } catch (...) {
        // An error outside every page: the end steps still run, then the error ends the
        // thread as its fatal error.
        EndSteps();
        throw;
    }
    EndSteps();
}

void TScraper::EndEarly(const Error& error)
{
    Log(u"Ошибка: " + error.Message());
    ReturnWindowToIdle();
}

void TScraper::EndSteps()
{
    resultFile_.Close();
    Log(u"Открываем файл с результатами");
    surroundings_.openFile(resultPath_);
    ReturnWindowToIdle();
    skipList_ = SkipList();
}

void TScraper::ReturnWindowToIdle()
{
    ProgressBarPosition = 0;
    UpdateProgressBar();
    StagesProgressBarPosition = 0;
    UpdateStagesProgressBar();
    CursorHourGlass = false;
    UpdateBusyState();
}

void TScraper::Log(std::u16string message)
{
    LogMessageText = std::move(message);
    AddLogLine();
}

void TScraper::UpdateBusyState()
{
    Synchronize([this] {
        if (!CursorHourGlass) {
            // The end branch is the run's last use of the window and the client, and it enables
            // START again: a run started from there must not be refused.
            ReleaseRunClaim();
        }
        window_.UpdateBusyState(CursorHourGlass);
    });
}

void TScraper::AddLogLine()
{
    Synchronize([this] { window_.AddLogLine(LogMessageText); });
}

void TScraper::UpdateProgressBar()
{
    Synchronize([this] { window_.UpdateProgressBar(ProgressBarPosition, ProgressBarMax); });
}

void TScraper::UpdateStagesProgressBar()
{
    Synchronize([this] {
        window_.UpdateStagesProgressBar(StagesProgressBarPosition, StagesProgressBarMax);
    });
}

} // namespace crawl
