#pragma once

#include "crawl/http/HttpClient.h"
#include "crawl/run/PagePacer.h"
#include "crawl/run/ScraperWindow.h"
#include "ui/AnchorLayout.h"
#include "ui/LinkListFile.h"
#include "ui/QtUiDispatcher.h"

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace crawl {
class TScraper;
}

namespace ui {

class GradientProgressBar;

// What the window takes from its surroundings; main() passes the real ones.
struct MainFormSettings {
    // The program's folder, with its trailing separator: urls.txt and the log files lie there.
    QString programFolder;
    // The registry host, optionally with ":port"; every address is built from it.
    QString registryHost;
    // The desktop's "open" on an address or a file; failures are ignored.
    std::function<void(const QUrl&)> open;
    // Whether the TLS library of the registry requests can be loaded.
    std::function<bool()> tlsLibraryAvailable;
    // Tick count and sleep of a run's pacing and retries.
    crawl::RunClock clock;
};

// The one window of the program: a four-step instruction (open the registry site, open an
// SRO's card, put the members-list links into the link list, press START), the run controls
// with the log view and two progress bars, and the collection of all SRO links.
class TMainForm : public QWidget, public crawl::ScraperWindow {
    Q_OBJECT

public:
    explicit TMainForm(MainFormSettings settings, QWidget* parent = nullptr);
    ~TMainForm() override;

    // True when a start-up check failed: its message box has been shown and the program ends
    // without loading or saving urls.txt.
    bool StartupFailed() const { return startupFailed_; }

    // Waits at most `limit` for the worker of the latest run to end; true when none runs.
    bool WaitForWorker(std::chrono::milliseconds limit) const;

    // The log view's text, including the lines not yet shown.
    QString LogText();

    // The hand-over operations of a run, on the UI thread.
    void UpdateBusyState(bool cursorHourGlass) override;
    void AddLogLine(std::u16string_view message) override;
    void UpdateProgressBar(std::int32_t position, std::int32_t maximum) override;
    void UpdateStagesProgressBar(std::int32_t position, std::int32_t maximum) override;
    std::int32_t LinkLineCount() override;
    std::u16string LinkLine(std::int32_t index) override;
    double IntervalSeconds() override;
    bool MobilesOnly() override;

    // Controls, in the order of the window's description.
    GradientProgressBar* ProgressBar;
    QPlainTextEdit* LogsMemo;
    QLabel* Label2;
    QPushButton* StartButton;
    QPushButton* StopButton;
    QPushButton* PauseButton;
    GradientProgressBar* StagesProgressBar;
    QLabel* Label1;
    QPushButton* OpenSiteButton;
    QLabel* Label3;
    QLabel* Label5;
    // The one HTTP client, of every run and of the SRO link collection; never both at once.
    crawl::http::HttpClient IdHTTP1;
    QLabel* Label6;
    QSpinBox* IntervalSpinEdit;
    QPlainTextEdit* UrlsMemo;
    QPushButton* Button1;
    QCheckBox* MobilesCheckBox;

public slots:
    void StartButtonClick();
    void PauseButtonClick();
    void StopButtonClick();
    void OpenSiteButtonClick();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void FormShow();
    // Saves the link list; false (after the error box) when urls.txt could not be written.
    bool FormClose();
    // Every change of the log view goes through these, so that the lines waiting to be
    // shown keep their order with everything else the view gets.
    void AppendLogLine(const QString& line);
    void AppendTimeStampedLine(const QString& message);
    void FlushLog();
    void ClearLog();
    // The worker of the current run, while its run has not ended.
    std::shared_ptr<crawl::TScraper> RunningWorker() const;
    void CollectSroLinks();
    QString LinkListPath() const;

    // Lines handed to the log view, put into it together when logFlush_ fires; see AppendLogLine.
    QStringList pendingLog_;
    QTimer logFlush_;
    MainFormSettings settings_;
    AnchorLayout anchors_;
    QtUiDispatcher dispatcher_;
    // The encoding urls.txt was read in, and so is written back in.
    crawl::TextEncoding linkListEncoding_ = NewFileEncoding;
    // Refers to the worker of the latest run only; the worker keeps itself alive while it runs.
    std::weak_ptr<crawl::TScraper> worker_;
    bool collecting_ = false;
    bool shown_ = false;
    bool startupFailed_ = false;
    bool closed_ = false;
};

} // namespace ui
