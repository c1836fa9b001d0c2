// The window's life: start-up checks, urls.txt, the select-all shortcut, the site button and
// the default error box.
#include "ui/MainForm.h"

#include "crawl/run/TScraper.h"
#include "ui/ErrorBox.h"
#include "ui/FormLayout.h"
#include "ui/LinkListFile.h"
#include "ui/MainFormView.h"
#include "ui/NarrowEncoding.h"
#include "ui/StartupChecks.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace ui {

namespace {

// A worker that has been told to stop ends after its request under way, whose waits are
// bounded by the HTTP client's time-outs.
constexpr std::chrono::minutes WorkerEndLimit(5);

} // namespace

TMainForm::TMainForm(MainFormView& view, MainFormSettings settings)
    : view_(view), settings_(std::move(settings)), progressBar_{ProgressBarStartMax},
      stagesProgressBar_{ProgressBarStartMax}
{
    // A request made on this thread keeps the window responsive while it waits.
    IdHTTP1.SetUiThreadHook(std::this_thread::get_id(), [&view] { view.ProcessMessages(); });
}

TMainForm::~TMainForm()
{
    view_.Dispatcher().Close();
    for (const std::weak_ptr<crawl::TScraper>& reference : {worker_, endedWorker_}) {
        const std::shared_ptr<crawl::TScraper> worker = reference.lock();
        if (!worker) {
            continue;
        }
        worker->Abandon();
        // The worker holds this window's HTTP client and the view's dispatcher: they must
        // outlive it. The program itself ends without destroying the window while a worker runs.
        if (!worker->WaitUntilFinished(WorkerEndLimit)) {
            std::fputs("A crawl worker outlived its window\n", stderr);
            std::abort();
        }
    }
}

void TMainForm::FormShow()
{
    const StartupProblem problem =
        CheckStartup(settings_.executableFolder, settings_.tlsLibraryFound());
    if (problem != StartupProblem::None) {
        view_.ShowMessageBox(StartupMessageCaption, StartupProblemText(problem),
                             MessageBoxIcon::None);
        startupFailed_ = true;
        view_.CloseWindow();
        return;
    }
    view_.AppendLine(Control::LogsMemo, u"Спасибо, что пользуетесь парсером от сервиса Verdanix!");
    view_.AppendLine(Control::LogsMemo, u"");
    if (std::optional<LinkListText> linkList = ReadLinkList(LinkListPath(), Narrow())) {
        view_.SetText(Control::UrlsMemo, linkList->text);
        linkListEncoding_ = linkList->encoding;
    }
}

bool TMainForm::FormClose()
{
    if (!startupFailed_) {
        try {
            WriteLinkList(LinkListPath(), view_.Text(Control::UrlsMemo),
                          linkListEncoding_.value_or(Narrow()));
        } catch (const std::exception& error) {
            // The window stays open; a later close tries again.
            ShowErrorBox(error);
            return false;
        }
    }
    closed_ = true;
    // From now on the worker touches nothing of the window; its run ends where it is.
    view_.Dispatcher().Close();
    if (const std::shared_ptr<crawl::TScraper> worker = RunningWorker()) {
        worker->Abandon();
    }
    return true;
}

void TMainForm::UrlsMemoKeyDown(std::uint16_t key, ShiftState shift)
{
    SelectAllOnCtrlA(Control::UrlsMemo, key, shift);
}

void TMainForm::LogsMemoKeyDown(std::uint16_t key, ShiftState shift)
{
    SelectAllOnCtrlA(Control::LogsMemo, key, shift);
}

void TMainForm::SelectAllOnCtrlA(Control field, std::uint16_t key, ShiftState shift)
{
    // Shift and Alt may be held too; the field still handles the key afterwards.
    if (key == KeyA && shift.ctrl) {
        view_.SelectAll(field);
    }
}

void TMainForm::OpenSiteButtonClick()
{
    view_.ShellOpen(u"https://" + settings_.registryHost + u"/sro/list");
}

void TMainForm::ShowErrorBox(const std::exception& error)
{
    view_.ShowMessageBox(ApplicationTitle(settings_.registryHost),
                         ErrorBoxText(ExceptionMessage(error)), MessageBoxIcon::Error);
}

std::u16string TMainForm::LinkListPath() const
{
    return settings_.programFolder + u"urls.txt";
}

crawl::TextEncoding TMainForm::Narrow() const
{
    return NarrowEncoding(view_.AnsiCodePage());
}

} // namespace ui
