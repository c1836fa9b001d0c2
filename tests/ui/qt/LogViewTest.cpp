// The Qt log view and bars under the operations a run has the window perform: lines taken in
// in batches yet in order, the view repainting after a burst, the hint as the bar's tooltip.
#include "tests/ui/qt/FormFixture.h"
#include "tests/ui/qt/TestMain.h"
#include "ui/qt/GradientProgressBar.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>

using ui::MainWindow;

namespace {

// A time-stamped line of today with `message`, as the system's locale writes it.
QRegularExpression TimeStamped(const QString& message)
{
    return QRegularExpression(QStringLiteral("^.+ \\d\\d:\\d\\d:\\d\\d: ") +
                              QRegularExpression::escape(message) + QStringLiteral("$"));
}

QStringList Lines(MainWindow& window)
{
    return window.LogText().split(QLatin1Char('\n'));
}

// The user goes to the end of the field and types a line of its own there.
void TypeLine(QPlainTextEdit& field, const QString& text)
{
    QTest::keyClick(&field, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Return);
    QTest::keyClicks(&field, text);
}

} // namespace

class LogViewTest : public QObject {
    Q_OBJECT

private slots:
    void logViewRepaintsAfterABurstOfLines();
    void burstOfLinesKeepsItsOrderInViewAndLogFile();
    void progressUpdate_data();
    void progressUpdate();
};

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

void LogViewTest::logViewRepaintsAfterABurstOfLines()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    MainWindow& window = fixture.Window();
    ui::TMainForm& form = fixture.Form();
    QCoreApplication::processEvents();
    PaintCounter paints(window.LogsMemo->viewport());
    // As a run hands lines over: one by one, with the events served in between.
    for (int line = 1; line <= 50; ++line) {
        form.AddLogLine(u"Добавлено в базу: ООО Член " + QString::number(line).toStdU16String());
        QCoreApplication::processEvents();
    }
    const int paintsAfterBurst = paints.Count();
    // The view takes the lines in on its own: the greeting, its empty line and the 50 lines.
    QTRY_COMPARE(window.LogsMemo->document()->blockCount(), 52);
    QTRY_VERIFY(paints.Count() > paintsAfterBurst);
}

void LogViewTest::burstOfLinesKeepsItsOrderInViewAndLogFile()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    MainWindow& window = fixture.Window();
    ui::TMainForm& form = fixture.Form();
    window.UrlsMemo->setPlainText(QStringLiteral("https://a/sro/1/member/list\n\nsecond"));
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
            TypeLine(*window.LogsMemo, typed);
            expected.append(typed);
        }
        if (line == 60) {
            QTest::qWait(100);
        }
    }
    form.UpdateBusyState(false);

    const QStringList lines = Lines(window);
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

void LogViewTest::progressUpdate_data()
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

void LogViewTest::progressUpdate()
{
    QFETCH(bool, stages);
    QFETCH(int, position);
    QFETCH(int, maximum);
    QFETCH(int, shownPosition);
    QFETCH(int, shownMaximum);
    QFETCH(QString, hint);

    ui::test::FormFixture fixture;
    MainWindow& window = fixture.Window();
    ui::TMainForm& form = fixture.Form();
    ui::GradientProgressBar* bar = stages ? window.StagesProgressBar : window.ProgressBar;
    ui::GradientProgressBar* other = stages ? window.ProgressBar : window.StagesProgressBar;
    // Only the progress bar's update lets the window handle what is waiting (pause, stop).
    bool handled = false;
    QMetaObject::invokeMethod(
        &window, [&handled] { handled = true; }, Qt::QueuedConnection);
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

SRO_UI_TEST_MAIN(LogViewTest)
#include "LogViewTest.moc"
