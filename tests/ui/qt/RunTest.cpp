// Whole runs started from the Qt window against the fake registry on 127.0.0.1 (TLS), through
// the real dispatcher: the log view, both bars and their hints, the log file and the opened
// result file; closing the real window during a run.
#include "tests/support/FakeRegistry.h"
#include "tests/ui/qt/FormFixture.h"
#include "tests/ui/qt/TestMain.h"
#include "ui/qt/GradientProgressBar.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

using testsupport::FakeMember;
using testsupport::FakeRegistry;
using testsupport::ScriptedAnswer;
using ui::MainWindow;

namespace {

constexpr int RunLimitMilliseconds = 20000;

// A time-stamped log line whose message matches `message` (a regular expression).
bool IsTimeStamped(const QString& line, const QString& message)
{
    return QRegularExpression(QStringLiteral("^.+ \\d\\d:\\d\\d:\\d\\d: ") + message +
                              QStringLiteral("$"))
        .match(line)
        .hasMatch();
}

QStringList Lines(MainWindow& window)
{
    return window.LogText().split(QLatin1Char('\n'));
}

// Delays the info answer of one member, so that the run is known to be in that request.
void DelayInfo(FakeRegistry& registry, const FakeMember& member, std::chrono::milliseconds delay)
{
    ScriptedAnswer answer = ScriptedAnswer::Json(testsupport::MemberInfoJson(member));
    answer.delay = delay;
    registry.Server().Answer(FakeRegistry::MemberInfoPath(member.id), answer);
}

// A window on the fake registry with one SRO of three members, interval 0.
struct RunFixture {
    RunFixture()
    {
        registry.AddSro("7", members);
        fixture.Show();
        Window().IntervalSpinEdit->setValue(0);
        Window().UrlsMemo->setPlainText(QString::fromStdString(registry.SroLink("7")));
    }

    MainWindow& Window() { return fixture.Window(); }

    std::size_t RequestsTo(const std::string& path)
    {
        std::size_t count = 0;
        for (const testsupport::RecordedRequest& request : registry.Server().Requests()) {
            count += request.Path() == path ? 1 : 0;
        }
        return count;
    }

    std::vector<FakeMember> members = testsupport::SampleMembers(3);
    FakeRegistry registry;
    ui::test::FormFixture fixture{QString::fromStdString(registry.HostAndPort())};
};

} // namespace

class RunTest : public QObject {
    Q_OBJECT

private slots:
    void wholeRun();
    void closingDuringRun();
};

void RunTest::wholeRun()
{
    RunFixture run;
    MainWindow& form = run.Window();
    const QString link = QString::fromStdString(run.registry.SroLink("7"));
    QTest::mouseClick(form.StartButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(form.Form().WaitForWorker(std::chrono::milliseconds(0)),
                             RunLimitMilliseconds);
    QTRY_VERIFY(form.StartButton->isEnabled());

    const QStringList lines = Lines(form);
    QCOMPARE(lines.size(), 10);
    QVERIFY(IsTimeStamped(lines[0], QStringLiteral("Начинаем работу по списку ссылок:")));
    QCOMPARE(lines[1], link);
    QVERIFY(IsTimeStamped(lines[2], QStringLiteral("Данные будут записываться в файл ") +
                                        QRegularExpression::escape(run.fixture.Folder()) +
                                        QStringLiteral("data-?\\d+\\.csv")));
    QVERIFY(IsTimeStamped(lines[3], QStringLiteral("Загружаем: ") +
                                        QRegularExpression::escape(link) +
                                        QStringLiteral(", страница 1")));
    QVERIFY2(IsTimeStamped(lines[4], QStringLiteral("Найдено: 3 организаций на 1 страницах")),
             qPrintable(lines[4]));
    for (int i = 1; i <= 3; ++i) {
        QVERIFY2(
            IsTimeStamped(lines[4 + i], QStringLiteral("Добавлено в базу: ООО Член %1; .+").arg(i)),
            qPrintable(lines[4 + i]));
    }
    QVERIFY(IsTimeStamped(lines[8], QStringLiteral("Открываем файл с результатами")));
    QVERIFY(IsTimeStamped(lines[9], QStringLiteral("Работа завершена")));

    // Both bars end at position 0 with the maxima of the last member.
    QCOMPARE(form.ProgressBar->Position(), 0);
    QCOMPARE(form.ProgressBar->Max(), 3);
    QCOMPARE(form.ProgressBar->toolTip(), QStringLiteral("0 из 3, осталось 3"));
    QCOMPARE(form.StagesProgressBar->Position(), 0);
    QCOMPARE(form.StagesProgressBar->Max(), 3);
    QCOMPARE(form.StagesProgressBar->toolTip(), QStringLiteral("0 из 3, осталось 3"));
    QVERIFY(form.UrlsMemo->isEnabled());
    QVERIFY(form.Button1->isEnabled());

    const QStringList logFiles = run.fixture.Files(QStringLiteral("log-*.txt"));
    QCOMPARE(logFiles.size(), 1);
    QCOMPARE(run.fixture.ReadFile(logFiles[0]),
             (lines.join(QStringLiteral("\r\n")) + "\r\n").toUtf8());

    const QStringList results = run.fixture.Files(QStringLiteral("data*.csv"));
    QCOMPARE(results.size(), 1);
    QCOMPARE(run.fixture.Opened(),
             QList<QUrl>{QUrl::fromLocalFile(run.fixture.Folder() + results[0])});
    const QByteArray rows = run.fixture.ReadFile(results[0]);
    QCOMPARE(rows.count("\r\n"), 4);
    QVERIFY(rows.contains("\xCE\xCE\xCE \xD7\xEB\xE5\xED 3")); // "ООО Член 3" in code page 1251
}

void RunTest::closingDuringRun()
{
    RunFixture run;
    MainWindow& form = run.Window();
    DelayInfo(run.registry, run.members[1], std::chrono::milliseconds(500));
    const std::string delayedPath = FakeRegistry::MemberInfoPath(run.members[1].id);
    QTest::mouseClick(form.StartButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(run.RequestsTo(delayedPath) == 1, RunLimitMilliseconds);

    QVERIFY(form.close());
    const QString logAtClose = form.LogText();
    QCOMPARE(run.fixture.ReadFile(QStringLiteral("urls.txt")),
             QByteArray(run.registry.SroLink("7").c_str()));
    // The worker is still in its request: the program does not wait for it.
    QVERIFY(!form.Form().WaitForWorker(std::chrono::milliseconds(0)));

    QTRY_VERIFY_WITH_TIMEOUT(form.Form().WaitForWorker(std::chrono::milliseconds(0)),
                             RunLimitMilliseconds);
    QCoreApplication::processEvents();
    QCOMPARE(form.LogText(), logAtClose);
    QVERIFY(run.fixture.Files(QStringLiteral("log-*.txt")).isEmpty());
    QVERIFY(run.fixture.Opened().isEmpty());
    QCOMPARE(run.RequestsTo(FakeRegistry::MemberInfoPath(run.members[2].id)), std::size_t{0});
    // The row written before the close stays: header and the first member.
    const QStringList results = run.fixture.Files(QStringLiteral("data*.csv"));
    QCOMPARE(results.size(), 1);
    QCOMPARE(run.fixture.ReadFile(results[0]).count("\r\n"), 2);
}

SRO_UI_TEST_MAIN(RunTest)
#include "RunTest.moc"
