#pragma once

#include "crawl/http/HttpClient.h"
#include "crawl/run/PagePacer.h"
#include "crawl/run/ScraperWindow.h"
#include "crawl/text/TextFile.h"
#include "ui/Control.h"

#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace crawl {
class TScraper;
}

namespace ui {

class MainFormView;

// What the window takes from its surroundings; the program start passes the real ones.
struct MainFormSettings {
    // The folder of the program's files, with its trailing separator: urls.txt and the log
    // files lie there.
    std::u16string programFolder;
    // The folder of the executable, with its trailing separator; the start-up checks look at it
    // even when the files are kept elsewhere.
    std::u16string executableFolder;
    // The registry host, optionally with ":port"; every address is built from it.
    std::u16string registryHost;
    // Whether the TLS library of the registry requests is there.
    std::function<bool()> tlsLibraryFound;
    // Tick count and sleep of a run's pacing and retries.
    crawl::RunClock clock;
};

// The state of a key press that the select-all shortcut looks at.
struct ShiftState {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
};

// Virtual key code of the A key.
inline constexpr std::uint16_t KeyA = 0x41;

// The one window of the program: a four-step instruction (open the registry site, open an
// SRO's card, put the members-list links into the link list, press START), the run controls
// with the log view and two progress bars, and the collection of all SRO links. Every rule of
// the window lives here; a toolkit shows it through a MainFormView and passes its events in.
// Created, used and destroyed on the UI thread.
class TMainForm : public crawl::ScraperWindow {
public:
    TMainForm(MainFormView& view, MainFormSettings settings);
    ~TMainForm() override;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Window events.
    // The window is shown for the first time: start-up checks, greeting, urls.txt.
    void FormShow();
    // The window is asked to close: saves urls.txt. False when the window must stay open (the
    // error box has been shown); after true the worker no longer touches the window.
    bool FormClose();
    void StartButtonClick();
    void PauseButtonClick();
    void StopButtonClick();
    void OpenSiteButtonClick();
    void Button1Click();
    void UrlsMemoKeyDown(std::uint16_t key, ShiftState shift);
    void LogsMemoKeyDown(std::uint16_t key, ShiftState shift);

    // True when a start-up check failed: its message box has been shown and the window closed
    // without loading or saving urls.txt.
    bool StartupFailed() const { return startupFailed_; }

    // Waits at most `limit` for the workers of the latest runs to end; true when none runs.
    bool WaitForWorker(std::chrono::milliseconds limit) const;

    // The default error box for an error that no handler caught: caption the application title,
    // the error's message with its full stop, the error icon.
    void ShowErrorBox(const std::exception& error);

    // The hand-over operations of a run, on the UI thread.
    void UpdateBusyState(bool cursorHourGlass) override;
    void AddLogLine(std::u16string_view message) override;
    void UpdateProgressBar(std::int32_t position, std::int32_t maximum) override;
    void UpdateStagesProgressBar(std::int32_t position, std::int32_t maximum) override;
    std::int32_t LinkLineCount() override;
    std::u16string LinkLine(std::int32_t index) override;
    double IntervalSeconds() override;
    bool MobilesOnly() override;

    // The one HTTP client, of every run and of the SRO link collection; never both at once.
    crawl::http::HttpClient IdHTTP1;

private:
    // What a progress bar shows: minimum 0, the position held within 0..Max.
    struct ProgressBarState {
        std::int32_t max;
        std::int32_t position = 0;
    };

    void SelectAllOnCtrlA(Control field, std::uint16_t key, ShiftState shift);
    void AppendTimeStampedLine(std::u16string_view message);
    void ShowProgress(Control bar, ProgressBarState& state, std::int32_t position,
                      std::int32_t maximum);
    void SetProgressPosition(Control bar, ProgressBarState& state, std::int32_t position);
    void WriteRunLog();
    // The worker of the current run, while its run has not ended.
    std::shared_ptr<crawl::TScraper> RunningWorker() const;
    void WaitForEndedWorker();
    void CollectSroLinks();
    std::u16string LinkListPath() const;
    crawl::TextEncoding Narrow() const;

    MainFormView& view_;
    MainFormSettings settings_;
    ProgressBarState progressBar_;
    ProgressBarState stagesProgressBar_;
    // The encoding urls.txt was read in, and so is written back in; the narrow encoding when
    // none was read.
    std::optional<crawl::TextEncoding> linkListEncoding_;
    // The worker of the current run, until its end branch; the worker keeps itself alive while
    // it runs.
    std::weak_ptr<crawl::TScraper> worker_;
    // The worker whose run has ended while its thread still frees what the run held: waited
    // for at the next START and when the window goes.
    std::weak_ptr<crawl::TScraper> endedWorker_;
    bool collecting_ = false;
    bool startupFailed_ = false;
    bool closed_ = false;
};

} // namespace ui
