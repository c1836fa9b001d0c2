// Start-up: the checks of the program's folder, their message boxes, and the greeting.
#include "tests/ui/FormFixture.h"
#include "tests/ui/ModalBoxWatcher.h"
#include "tests/ui/TestMain.h"
#include "ui/StartupChecks.h"

#include <QDir>
#include <QPlainTextEdit>

using ui::StartupProblem;

Q_DECLARE_METATYPE(StartupProblem)

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void checks_data();
    void checks();
    void messageTexts_data();
    void messageTexts();
    void failedCheckShowsBoxAndEndsWithoutUrlsFile();
    void passedChecksGreetAndLoadUrlsFile();
};

void StartupTest::checks_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("tlsAvailable");
    QTest::addColumn<StartupProblem>("problem");

    QTest::newRow("ordinary folder") << "/home/user/parser/" << true << StartupProblem::None;
    QTest::newRow("archive folder")
        << "/tmp/Rar$EXa1.234/" << true << StartupProblem::StartedInsideArchive;
    QTest::newRow("archive folder in lower case is not one")
        << "/home/rar$exa1/" << true << StartupProblem::None;
    QTest::newRow("Temp folder") << "/home/user/Temp/parser/" << true
                                 << StartupProblem::StartedFromTempFolder;
    QTest::newRow("TEMP in capitals") << "/TEMP/" << true << StartupProblem::StartedFromTempFolder;
    QTest::newRow("temp as the last folder")
        << "/home/user/temp/" << true << StartupProblem::StartedFromTempFolder;
    QTest::newRow("temp only as part of a name")
        << "/home/tempo/mytemp/" << true << StartupProblem::None;
    QTest::newRow("archive wins over Temp")
        << "/home/Temp/Rar$EX/" << true << StartupProblem::StartedInsideArchive;
    QTest::newRow("Temp wins over missing TLS")
        << "/Temp/" << false << StartupProblem::StartedFromTempFolder;
    QTest::newRow("TLS library missing")
        << "/opt/parser/" << false << StartupProblem::TlsLibraryMissing;
}

void StartupTest::checks()
{
    QFETCH(QString, folder);
    QFETCH(bool, tlsAvailable);
    QFETCH(StartupProblem, problem);
    QCOMPARE(ui::CheckStartup(folder, tlsAvailable), problem);
}

void StartupTest::messageTexts_data()
{
    QTest::addColumn<StartupProblem>("problem");
    QTest::addColumn<QString>("text");

    const QString extract = "Для корректной работы программы извлеките файлы программы из архива "
                            "в отдельную папку. Это можно сделать, кликнув правой кнопкой мыши на "
                            "архиве и выбрав пункт меню \"Извлечь все\"";
    QTest::newRow("archive") << StartupProblem::StartedInsideArchive
                             << "Вы запустили программу изнутри архива!\r\n" + extract;
    QTest::newRow("temp") << StartupProblem::StartedFromTempFolder
                          << "Программа запущена из временной папки!\r\nСкорее всего, Вы "
                             "запустили программу изнутри архива.\r\n" +
                                 extract;
    QTest::newRow("tls") << StartupProblem::TlsLibraryMissing
                         << "Программа не обнаружила необходимые для работы файлы!\r\nВероятно, "
                            "Вы запустили программу изнутри архива!\r\n" +
                                extract;
}

void StartupTest::messageTexts()
{
    QFETCH(StartupProblem, problem);
    QFETCH(QString, text);
    QCOMPARE(ui::StartupProblemText(problem), text);
}

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
    settings.programFolder = folder;
    settings.registryHost = QStringLiteral("registry.example.org");
    settings.open = [](const QUrl&) {};
    settings.tlsLibraryAvailable = [] { return true; };
    ui::TMainForm form(std::move(settings));
    ui::test::ModalBoxWatcher watcher;
    form.show();

    QCOMPARE(watcher.Seen().size(), std::size_t{1});
    const ui::test::SeenMessageBox& box = watcher.Seen().front();
    QCOMPARE(box.caption, QStringLiteral("Внимание!"));
    QCOMPARE(box.text, ui::StartupProblemText(StartupProblem::StartedFromTempFolder));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(form.StartupFailed());
    QVERIFY(!form.isVisible());
    QCOMPARE(form.UrlsMemo->toPlainText(),
             QStringLiteral("https://registry.example.org/sro/322/member/list"));
    QVERIFY(form.LogText().isEmpty());
    form.close();
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
    QCOMPARE(fixture.Form().LogText(),
             QStringLiteral("Спасибо, что пользуетесь парсером от сервиса Verdanix!\n"));
    QCOMPARE(fixture.Form().UrlsMemo->toPlainText(),
             QStringLiteral("https://a/sro/1/member/list\nsecond"));
}

SRO_UI_TEST_MAIN(StartupTest)
#include "StartupTest.moc"
