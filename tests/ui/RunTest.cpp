// Whole runs started from the window against the fake registry on 127.0.0.1 (TLS): the log,
// both bars and their hints, the log file and the opened result file; pause and stop; the
// guard between a run and the SRO link collection; closing the window during a run.
#include "tests/support/FakeRegistry.h"
#include "tests/ui/FormFixture.h"
#include "tests/ui/TestMain.h"
#include "ui/GradientProgressBar.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

using testsupport::FakeMember;
using testsupport::FakeRegistry;
using testsupport::ScriptedAnswer;
using ui::TMainForm;

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

QStringList Lines(TMainForm& form)
{
    return form.LogText().split(QLatin1Char('\n'));
}

std::vector<FakeMember> Members(int count)
{
    std::vector<FakeMember> members;
    for (int i = 1; i <= count; ++i) {
        FakeMember member;
        member.id = std::to_string(100 + i);
        member.shortDescription = "ООО Член " + std::to_string(i);
        member.phones = "+7 (900) 000-00-0" + std::to_string(i);
        members.push_back(member);
    }
    return members;
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
        Form().IntervalSpinEdit->setValue(0);
        Form().UrlsMemo->setPlainText(QString::fromStdString(registry.SroLink("7")));
    }

    TMainForm& Form() { return fixture.Form(); }

    std::size_t RequestsTo(const std::string& path)
    {
        std::size_t count = 0;
        for (const testsupport::RecordedRequest& request : registry.Server().Requests()) {
            count += request.Path() == path ? 1 : 0;
        }
        return count;
    }

    std::vector<FakeMember> members = Members(3);
    FakeRegistry registry;
    ui::test::FormFixture fixture{QString::fromStdString(registry.HostAndPort())};
};

} // namespace

class RunTest : public QObject {
    Q_OBJECT

private slots:
    void wholeRun();
    void pauseThenStopOrContinue_data();
    void pauseThenStopOrContinue();
    void collectionIsRefusedDuringRun();
    void closingDuringRun();
};

void RunTest::wholeRun()
{
    RunFixture run;
    TMainForm& form = run.Form();
    const QString link = QString::fromStdString(run.registry.SroLink("7"));
    QTest::mouseClick(form.StartButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(form.WaitForWorker(std::chrono::milliseconds(0)),
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

void RunTest::pauseThenStopOrContinue_data()
{
    QTest::addColumn<bool>("stop");
    QTest::newRow("pause, then stop") << true;
    QTest::newRow("pause, then continue") << false;
}

void RunTest::pauseThenStopOrContinue()
{
    QFETCH(bool, stop);
    RunFixture run;
    TMainForm& form = run.Form();
    DelayInfo(run.registry, run.members[1], std::chrono::milliseconds(300));
    const std::string delayedPath = FakeRegistry::MemberInfoPath(run.members[1].id);
    QTest::mouseClick(form.StartButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(run.RequestsTo(delayedPath) == 1, RunLimitMilliseconds);

    // Paused during the second member's request: it is completed, and nothing more is asked.
    QTest::mouseClick(form.PauseButton, Qt::LeftButton);
    QVERIFY(IsTimeStamped(Lines(form).back(), QStringLiteral("Включаем паузу")));
    QTRY_VERIFY(
        IsTimeStamped(Lines(form).back(), QStringLiteral("Добавлено в базу: ООО Член 2; .+")));
    QTest::qWait(300);
    QCOMPARE(run.RequestsTo(FakeRegistry::MemberInfoPath(run.members[2].id)), std::size_t{0});
    QVERIFY(!form.WaitForWorker(std::chrono::milliseconds(0)));

    if (stop) {
        QTest::mouseClick(form.StopButton, Qt::LeftButton);
        QVERIFY(IsTimeStamped(Lines(form).back(), QStringLiteral("Останавливаем работу")));
        QCOMPARE(form.ProgressBar->Position(), 0);
        QCOMPARE(form.StagesProgressBar->Position(), 0);
    } else {
        QTest::mouseClick(form.PauseButton, Qt::LeftButton);
        QVERIFY(IsTimeStamped(Lines(form).back(),
                              QStringLiteral("Отключаем паузу, продолжаем работу")));
    }
    QTRY_VERIFY_WITH_TIMEOUT(form.WaitForWorker(std::chrono::milliseconds(0)),
                             RunLimitMilliseconds);
    QTRY_VERIFY(form.StartButton->isEnabled());

    const QString log = form.LogText();
    QCOMPARE(log.contains(QStringLiteral("Отключаем паузу")), !stop);
    QCOMPARE(log.contains(QStringLiteral("Добавлено в базу: ООО Член 3")), !stop);
    if (!stop) {
        QCOMPARE(run.RequestsTo(FakeRegistry::MemberInfoPath(run.members[2].id)), std::size_t{1});
    }
    QVERIFY(IsTimeStamped(Lines(form).back(), QStringLiteral("Работа завершена")));
    QCOMPARE(run.fixture.Files(QStringLiteral("log-*.txt")).size(), 1);

    // After the run pause and stop change nothing.
    QTest::mouseClick(form.PauseButton, Qt::LeftButton);
    QTest::mouseClick(form.StopButton, Qt::LeftButton);
    QCOMPARE(form.LogText(), log);
}

void RunTest::collectionIsRefusedDuringRun()
{
    RunFixture run;
    TMainForm& form = run.Form();
    run.registry.AddSro("8");
    DelayInfo(run.registry, run.members[0], std::chrono::milliseconds(300));
    QTest::mouseClick(form.StartButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!form.StartButton->isEnabled(), RunLimitMilliseconds);
    QVERIFY(!form.Button1->isEnabled());

    const QString links = form.UrlsMemo->toPlainText();
    form.Button1Click();
    QCOMPARE(form.UrlsMemo->toPlainText(), links);
    QVERIFY(!form.LogText().contains(QStringLiteral("Загружаем страницу")));
    // A second START during the run starts no second worker.
    form.StartButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(form.WaitForWorker(std::chrono::milliseconds(0)),
                             RunLimitMilliseconds);
    QTRY_VERIFY(form.Button1->isEnabled());
    QCOMPARE(run.RequestsTo(FakeRegistry::SroListPath()), std::size_t{0});
    QCOMPARE(run.RequestsTo(FakeRegistry::MemberListPath("7")), std::size_t{1});
    QCOMPARE(form.LogText().count(QStringLiteral("Начинаем работу")), 1);
}

void RunTest::closingDuringRun()
{
    RunFixture run;
    TMainForm& form = run.Form();
    DelayInfo(run.registry, run.members[1], std::chrono::milliseconds(500));
    const std::string delayedPath = FakeRegistry::MemberInfoPath(run.members[1].id);
    QTest::mouseClick(form.StartButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(run.RequestsTo(delayedPath) == 1, RunLimitMilliseconds);

    QVERIFY(form.close());
    const QString logAtClose = form.LogText();
    QCOMPARE(run.fixture.ReadFile(QStringLiteral("urls.txt")),
             QByteArray(run.registry.SroLink("7").c_str()));
    // The worker is still in its request: the program does not wait for it.
    QVERIFY(!form.WaitForWorker(std::chrono::milliseconds(0)));

    QTRY_VERIFY_WITH_TIMEOUT(form.WaitForWorker(std::chrono::milliseconds(0)),
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
