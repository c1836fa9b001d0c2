// The window's own handlers: urls.txt kept across runs of the program, the select-all shortcut,
// the site button, the default error box and the time stamp of log lines.
#include "crawl/Error.h"
#include "tests/ui/FormFixture.h"
#include "tests/ui/ModalBoxWatcher.h"
#include "tests/ui/TestMain.h"
#include "ui/TimeStamp.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void urlsFileRoundTrip_data();
    void urlsFileRoundTrip();
    void newUrlsFileIsUtf8WithoutMark();
    void failedSaveKeepsWindowOpen();
    void selectAll_data();
    void selectAll();
    void openSiteButtonOpensSroList();
    void errorBoxText_data();
    void errorBoxText();
    void uncaughtErrorReachesDefaultErrorBox_data();
    void uncaughtErrorReachesDefaultErrorBox();
    void timeStamp_data();
    void timeStamp();
};

void WindowTest::urlsFileRoundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("saved");

    const QByteArray links = "https://a/sro/1/member/list\r\nhttps://\xD1\x81/sro/2/member/list";
    const QString fieldLinks =
        QStringLiteral("https://a/sro/1/member/list\nhttps://с/sro/2/member/list");
    QTest::newRow("UTF-8 with mark")
        << "\xEF\xBB\xBF" + links << fieldLinks << "\xEF\xBB\xBF" + links;
    QTest::newRow("UTF-8 without mark") << links << fieldLinks << links;
    QTest::newRow("UTF-16 little-endian")
        << QByteArray("\xFF\xFEh\0\r\0\n\0\x41\x04", 10) << QStringLiteral("h\nс")
        << QByteArray("\xFF\xFEh\0\r\0\n\0\x41\x04", 10);
    QTest::newRow("UTF-16 big-endian")
        << QByteArray("\xFE\xFF\0h\0\r\0\n\x04\x41", 10) << QStringLiteral("h\nс")
        << QByteArray("\xFE\xFF\0h\0\r\0\n\x04\x41", 10);
    QTest::newRow("Windows-1251 when not UTF-8")
        << QByteArray("\xCF\xF0\xE8\r\n\xEC\xE5\xF0") << QStringLiteral("При\nмер")
        << QByteArray("\xCF\xF0\xE8\r\n\xEC\xE5\xF0");
    QTest::newRow("every line break becomes CR LF")
        << QByteArray("a\nb\rc\r\nd") << QStringLiteral("a\nb\nc\nd")
        << QByteArray("a\r\nb\r\nc\r\nd");
    QTest::newRow("a break at the end stays, none is added")
        << QByteArray("a\r\n") << QStringLiteral("a\n") << QByteArray("a\r\n");
    QTest::newRow("empty file empties the link list") << QByteArray() << QString() << QByteArray();
}

void WindowTest::urlsFileRoundTrip()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, field);
    QFETCH(QByteArray, saved);

    ui::test::FormFixture fixture;
    fixture.WriteFile(QStringLiteral("urls.txt"), file);
    fixture.Show();
    QCOMPARE(fixture.Form().UrlsMemo->toPlainText(), field);
    QVERIFY(fixture.Form().close());
    QCOMPARE(fixture.ReadFile(QStringLiteral("urls.txt")), saved);
}

void WindowTest::newUrlsFileIsUtf8WithoutMark()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    QCOMPARE(fixture.Form().UrlsMemo->toPlainText(),
             QStringLiteral("https://registry.example.org/sro/322/member/list"));
    fixture.Form().UrlsMemo->appendPlainText(QStringLiteral("ссылка"));
    QVERIFY(fixture.Form().close());
    QCOMPARE(fixture.ReadFile(QStringLiteral("urls.txt")),
             QByteArray("https://registry.example.org/sro/322/member/list\r\n"
                        "\xD1\x81\xD1\x81\xD1\x8B\xD0\xBB\xD0\xBA\xD0\xB0"));
}

void WindowTest::failedSaveKeepsWindowOpen()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    // A folder in the way of urls.txt makes the save fail.
    const QString blocker = fixture.Folder() + QStringLiteral("urls.txt");
    QVERIFY(QDir().mkdir(blocker));
    {
        ui::test::ModalBoxWatcher watcher;
        QVERIFY(!fixture.Form().close());
        QVERIFY(fixture.Form().isVisible());
        QCOMPARE(watcher.Seen().size(), std::size_t{1});
        QCOMPARE(watcher.Seen().front().caption, QStringLiteral("Парсер registry.example.org"));
        QCOMPARE(watcher.Seen().front().icon, QMessageBox::Critical);
        QVERIFY(watcher.Seen().front().text.endsWith(QLatin1Char('.')));
    }
    QVERIFY(QDir().rmdir(blocker));
    QVERIFY(fixture.Form().close());
    QCOMPARE(fixture.ReadFile(QStringLiteral("urls.txt")),
             QByteArray("https://registry.example.org/sro/322/member/list"));
}

void WindowTest::selectAll_data()
{
    QTest::addColumn<bool>("logView");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("selectsAll");

    for (const bool logView : {false, true}) {
        const char* field = logView ? "log view" : "link list";
        QTest::addRow("%s: Ctrl+A", field)
            << logView << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
        QTest::addRow("%s: Ctrl+Shift+A", field)
            << logView << (Qt::ControlModifier | Qt::ShiftModifier) << true;
        QTest::addRow("%s: Ctrl+Alt+A", field)
            << logView << (Qt::ControlModifier | Qt::AltModifier) << true;
        QTest::addRow("%s: A alone", field) << logView << Qt::KeyboardModifiers() << false;
        QTest::addRow("%s: Shift+A", field)
            << logView << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    }
}

void WindowTest::selectAll()
{
    QFETCH(bool, logView);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, selectsAll);

    ui::test::FormFixture fixture;
    fixture.Show();
    QPlainTextEdit* field = logView ? fixture.Form().LogsMemo : fixture.Form().UrlsMemo;
    field->setPlainText(QStringLiteral("first line\nsecond line"));
    field->setFocus();
    // With Ctrl held the keyboard delivers the control character, as X11 does.
    const QString text = modifiers.testFlag(Qt::ControlModifier) ? QStringLiteral("\x01")
                         : modifiers.testFlag(Qt::ShiftModifier) ? QStringLiteral("A")
                                                                 : QStringLiteral("a");
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_A, text, modifiers);
    const QString selected = field->textCursor().selectedText();
    QCOMPARE(selected.size() == field->toPlainText().size(), selectsAll);
}

void WindowTest::openSiteButtonOpensSroList()
{
    ui::test::FormFixture fixture(QStringLiteral("127.0.0.1:8443"));
    fixture.Show();
    QCOMPARE(fixture.Form().OpenSiteButton->text(),
             QStringLiteral("1. Откройте сайт 127.0.0.1:8443"));
    QTest::mouseClick(fixture.Form().OpenSiteButton, Qt::LeftButton);
    QCOMPARE(fixture.Opened(),
             QList<QUrl>{QUrl(QStringLiteral("https://127.0.0.1:8443/sro/list"))});
}

void WindowTest::errorBoxText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("text");

    QTest::newRow("letter gets a full stop") << "Файл не найден"
                                             << "Файл не найден.";
    QTest::newRow("full stop stays single") << "Нет доступа."
                                            << "Нет доступа.";
    QTest::newRow("exclamation mark, lower code") << "Ошибка!"
                                                  << "Ошибка!";
    QTest::newRow("comma, lower code") << "a,"
                                       << "a,";
    QTest::newRow("blank, lower code") << "a "
                                       << "a ";
    QTest::newRow("slash, higher code") << "C:/"
                                        << "C:/.";
    QTest::newRow("closing quote, lower code") << "\"x\""
                                               << "\"x\"";
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void WindowTest::errorBoxText()
{
    QFETCH(QString, message);
    QFETCH(QString, text);
    QCOMPARE(ui::ErrorBoxText(message), text);
}

void WindowTest::uncaughtErrorReachesDefaultErrorBox_data()
{
    QTest::addColumn<bool>("fromHandlerOfOurs");
    QTest::newRow("handler of ours") << true;
    QTest::newRow("caught by the application object") << false;
}

void WindowTest::uncaughtErrorReachesDefaultErrorBox()
{
    QFETCH(bool, fromHandlerOfOurs);
    ui::test::ModalBoxWatcher watcher;
    const auto fail = [] { throw crawl::Error(u"Нет файла urls.txt"); };
    if (fromHandlerOfOurs) {
        QPushButton button;
        connect(&button, &QPushButton::clicked, ui::ShowingErrors(fail));
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
    } else {
        QTimer::singleShot(0, fail);
        QTRY_VERIFY(!watcher.Seen().empty());
    }
    QCOMPARE(watcher.Seen().size(), std::size_t{1});
    QCOMPARE(watcher.Seen().front().caption, QStringLiteral("Парсер registry.example.org"));
    QCOMPARE(watcher.Seen().front().text, QStringLiteral("Нет файла urls.txt."));
    QCOMPARE(watcher.Seen().front().icon, QMessageBox::Critical);
    QCOMPARE(watcher.Seen().front().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void WindowTest::timeStamp_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QDate day(2026, 12, 10);
    QTest::newRow("date, blank, time")
        << QDateTime(day, QTime(9, 5, 7)) << russian << "10.12.2026 09:05:07";
    QTest::newRow("midnight: date alone")
        << QDateTime(day, QTime(0, 0, 0)) << russian << "10.12.2026";
    QTest::newRow("midnight with milliseconds: date alone")
        << QDateTime(day, QTime(0, 0, 0, 999)) << russian << "10.12.2026";
    QTest::newRow("first second after midnight")
        << QDateTime(day, QTime(0, 0, 1)) << russian << "10.12.2026 00:00:01";
    QTest::newRow("the locale's own short date")
        << QDateTime(day, QTime(23, 59, 59)) << QLocale(QLocale::English, QLocale::UnitedStates)
        << "12/10/26 23:59:59";
}

void WindowTest::timeStamp()
{
    QFETCH(QDateTime, moment);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(ui::TimeStampText(moment, locale), text);
    QCOMPARE(ui::TimeStampedLine(moment, locale, QStringLiteral("Начинаем")), text + ": Начинаем");
}

SRO_UI_TEST_MAIN(WindowTest)
#include "WindowTest.moc"
