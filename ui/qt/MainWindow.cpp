// The window's events passed to TMainForm.
#include "ui/qt/MainWindow.h"

#include "ui/FormLayout.h"
#include "ui/qt/Application.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace ui {

namespace {

// A run logs hundreds of lines a second; the log view takes them in at this pace, in one
// insertion, instead of laying out and repainting itself after every line.
constexpr std::chrono::milliseconds LogFlushPeriod(40);

// What the user does to the log view that needs its whole text in place first.
bool EditsLogView(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// Qt's key codes of letters and digits are the virtual key codes; no other key matters here.
std::uint16_t VirtualKey(const QKeyEvent& key)
{
    return key.key() < 0x100 ? static_cast<std::uint16_t>(key.key()) : 0;
}

ShiftState Shift(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::AltModifier),
            modifiers.testFlag(Qt::ControlModifier)};
}

} // namespace

MainWindow::MainWindow(MainFormSettings settings, const FormMaker& makeForm, QWidget* parent)
    : QWidget(parent), dispatcher_(this)
{
    CreateControls(settings.registryHost);
    resize(ClientWidth, ClientHeight);
    form_ = makeForm ? makeForm(*this, std::move(settings))
                     : std::make_unique<TMainForm>(*this, std::move(settings));
    ConnectEvents();
    logFlush_.setSingleShot(true);
    logFlush_.setInterval(LogFlushPeriod);
    connect(&logFlush_, &QTimer::timeout, this, [this] { FlushLog(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::ConnectEvents()
{
    const std::pair<QPushButton*, void (TMainForm::*)()> clickHandlers[] = {
        {StartButton, &TMainForm::StartButtonClick},
        {PauseButton, &TMainForm::PauseButtonClick},
        {StopButton, &TMainForm::StopButtonClick},
        {OpenSiteButton, &TMainForm::OpenSiteButtonClick},
        {Button1, &TMainForm::Button1Click},
    };
    for (const auto& [button, handler] : clickHandlers) {
        connect(button, &QPushButton::clicked, this,
                ShowingErrors([form = form_.get(), handler = handler] { (form->*handler)(); }));
    }
    UrlsMemo->installEventFilter(this);
    LogsMemo->installEventFilter(this);
    LogsMemo->viewport()->installEventFilter(this);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_) {
        return;
    }
    shown_ = true;
    if (const QScreen* screen = this->screen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
    ShowingErrors([this] { form_->FormShow(); })();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!form_->FormClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    anchors_.Apply(size());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == LogsMemo || watched == LogsMemo->viewport()) && EditsLogView(event->type())) {
        FlushLog();
    }
    if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (watched == UrlsMemo) {
            ShowingErrors([&] { form_->UrlsMemoKeyDown(VirtualKey(key), Shift(key)); })();
        } else if (watched == LogsMemo) {
            ShowingErrors([&] { form_->LogsMemoKeyDown(VirtualKey(key), Shift(key)); })();
        }
    }
    // The field still gets the key.
    return QWidget::eventFilter(watched, event);
}

QString MainWindow::LogText()
{
    FlushLog();
    return LogsMemo->toPlainText();
}

void MainWindow::FlushLog()
{
    logFlush_.stop();
    if (pendingLog_.isEmpty()) {
        return;
    }
    // One insertion of all lines lays the view out once; each line still becomes its own
    // block, as appending them one by one would.
    const QString lines = pendingLog_.join(QLatin1Char('\n'));
    pendingLog_.clear();
    LogsMemo->appendPlainText(lines);
}

} // namespace ui
