// The SRO link collection against the fake registry on 127.0.0.1 (TLS): pages of 100, failing
// and odd answers, the guard against a run, and closing the window mid-request.
#include "tests/support/FakeRegistry.h"
#include "tests/ui/FormFixture.h"
#include "tests/ui/TestMain.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using testsupport::FakeRegistry;
using testsupport::ScriptedAnswer;
using ui::TMainForm;

namespace {

constexpr char Greeting[] = "Спасибо, что пользуетесь парсером от сервиса Verdanix!";

enum class Fault { FailingPage2, FailingPage1, NotJson, NoCountPages };

ScriptedAnswer Delayed(ScriptedAnswer answer, int milliseconds)
{
    answer.delay = std::chrono::milliseconds(milliseconds);
    return answer;
}

// A window on a fake registry of `sroCount` SROs named "s1", "s2"...
struct CollectionFixture {
    explicit CollectionFixture(int sroCount)
    {
        for (int i = 1; i <= sroCount; ++i) {
            registry.AddSro("s" + std::to_string(i));
        }
        fixture.Show();
    }

    TMainForm& Form() { return fixture.Form(); }

    QString Link(const QString& sroId) const
    {
        return QStringLiteral("https://") + QString::fromStdString(registry.HostAndPort()) +
               QStringLiteral("/sro/") + sroId + QStringLiteral("/member/list");
    }
    QStringList Links(int first, int last) const
    {
        QStringList links;
        for (int i = first; i <= last; ++i) {
            links.append(Link(QStringLiteral("s%1").arg(i)));
        }
        return links;
    }

    // The log after the greeting and its empty line.
    QStringList CollectionLog()
    {
        QStringList lines = fixture.Form().LogText().split(QLatin1Char('\n'));
        return lines.mid(2);
    }

    std::vector<testsupport::RecordedRequest> SroListRequests()
    {
        std::vector<testsupport::RecordedRequest> requests;
        for (const testsupport::RecordedRequest& request : registry.Server().Requests()) {
            if (request.Path() == FakeRegistry::SroListPath()) {
                requests.push_back(request);
            }
        }
        return requests;
    }

    FakeRegistry registry;
    ui::test::FormFixture fixture{QString::fromStdString(registry.HostAndPort())};
};

std::string Body(int page)
{
    return R"({"filters":{},"page":)" + std::to_string(page) + R"(,"pageCount":"100","sortBy":{}})";
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class CollectionTest : public QObject {
    Q_OBJECT

private slots:
    void collection_data();
    void collection();
    void runIsRefusedDuringCollection();
    void closingDuringCollection();
};

void CollectionTest::collection_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("linkCount");

    QTest::newRow("page 2 of 3 fails")
        << Fault::FailingPage2 << QList<int>{1, 2, 3}
        << QStringList{"Загружаем страницу 1", "Загружаем страницу 2",
                       "Ошибка: HTTP/1.1 500 Internal Server Error", "Загружаем страницу 3",
                       "Все ссылки на СРО загружены: 150"}
        << 150;
    QTest::newRow("page 1 fails: no page count")
        << Fault::FailingPage1 << QList<int>{1}
        << QStringList{"Загружаем страницу 1", "Ошибка: HTTP/1.1 500 Internal Server Error",
                       "Все ссылки на СРО загружены: 0"}
        << 0;
    QTest::newRow("answer not JSON")
        << Fault::NotJson << QList<int>{1}
        << QStringList{"Загружаем страницу 1", "Все ссылки на СРО загружены: 0"} << 0;
    QTest::newRow("no countPages, an element without id")
        << Fault::NoCountPages << QList<int>{1}
        << QStringList{"Загружаем страницу 1", "Все ссылки на СРО загружены: 2"} << 2;
}

void CollectionTest::collection()
{
    QFETCH(Fault, fault);
    QFETCH(QList<int>, pages);
    QFETCH(QStringList, log);
    QFETCH(int, linkCount);

    CollectionFixture collection(250);
    const std::string path = FakeRegistry::SroListPath();
    const ScriptedAnswer serverError{500, "Internal Server Error"};
    switch (fault) {
    case Fault::FailingPage2:
        collection.registry.FailNext(path, 2, {serverError});
        break;
    case Fault::FailingPage1:
        collection.registry.FailNext(path, 1, {serverError});
        break;
    case Fault::NotJson:
        collection.registry.FailNext(path, 1, {ScriptedAnswer::Json("<html>")});
        break;
    case Fault::NoCountPages:
        collection.registry.FailNext(
            path, 1, {ScriptedAnswer::Json(R"({"data":{"data":[{"id":"x"},{}]}})")});
        break;
    }
    TMainForm& form = collection.Form();
    form.UrlsMemo->setPlainText(QStringLiteral("previous content"));
    QTest::mouseClick(form.Button1, Qt::LeftButton);

    QCOMPARE(collection.CollectionLog(), log);
    const std::vector<testsupport::RecordedRequest> requests = collection.SroListRequests();
    QCOMPARE(requests.size(), std::size_t(pages.size()));
    for (std::size_t i = 0; i < requests.size(); ++i) {
        QCOMPARE(requests[i].body, Body(pages[int(i)]));
        QCOMPARE(requests[i].method, std::string("POST"));
        // Before any run: the media type alone, and the client's initial user agent.
        QCOMPARE(requests[i].Header("Content-Type").value_or(""), std::string("application/json"));
        QCOMPARE(requests[i].Header("User-Agent").value_or(""),
                 std::string("Mozilla/3.0 (compatible; Indy Library)"));
    }
    QStringList links;
    if (fault == Fault::FailingPage2) {
        links = collection.Links(1, 100) + collection.Links(201, 250);
    } else if (fault == Fault::NoCountPages) {
        links = QStringList{collection.Link(QStringLiteral("x")), collection.Link(QString())};
    }
    QCOMPARE(form.UrlsMemo->toPlainText(), links.join(QLatin1Char('\n')));
    QCOMPARE(form.LinkLineCount(), linkCount);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QVERIFY(form.Button1->isEnabled());
    QVERIFY(form.StartButton->isEnabled());
}

void CollectionTest::runIsRefusedDuringCollection()
{
    CollectionFixture collection(1);
    collection.registry.FailNext(
        FakeRegistry::SroListPath(), 1,
        {Delayed(ScriptedAnswer::Json(R"({"data":{"countPages":1,"data":[{"id":"s1"}]}})"), 700)});
    TMainForm& form = collection.Form();

    bool startEnabled = true;
    bool button1Enabled = true;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QString logDuring;
    // Runs inside the client's hook while page 1 waits for its answer.
    QTimer::singleShot(100, &form, [&] {
        startEnabled = form.StartButton->isEnabled();
        button1Enabled = form.Button1->isEnabled();
        if (const QCursor* shown = QGuiApplication::overrideCursor()) {
            cursor = shown->shape();
        }
        form.StartButtonClick();
        form.Button1Click();
        logDuring = form.LogText();
    });
    QTest::mouseClick(form.Button1, Qt::LeftButton);

    QVERIFY(!startEnabled);
    QVERIFY(!button1Enabled);
    QCOMPARE(cursor, Qt::WaitCursor);
    QVERIFY(logDuring.endsWith(QStringLiteral("Загружаем страницу 1")));
    QVERIFY(form.WaitForWorker(std::chrono::milliseconds(0)));
    QCOMPARE(collection.registry.Server().Requests().size(), std::size_t{1});
    QCOMPARE(collection.CollectionLog(),
             QStringList({"Загружаем страницу 1", "Все ссылки на СРО загружены: 1"}));
    QVERIFY(form.StartButton->isEnabled());
}

void CollectionTest::closingDuringCollection()
{
    CollectionFixture collection(250);
    // Page 2 answers late; the window closes while it waits.
    std::string page2 = R"({"data":{"countPages":3,"data":[)";
    for (int i = 101; i <= 200; ++i) {
        page2 += (i > 101 ? R"(,{"id":"s)" : R"({"id":"s)") + std::to_string(i) + "\"}";
    }
    page2 += "]}}";
    collection.registry.FailNext(FakeRegistry::SroListPath(), 2,
                                 {Delayed(ScriptedAnswer::Json(page2), 800)});
    TMainForm& form = collection.Form();

    QTimer closer;
    int polls = 0;
    connect(&closer, &QTimer::timeout, &form, [&] {
        if (collection.SroListRequests().size() >= 2 || ++polls > 200) {
            closer.stop();
            form.close();
        }
    });
    closer.start(20);
    QTest::mouseClick(form.Button1, Qt::LeftButton);

    QVERIFY(!form.isVisible());
    QCOMPARE(collection.SroListRequests().size(), std::size_t{2});
    QCOMPARE(collection.CollectionLog(),
             QStringList({"Загружаем страницу 1", "Загружаем страницу 2"}));
    const QStringList pageOne = collection.Links(1, 100);
    QCOMPARE(collection.fixture.ReadFile(QStringLiteral("urls.txt")),
             pageOne.join(QStringLiteral("\r\n")).toUtf8());
    QCOMPARE(form.UrlsMemo->toPlainText(), pageOne.join(QLatin1Char('\n')));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

SRO_UI_TEST_MAIN(CollectionTest)
#include "CollectionTest.moc"
