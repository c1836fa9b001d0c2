#pragma once

#include "crawl/run/ScraperWindow.h"
#include "ui/AnchorLayout.h"
#include "ui/LinkListFile.h"
#include "ui/QtUiDispatcher.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

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
    void AppendTimeStampedLine(const QString& message);
    QString LinkListPath() const;

    MainFormSettings settings_;
    AnchorLayout anchors_;
    QtUiDispatcher dispatcher_;
    // The encoding urls.txt was read in, and so is written back in.
    crawl::TextEncoding linkListEncoding_ = NewFileEncoding;
    bool shown_ = false;
    bool startupFailed_ = false;
    bool closed_ = false;
};

} // namespace ui
