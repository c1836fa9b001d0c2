// The SRO link collection in the Qt window against the fake registry on 127.0.0.1 (TLS): the
// real wait cursor and buttons while a request waits and clicks arrive, and closing the real
// window mid-request.
#include "tests/support/FakeRegistry.h"
#include "tests/ui/qt/FormFixture.h"
#include "tests/ui/qt/TestMain.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using testsupport::FakeRegistry;
using testsupport::ScriptedAnswer;
using ui::MainWindow;

namespace {

constexpr char Greeting[] = "Спасибо, что пользуетесь парсером от сервиса Verdanix!";

// A window on a fake registry of `sroCount` SROs named "s1", "s2"...
struct CollectionFixture {
    explicit CollectionFixture(int sroCount)
    {
        for (int i = 1; i <= sroCount; ++i) {
            registry.AddSro("s" + std::to_string(i));
        }
        fixture.Show();
    }

    MainWindow& Window() { return fixture.Window(); }

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
        QStringList lines = fixture.Window().LogText().split(QLatin1Char('\n'));
        return lines.mid(2);
    }

    std::vector<testsupport::RecordedRequest> SroListRequests()
    {
        return registry.Server().RequestsTo(FakeRegistry::SroListPath());
    }

    FakeRegistry registry;
    ui::test::FormFixture fixture{QString::fromStdString(registry.HostAndPort())};
};

} // namespace

class CollectionTest : public QObject {
    Q_OBJECT

private slots:
    void runIsRefusedDuringCollection();
    void closingDuringCollection();
};

void CollectionTest::runIsRefusedDuringCollection()
{
    CollectionFixture collection(1);
    collection.registry.FailNext(
        FakeRegistry::SroListPath(), 1,
        {Delayed(ScriptedAnswer::Json(R"({"data":{"countPages":1,"data":[{"id":"s1"}]}})"),
                 std::chrono::milliseconds(700))});
    MainWindow& form = collection.Window();

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
        form.Form().StartButtonClick();
        form.Form().Button1Click();
        logDuring = form.LogText();
    });
    QTest::mouseClick(form.Button1, Qt::LeftButton);

    QVERIFY(!startEnabled);
    QVERIFY(!button1Enabled);
    QCOMPARE(cursor, Qt::WaitCursor);
    QVERIFY(logDuring.endsWith(QStringLiteral("Загружаем страницу 1")));
    QVERIFY(form.Form().WaitForWorker(std::chrono::milliseconds(0)));
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
    collection.registry.FailNext(
        FakeRegistry::SroListPath(), 2,
        {Delayed(ScriptedAnswer::Json(page2), std::chrono::milliseconds(800))});
    MainWindow& form = collection.Window();

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
