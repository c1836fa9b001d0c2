// The collection of all SRO links: the registry's SRO list, read page by page on the UI thread
// while the window stays responsive.
#include "ui/MainForm.h"

#include "crawl/Error.h"
#include "crawl/text/Text.h"
#include "ui/MainFormView.h"
#include "ui/SroListPage.h"

namespace ui {

void TMainForm::Button1Click()
{
    // The HTTP client serves one request at a time: no collection during a run, and none
    // inside a running one (the client's hook handles clicks while a request waits).
    if (collecting_ || RunningWorker()) {
        return;
    }
    collecting_ = true;
    view_.SetEnabled(Control::StartButton, false);
    view_.SetEnabled(Control::Button1, false);
    view_.SetWaitCursor(true);
    struct EndCollection {
        TMainForm& form;
        ~EndCollection()
        {
            form.view_.SetWaitCursor(false);
            form.collecting_ = false;
            form.view_.SetEnabled(Control::StartButton, true);
            form.view_.SetEnabled(Control::Button1, true);
        }
    } endCollection{*this};
    CollectSroLinks();
}

void TMainForm::CollectSroLinks()
{
    const std::u16string& host = settings_.registryHost;
    view_.SetText(Control::UrlsMemo, u"");
    std::int32_t pageCount = 0;
    for (std::int32_t page = 1;; ++page) {
        try {
            view_.AppendLine(Control::LogsMemo, u"Загружаем страницу " + crawl::IntToText(page));
            IdHTTP1.SetHTTPOptions({});
            IdHTTP1.SetContentType(u"application/json");
            const std::u16string answer = IdHTTP1.Post(SroListAddress(host), {SroListBody(page)});
            // The window was closed while the request waited: the program is ending.
            if (closed_) {
                return;
            }
            // Whatever fails from here on leaves no further page to ask for.
            pageCount = 0;
            const SroListPage sroList = ReadSroListPage(answer);
            pageCount = sroList.pageCount;
            for (const std::u16string& sroId : sroList.sroIds) {
                view_.AppendLine(Control::UrlsMemo, SroMembersLink(host, sroId));
            }
        } catch (const crawl::Error& error) {
            view_.AppendLine(Control::LogsMemo, u"Ошибка: " + error.Message());
        }
        // Compared before the step, so that the highest page number does not overflow.
        if (page >= pageCount) {
            break;
        }
    }
    view_.AppendLine(Control::LogsMemo,
                     u"Все ссылки на СРО загружены: " + crawl::IntToText(LinkLineCount()));
}

} // namespace ui
