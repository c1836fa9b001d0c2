// The window's life: start-up checks, urls.txt, the select-all shortcut and the site button.
#include "ui/MainForm.h"

#include "crawl/run/TScraper.h"
#include "ui/Application.h"
#include "ui/StartupChecks.h"
#include "ui/TimeStamp.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <thread>

namespace ui {

namespace {

constexpr QSize ClientSize(772, 556);
// A worker that has been told to stop ends after its request under way, whose waits are
// bounded by the HTTP client's time-outs.
constexpr std::chrono::minutes WorkerEndLimit(5);
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

} // namespace

TMainForm::TMainForm(MainFormSettings settings, QWidget* parent)
    : QWidget(parent), settings_(std::move(settings)), anchors_(ClientSize), dispatcher_(this)
{
    CreateControls();
    resize(ClientSize);
    UrlsMemo->installEventFilter(this);
    LogsMemo->installEventFilter(this);
    LogsMemo->viewport()->installEventFilter(this);
    const std::pair<QPushButton*, void (TMainForm::*)()> clickHandlers[] = {
        {StartButton, &TMainForm::StartButtonClick},
        {PauseButton, &TMainForm::PauseButtonClick},
        {StopButton, &TMainForm::StopButtonClick},
        {OpenSiteButton, &TMainForm::OpenSiteButtonClick},
        {Button1, &TMainForm::Button1Click},
    };
    for (const auto& [button, handler] : clickHandlers) {
        connect(button, &QPushButton::clicked, this,
                ShowingErrors([this, handler = handler] { (this->*handler)(); }));
    }
    logFlush_.setSingleShot(true);
    logFlush_.setInterval(LogFlushPeriod);
    connect(&logFlush_, &QTimer::timeout, this, [this] { FlushLog(); });
    // A request made on this thread keeps the window responsive while it waits.
    IdHTTP1.SetUiThreadHook(std::this_thread::get_id(), [] { QCoreApplication::processEvents(); });
}

TMainForm::~TMainForm()
{
    dispatcher_.Close();
    if (const std::shared_ptr<crawl::TScraper> worker = worker_.lock()) {
        worker->Terminate();
        // The worker holds this window's HTTP client and dispatcher: they must outlive it.
        // The program itself ends without destroying the window while a worker runs.
        if (!worker->WaitUntilFinished(WorkerEndLimit)) {
            qFatal("A crawl worker outlived its window");
        }
    }
}

void TMainForm::showEvent(QShowEvent* event)
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
    ShowingErrors([this] { FormShow(); })();
}

void TMainForm::FormShow()
{
    const StartupProblem problem =
        CheckStartup(settings_.programFolder, settings_.tlsLibraryAvailable());
    if (problem != StartupProblem::None) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(StartupMessageCaption),
                        StartupProblemText(problem), QMessageBox::Ok, this);
        box.exec();
        startupFailed_ = true;
        close();
        return;
    }
    AppendLogLine(QStringLiteral("Спасибо, что пользуетесь парсером от сервиса Verdanix!"));
    AppendLogLine(QString());
    if (const std::optional<LinkListText> linkList = ReadLinkList(LinkListPath())) {
        UrlsMemo->setPlainText(linkList->text);
        linkListEncoding_ = linkList->encoding;
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!startupFailed_ && !FormClose()) {
        event->ignore();
        return;
    }
    closed_ = true;
    // From now on the worker touches nothing of the window; its run ends where it is.
    dispatcher_.Close();
    if (const std::shared_ptr<crawl::TScraper> worker = RunningWorker()) {
        worker->Terminate();
    }
    QWidget::closeEvent(event);
}

bool TMainForm::FormClose()
{
    try {
        WriteLinkList(LinkListPath(), UrlsMemo->toPlainText(), linkListEncoding_);
    } catch (const std::exception& error) {
        ShowDefaultErrorBox(error);
        return false;
    }
    return true;
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    anchors_.Apply(size());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == LogsMemo || watched == LogsMemo->viewport()) && EditsLogView(event->type())) {
        FlushLog();
    }
    // Ctrl+A, with or without Shift and Alt, selects the whole text; the field still gets
    // the key afterwards.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_A && key->modifiers().testFlag(Qt::ControlModifier)) {
            if (auto* field = qobject_cast<QPlainTextEdit*>(watched)) {
                field->selectAll();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::OpenSiteButtonClick()
{
    settings_.open(
        QUrl(QStringLiteral("https://") + settings_.registryHost + QStringLiteral("/sro/list")));
}

void TMainForm::AppendLogLine(const QString& line)
{
    pendingLog_.append(line);
    if (!logFlush_.isActive()) {
        logFlush_.start();
    }
}

void TMainForm::AppendTimeStampedLine(const QString& message)
{
    AppendLogLine(TimeStampedLine(QDateTime::currentDateTime(), QLocale::system(), message));
}

void TMainForm::FlushLog()
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

void TMainForm::ClearLog()
{
    logFlush_.stop();
    pendingLog_.clear();
    LogsMemo->clear();
}

QString TMainForm::LogText()
{
    FlushLog();
    return LogsMemo->toPlainText();
}

QString TMainForm::LinkListPath() const
{
    return settings_.programFolder + QStringLiteral("urls.txt");
}

} // namespace ui
