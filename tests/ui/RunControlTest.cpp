// Run control on the window's side: START's rejection and the four operations a run has the
// window perform, called as the worker's hand-over calls them (on the UI thread).
#include "crawl/Error.h"
#include "tests/ui/FormFixture.h"
#include "tests/ui/TestMain.h"
#include "ui/GradientProgressBar.h"

#include <QCheckBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>

using ui::TMainForm;

namespace {

// A time-stamped line of today with `message`, as the system's locale writes it.
QRegularExpression TimeStamped(const QString& message)
{
    return QRegularExpression(QStringLiteral("^.+ \\d\\d:\\d\\d:\\d\\d: ") +
                              QRegularExpression::escape(message) + QStringLiteral("$"));
}

QStringList Lines(TMainForm& form)
{
    return form.LogText().split(QLatin1Char('\n'));
}

// The user goes to the end of the field and types a line of its own there.
void TypeLine(QPlainTextEdit& field, const QString& text)
{
    QTest::keyClick(&field, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Return);
    QTest::keyClicks(&field, text);
}

} // namespace

class RunControlTest : public QObject {
    Q_OBJECT

private slots:
    void startRejectsListWithoutAddress_data();
    void startRejectsListWithoutAddress();
    void pauseAndStopWithoutRunDoNothing();
    void busyStateStartAndEnd();
    void unwritableLogFileStillEndsBusyState();
    void logViewRepaintsAfterABurstOfLines();
    void burstOfLinesKeepsItsOrderInViewAndLogFile();
    void progressUpdate_data();
    void progressUpdate();
};

void RunControlTest::startRejectsListWithoutAddress_data()
{
    QTest::addColumn<QString>("links");
    QTest::newRow("empty list") << "";
    QTest::newRow("no line with ://") << "registry.example.org/sro/1\nhttp:/x";
}

void RunControlTest::startRejectsListWithoutAddress()
{
    QFETCH(QString, links);
    ui::test::FormFixture fixture;
    fixture.Show();
    TMainForm& form = fixture.Form();
    form.UrlsMemo->setPlainText(links);
    QTest::mouseClick(form.StartButton, Qt::LeftButton);
    QCOMPARE(form.LogText(),
             QStringLiteral("Спасибо, что пользуетесь парсером от сервиса Verdanix!\n\n"
                            "Задайте ссылку на страницу со списком организаций!\n"
                            "Пример: https://registry.example.org/sro/322/member/list"));
    QVERIFY(form.StartButton->isEnabled());
    QVERIFY(form.UrlsMemo->isEnabled());
}

void RunControlTest::pauseAndStopWithoutRunDoNothing()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    TMainForm& form = fixture.Form();
    form.UpdateProgressBar(5, 10);
    const QString log = form.LogText();
    QTest::mouseClick(form.PauseButton, Qt::LeftButton);
    QTest::mouseClick(form.StopButton, Qt::LeftButton);
    QCOMPARE(form.LogText(), log);
    QCOMPARE(form.ProgressBar->Position(), 5);
}

void RunControlTest::busyStateStartAndEnd()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    TMainForm& form = fixture.Form();
    form.UrlsMemo->setPlainText(QStringLiteral("https://a/sro/1/member/list\n\n  b  \n"));

    form.UpdateBusyState(true);
    QStringList lines = Lines(form);
    QCOMPARE(lines.size(), 4);
    QVERIFY2(
        TimeStamped(QStringLiteral("Начинаем работу по списку ссылок:")).match(lines[0]).hasMatch(),
        qPrintable(lines[0]));
    QCOMPARE(lines.mid(1), QStringList({"https://a/sro/1/member/list", "", "  b  "}));
    QVERIFY(!form.UrlsMemo->isEnabled());
    QVERIFY(!form.StartButton->isEnabled());
    QVERIFY(!form.Button1->isEnabled());
    QVERIFY(form.MobilesCheckBox->isEnabled());
    QCOMPARE(form.LinkLineCount(), 3);
    QCOMPARE(form.LinkLine(2), std::u16string(u"  b  "));

    form.AddLogLine(u"Загружаем: https://a/sro/1/member/list, страница 1");
    TypeLine(*form.LogsMemo, QStringLiteral("typed by the user"));
    QVERIFY(fixture.Files(QStringLiteral("log-*.txt")).isEmpty());
    form.UpdateBusyState(false);
    lines = Lines(form);
    QCOMPARE(lines.size(), 7);
    QVERIFY(TimeStamped(QStringLiteral("Загружаем: https://a/sro/1/member/list, страница 1"))
                .match(lines[4])
                .hasMatch());
    QCOMPARE(lines[5], QStringLiteral("typed by the user"));
    QVERIFY(TimeStamped(QStringLiteral("Работа завершена")).match(lines[6]).hasMatch());
    QVERIFY(form.UrlsMemo->isEnabled());
    QVERIFY(form.StartButton->isEnabled());
    QVERIFY(form.Button1->isEnabled());

    const QStringList logFiles = fixture.Files(QStringLiteral("log-*.txt"));
    QCOMPARE(logFiles.size(), 1);
    QVERIFY(QRegularExpression(QStringLiteral("^log--?\\d+\\.txt$")).match(logFiles[0]).hasMatch());
    QCOMPARE(fixture.ReadFile(logFiles[0]), (lines.join(QStringLiteral("\r\n")) + "\r\n").toUtf8());
}

namespace {

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++count_;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int count_ = 0;
};

} // namespace

void RunControlTest::logViewRepaintsAfterABurstOfLines()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    TMainForm& form = fixture.Form();
    QCoreApplication::processEvents();
    PaintCounter paints(form.LogsMemo->viewport());
    // As a run hands lines over: one by one, with the events served in between.
    for (int line = 1; line <= 50; ++line) {
        form.AddLogLine(u"Добавлено в базу: ООО Член " + QString::number(line).toStdU16String());
        QCoreApplication::processEvents();
    }
    const int paintsAfterBurst = paints.Count();
    // The view takes the lines in on its own: the greeting, its empty line and the 50 lines.
    QTRY_COMPARE(form.LogsMemo->document()->blockCount(), 52);
    QTRY_VERIFY(paints.Count() > paintsAfterBurst);
}

void RunControlTest::burstOfLinesKeepsItsOrderInViewAndLogFile()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    TMainForm& form = fixture.Form();
    form.UrlsMemo->setPlainText(QStringLiteral("https://a/sro/1/member/list\n\nsecond"));
    form.UpdateBusyState(true);
    QStringList expected = {QStringLiteral("https://a/sro/1/member/list"), QString(),
                            QStringLiteral("second")};
    // Lines handed over back to back, with the user's own lines between them and the view's
    // periodic catching up (the wait) in the middle of the burst.
    for (int line = 1; line <= 120; ++line) {
        const QString message = QStringLiteral("Добавлено в базу: ООО Член %1").arg(line);
        form.AddLogLine(message.toStdU16String());
        expected.append(message);
        if (line % 40 == 0) {
            const QString typed = QStringLiteral("typed %1").arg(line);
            TypeLine(*form.LogsMemo, typed);
            expected.append(typed);
        }
        if (line == 60) {
            QTest::qWait(100);
        }
    }
    form.UpdateBusyState(false);

    const QStringList lines = Lines(form);
    QCOMPARE(lines.size(), expected.size() + 2);
    QVERIFY(TimeStamped(QStringLiteral("Начинаем работу по списку ссылок:"))
                .match(lines[0])
                .hasMatch());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QString& line = lines[i + 1];
        const bool timeStamped = expected[i].startsWith(QStringLiteral("Добавлено"));
        QVERIFY2(timeStamped ? TimeStamped(expected[i]).match(line).hasMatch()
                             : line == expected[i],
                 qPrintable(QStringLiteral("%1: %2").arg(i + 1).arg(line)));
    }
    QVERIFY(TimeStamped(QStringLiteral("Работа завершена")).match(lines.back()).hasMatch());
    const QStringList logFiles = fixture.Files(QStringLiteral("log-*.txt"));
    QCOMPARE(logFiles.size(), 1);
    QCOMPARE(fixture.ReadFile(logFiles[0]), (lines.join(QStringLiteral("\r\n")) + "\r\n").toUtf8());
}

void RunControlTest::unwritableLogFileStillEndsBusyState()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    TMainForm& form = fixture.Form();
    form.UpdateBusyState(true);
    QVERIFY(QDir(fixture.Folder()).removeRecursively());

    QVERIFY_THROWS_EXCEPTION(crawl::Error, form.UpdateBusyState(false));
    const QStringList lines = Lines(form);
    QVERIFY(
        TimeStamped(QStringLiteral("Работа завершена")).match(lines[lines.size() - 2]).hasMatch());
    QVERIFY2(lines.back().contains(QStringLiteral(": Ошибка: ")), qPrintable(lines.back()));
    QVERIFY(form.UrlsMemo->isEnabled());
    QVERIFY(form.StartButton->isEnabled());
    QVERIFY(form.Button1->isEnabled());
}

void RunControlTest::progressUpdate_data()
{
    QTest::addColumn<bool>("stages");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("shownPosition");
    QTest::addColumn<int>("shownMaximum");
    QTest::addColumn<QString>("hint");

    for (const bool stages : {false, true}) {
        const char* bar = stages ? "stages bar" : "progress bar";
        QTest::addRow("%s: within range", bar)
            << stages << 3 << 20 << 3 << 20 << "3 из 20, осталось 17";
        QTest::addRow("%s: above the maximum", bar)
            << stages << 25 << 20 << 20 << 20 << "20 из 20, осталось 0";
        QTest::addRow("%s: maximum 0", bar) << stages << 0 << 0 << 0 << 0 << "0 из 0, осталось 0";
        QTest::addRow("%s: negative values", bar)
            << stages << -4 << -1 << 0 << 0 << "0 из 0, осталось 0";
    }
}

void RunControlTest::progressUpdate()
{
    QFETCH(bool, stages);
    QFETCH(int, position);
    QFETCH(int, maximum);
    QFETCH(int, shownPosition);
    QFETCH(int, shownMaximum);
    QFETCH(QString, hint);

    ui::test::FormFixture fixture;
    TMainForm& form = fixture.Form();
    ui::GradientProgressBar* bar = stages ? form.StagesProgressBar : form.ProgressBar;
    ui::GradientProgressBar* other = stages ? form.ProgressBar : form.StagesProgressBar;
    // Only the progress bar's update lets the window handle what is waiting (pause, stop).
    bool handled = false;
    QMetaObject::invokeMethod(
        &form, [&handled] { handled = true; }, Qt::QueuedConnection);
    if (stages) {
        form.UpdateStagesProgressBar(position, maximum);
    } else {
        form.UpdateProgressBar(position, maximum);
    }
    QCOMPARE(bar->Position(), shownPosition);
    QCOMPARE(bar->Max(), shownMaximum);
    QCOMPARE(bar->toolTip(), hint);
    QCOMPARE(other->Max(), 100);
    QVERIFY(other->toolTip().isEmpty());
    QCOMPARE(handled, !stages);
    QCoreApplication::processEvents();
}

SRO_UI_TEST_MAIN(RunControlTest)
#include "RunControlTest.moc"
