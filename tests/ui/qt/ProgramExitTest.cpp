// Closing the window while a run's request is under way ends the program promptly: the
// request does not keep the process alive, urls.txt is saved and no log file is written.
#include "tests/ui/qt/TestMain.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

class ProgramExitTest : public QObject {
    Q_OBJECT

private slots:
    void closingDuringRequestEndsProgram();
};

void ProgramExitTest::closingDuringRequestEndsProgram()
{
    QTemporaryDir folder;
    QProcess probe;
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral(SRO_EXIT_PROBE), {folder.path() + QLatin1Char('/')});
    QVERIFY(probe.waitForStarted(5000));
    // The request never answers and the client's read time-out is 30 s: an end well before
    // that comes from not waiting for the worker.
    QVERIFY2(probe.waitForFinished(15000), "the program was kept alive by the request");
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);

    const QDir files(folder.path());
    QVERIFY(files.exists(QStringLiteral("urls.txt")));
    QVERIFY(files.entryList({QStringLiteral("log-*.txt")}).isEmpty());
    // The result file was begun with its header.
    QCOMPARE(files.entryList({QStringLiteral("data*.csv")}).size(), 1);
}

SRO_UI_TEST_MAIN(ProgramExitTest)
#include "ProgramExitTest.moc"
