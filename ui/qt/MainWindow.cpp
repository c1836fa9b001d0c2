// The window's events passed to TMainForm, and the screen operations it asks for.
#include "ui/qt/MainWindow.h"

#include "ui/FormLayout.h"
#include "ui/platform/AnsiCodePage.h"
#include "ui/qt/Application.h"
#include "ui/qt/GradientProgressBar.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QTextBlock>
#include <QUrl>

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

QString ToQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
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

QWidget* MainWindow::Widget(Control control) const
{
    return controls_[static_cast<std::size_t>(control)];
}

QPlainTextEdit* MainWindow::TextField(Control field) const
{
    return qobject_cast<QPlainTextEdit*>(Widget(field));
}

GradientProgressBar* MainWindow::Bar(Control bar) const
{
    return qobject_cast<GradientProgressBar*>(Widget(bar));
}

std::u16string MainWindow::Text(Control field)
{
    if (field == Control::LogsMemo) {
        FlushLog();
    }
    return TextField(field)->toPlainText().toStdU16String();
}

void MainWindow::SetText(Control field, std::u16string_view text)
{
    if (field == Control::LogsMemo) {
        logFlush_.stop();
        pendingLog_.clear();
    }
    TextField(field)->setPlainText(ToQString(text));
}

std::int32_t MainWindow::LineCount(Control field)
{
    if (field == Control::LogsMemo) {
        FlushLog();
    }
    return TextField(field)->document()->blockCount();
}

std::u16string MainWindow::Line(Control field, std::int32_t index)
{
    if (field == Control::LogsMemo) {
        FlushLog();
    }
    return TextField(field)->document()->findBlockByNumber(index).text().toStdU16String();
}

void MainWindow::AppendLine(Control field, std::u16string_view lines)
{
    if (field != Control::LogsMemo) {
        TextField(field)->appendPlainText(ToQString(lines));
        return;
    }
    pendingLog_.append(ToQString(lines));
    if (!logFlush_.isActive()) {
        logFlush_.start();
    }
}

void MainWindow::SelectAll(Control field)
{
    TextField(field)->selectAll();
}

void MainWindow::SetEnabled(Control control, bool enabled)
{
    Widget(control)->setEnabled(enabled);
}

void MainWindow::SetProgressMax(Control bar, std::int32_t maximum)
{
    Bar(bar)->SetMax(maximum);
}

void MainWindow::SetProgressPosition(Control bar, std::int32_t position)
{
    Bar(bar)->SetPosition(position);
}

void MainWindow::SetProgressHint(Control bar, std::u16string_view hint)
{
    // A tooltip shows while the mouse rests on the bar.
    Bar(bar)->setToolTip(ToQString(hint));
}

bool MainWindow::Checked(Control checkBox)
{
    return qobject_cast<QCheckBox*>(Widget(checkBox))->isChecked();
}

std::int32_t MainWindow::Value(Control numericField)
{
    return qobject_cast<QSpinBox*>(Widget(numericField))->value();
}

void MainWindow::SetWaitCursor(bool on)
{
    if (on) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

void MainWindow::ShowMessageBox(std::u16string_view caption, std::u16string_view text,
                                MessageBoxIcon icon)
{
    QMessageBox box(icon == MessageBoxIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    ToQString(caption), ToQString(text), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::ShellOpen(const std::u16string& target)
{
    const QString text = QString::fromStdU16String(target);
    QDesktopServices::openUrl(text.contains(QStringLiteral("://")) ? QUrl(text)
                                                                  : QUrl::fromLocalFile(text));
}

void MainWindow::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void MainWindow::CloseWindow()
{
    close();
}

HandOverDispatcher& MainWindow::Dispatcher()
{
    return dispatcher_;
}

LocalMoment MainWindow::Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(),
            time.msec()};
}

std::u16string MainWindow::ShortDate(const LocalMoment& moment)
{
    // The default locale is the system's unless a test chooses another.
    return QLocale()
        .toString(QDate(moment.year, moment.month, moment.day), QLocale::ShortFormat)
        .toStdU16String();
}

std::u16string MainWindow::LongTime(const LocalMoment& moment)
{
    return QTime(moment.hour, moment.minute, moment.second)
        .toString(QStringLiteral("HH:mm:ss"))
        .toStdU16String();
}

std::optional<std::uint32_t> MainWindow::AnsiCodePage()
{
    return SystemAnsiCodePage();
}

} // namespace ui
