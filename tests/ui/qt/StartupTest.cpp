// Start-up in the Qt window: a failed check's real message box, after which the window is gone,
// and the greeting shown in the log view.
#include "tests/ui/qt/FormFixture.h"
#include "tests/ui/qt/ModalBoxWatcher.h"
#include "tests/ui/qt/TestMain.h"
#include "ui/StartupChecks.h"

#include <QDir>
#include <QPlainTextEdit>

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void failedCheckShowsBoxAndEndsWithoutUrlsFile();
    void passedChecksGreetAndLoadUrlsFile();
};

void StartupTest::failedCheckShowsBoxAndEndsWithoutUrlsFile()
{
    QTemporaryDir root;
    const QString folder = root.path() + QStringLiteral("/Temp/");
    QVERIFY(QDir().mkpath(folder));
    QFile urls(folder + QStringLiteral("urls.txt"));
    QVERIFY(urls.open(QIODevice::WriteOnly));
    urls.write("https://registry.example.org/sro/1/member/list");
    urls.close();

    ui::MainFormSettings settings;
    settings.programFolder = folder.toStdU16String();
    settings.executableFolder = settings.programFolder;
    settings.registryHost = u"registry.example.org";
    settings.tlsLibraryFound = [] { return true; };
    ui::MainWindow window(std::move(settings));
    ui::test::ModalBoxWatcher watcher;
    window.show();

    QCOMPARE(watcher.Seen().size(), std::size_t{1});
    const ui::test::SeenMessageBox& box = watcher.Seen().front();
    QCOMPARE(box.caption, QStringLiteral("Внимание!"));
    QCOMPARE(box.text, QString::fromStdU16String(
                           ui::StartupProblemText(ui::StartupProblem::StartedFromTempFolder)));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(window.Form().StartupFailed());
    QVERIFY(!window.isVisible());
    QCOMPARE(window.UrlsMemo->toPlainText(),
             QStringLiteral("https://registry.example.org/sro/322/member/list"));
    QVERIFY(window.LogText().isEmpty());
    window.close();
    QVERIFY(urls.open(QIODevice::ReadOnly));
    QCOMPARE(urls.readAll(), QByteArray("https://registry.example.org/sro/1/member/list"));
}

void StartupTest::passedChecksGreetAndLoadUrlsFile()
{
    ui::test::FormFixture fixture;
    fixture.WriteFile(QStringLiteral("urls.txt"), "https://a/sro/1/member/list\r\nsecond");
    ui::test::ModalBoxWatcher watcher;
    fixture.Show();
    QVERIFY(watcher.Seen().empty());
    QVERIFY(!fixture.Form().StartupFailed());
    // The log view takes its lines in shortly after they are written.
    QTRY_COMPARE(fixture.Window().LogsMemo->toPlainText(),
                 QStringLiteral("Спасибо, что пользуетесь парсером от сервиса Verdanix!\n"));
    QCOMPARE(fixture.Window().UrlsMemo->toPlainText(),
             QStringLiteral("https://a/sro/1/member/list\nsecond"));
}

SRO_UI_TEST_MAIN(StartupTest)
#include "StartupTest.moc"
