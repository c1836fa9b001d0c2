// The collection of all SRO links: the registry's SRO list, read page by page on the UI thread
// while the window stays responsive.
#include "ui/MainForm.h"

#include "crawl/Error.h"
#include "crawl/text/Text.h"
#include "ui/SroListPage.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ui {

void TMainForm::Button1Click()
{
    // The HTTP client serves one request at a time: no collection during a run, and none
    // inside a running one (the client's hook handles clicks while a request waits).
    if (collecting_ || RunningWorker()) {
        return;
    }
    collecting_ = true;
    StartButton->setEnabled(false);
    Button1->setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    struct EndCollection {
        TMainForm& form;
        ~EndCollection()
        {
            QGuiApplication::restoreOverrideCursor();
            form.collecting_ = false;
            form.StartButton->setEnabled(true);
            form.Button1->setEnabled(true);
        }
    } endCollection{*this};
    CollectSroLinks();
}

void TMainForm::CollectSroLinks()
{
    const std::u16string host = settings_.registryHost.toStdU16String();
    UrlsMemo->clear();
    std::int64_t page = 1;
    std::int64_t pageCount = 0;
    do {
        try {
            AppendLogLine(QStringLiteral("Загружаем страницу ") + QString::number(page));
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
                UrlsMemo->appendPlainText(QString::fromStdU16String(SroMembersLink(host, sroId)));
            }
        } catch (const crawl::Error& error) {
            AppendLogLine(QStringLiteral("Ошибка: ") + QString::fromStdU16String(error.Message()));
        }
        ++page;
    } while (page <= pageCount);
    AppendLogLine(QStringLiteral("Все ссылки на СРО загружены: ") +
                  QString::number(LinkLineCount()));
}

} // namespace ui
