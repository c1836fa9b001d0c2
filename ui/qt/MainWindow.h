#pragma once

#include "ui/MainForm.h"
#include "ui/MainFormView.h"
#include "ui/qt/AnchorLayout.h"
#include "ui/qt/QtUiDispatcher.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace ui {

class GradientProgressBar;

// The main window in Qt 6 Widgets: builds the controls from the layout table, draws them and
// passes their events to the TMainForm it shows. It holds no rule of the window.
class MainWindow : public QWidget, public MainFormView {
    Q_OBJECT

public:
    // Makes the TMainForm the window shows; by default TMainForm itself.
    using FormMaker =
        std::function<std::unique_ptr<TMainForm>(MainFormView& view, MainFormSettings settings)>;

    explicit MainWindow(MainFormSettings settings, const FormMaker& makeForm = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    TMainForm& Form() { return *form_; }

    // The log view's text, including the lines not yet shown.
    QString LogText();

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

    // MainFormView
    std::u16string Text(Control field) override;
    void SetText(Control field, std::u16string_view text) override;
    std::int32_t LineCount(Control field) override;
    std::u16string Line(Control field, std::int32_t index) override;
    void AppendLine(Control field, std::u16string_view lines) override;
    void SelectAll(Control field) override;
    void SetEnabled(Control control, bool enabled) override;
    void SetProgressMax(Control bar, std::int32_t maximum) override;
    void SetProgressPosition(Control bar, std::int32_t position) override;
    void SetProgressHint(Control bar, std::u16string_view hint) override;
    bool Checked(Control checkBox) override;
    std::int32_t Value(Control numericField) override;
    void SetWaitCursor(bool on) override;
    void ShowMessageBox(std::u16string_view caption, std::u16string_view text,
                        MessageBoxIcon icon) override;
    void ShellOpen(const std::u16string& target) override;
    void ProcessMessages() override;
    void CloseWindow() override;
    HandOverDispatcher& Dispatcher() override;
    LocalMoment Now() override;
    std::u16string ShortDate(const LocalMoment& moment) override;
    std::u16string LongTime(const LocalMoment& moment) override;
    std::optional<std::uint32_t> AnsiCodePage() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls(const std::u16string& registryHost);
    void ConnectEvents();
    QWidget* Widget(Control control) const;
    QPlainTextEdit* TextField(Control field) const;
    GradientProgressBar* Bar(Control bar) const;
    // Lines handed to the log view are put into it together when logFlush_ fires; every other
    // change of the view takes them in first, so that they keep their order.
    void FlushLog();

    QStringList pendingLog_;
    QTimer logFlush_;
    AnchorLayout anchors_;
    std::array<QWidget*, ControlCount> controls_{};
    QtUiDispatcher dispatcher_;
    bool shown_ = false;
    // Last: destroyed first, while the controls and the dispatcher its worker uses still exist.
    std::unique_ptr<TMainForm> form_;
};

} // namespace ui
