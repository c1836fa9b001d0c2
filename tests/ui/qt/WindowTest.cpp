// The Qt window's side of its own handlers: urls.txt through the real text field, key presses
// reaching the select-all shortcut, the site button's click reaching the desktop, a close that
// the window refuses, the default error box, and the regional date and time it renders.
#include "crawl/Error.h"
#include "tests/ui/qt/FormFixture.h"
#include "tests/ui/qt/ModalBoxWatcher.h"
#include "tests/ui/qt/TestMain.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QTimer>

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void urlsFileRoundTrip_data();
    void urlsFileRoundTrip();
    void failedSaveKeepsWindowOpen();
    void selectAll_data();
    void selectAll();
    void openSiteButtonOpensSroList();
    void uncaughtErrorReachesDefaultErrorBox_data();
    void uncaughtErrorReachesDefaultErrorBox();
    void regionalDateAndTime_data();
    void regionalDateAndTime();
};

void WindowTest::urlsFileRoundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("field");

    QTest::newRow("UTF-8 with mark")
        << QByteArray("\xEF\xBB\xBFhttps://a/sro/1/member/list\r\nhttps://\xD1\x81/sro/2")
        << QStringLiteral("https://a/sro/1/member/list\nhttps://с/sro/2");
    QTest::newRow("a break at the end") << QByteArray("a\r\n\r\n") << QStringLiteral("a\n\n");

    // What a plain-text export would change: a no-break space, a line separator, a tab, a
    // character beyond the basic plane; in every encoding that a file can have here.
    const QString unusual = QString::fromUtf16(u"https://a/\u00A0b\u2028c\td\U0001F600\r\nе");
    const QString unusualField = QString(unusual).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const auto encoded = [&](QStringConverter::Encoding encoding, QStringConverter::Flags flags) {
        return QByteArray(QStringEncoder(encoding, flags).encode(unusual));
    };
    QTest::newRow("unusual characters, UTF-8")
        << encoded(QStringConverter::Utf8, QStringConverter::Flag::Default) << unusualField;
    QTest::newRow("unusual characters, UTF-8 with mark")
        << encoded(QStringConverter::Utf8, QStringConverter::Flag::WriteBom) << unusualField;
    QTest::newRow("unusual characters, UTF-16 LE")
        << encoded(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom) << unusualField;
    QTest::newRow("unusual characters, UTF-16 BE")
        << encoded(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom) << unusualField;
}

void WindowTest::urlsFileRoundTrip()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, field);

    ui::test::FormFixture fixture;
    fixture.WriteFile(QStringLiteral("urls.txt"), file);
    fixture.Show();
    QCOMPARE(QString::fromStdU16String(fixture.Window().Text(ui::Control::UrlsMemo)), field);
    QVERIFY(fixture.Window().close());
    QCOMPARE(fixture.ReadFile(QStringLiteral("urls.txt")), file);
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
        QVERIFY(!fixture.Window().close());
        QVERIFY(fixture.Window().isVisible());
        QCOMPARE(watcher.Seen().size(), std::size_t{1});
        QCOMPARE(watcher.Seen().front().caption, QStringLiteral("Парсер registry.example.org"));
        QCOMPARE(watcher.Seen().front().icon, QMessageBox::Critical);
        QVERIFY(watcher.Seen().front().text.endsWith(QLatin1Char('.')));
    }
    QVERIFY(QDir().rmdir(blocker));
    QVERIFY(fixture.Window().close());
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
    QPlainTextEdit* field = logView ? fixture.Window().LogsMemo : fixture.Window().UrlsMemo;
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
    QCOMPARE(fixture.Window().OpenSiteButton->text(),
             QStringLiteral("1. Откройте сайт 127.0.0.1:8443"));
    QTest::mouseClick(fixture.Window().OpenSiteButton, Qt::LeftButton);
    QCOMPARE(fixture.Opened(),
             QList<QUrl>{QUrl(QStringLiteral("https://127.0.0.1:8443/sro/list"))});
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

void WindowTest::regionalDateAndTime_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("date");

    QTest::newRow("Russian") << QLocale(QLocale::Russian, QLocale::Russia) << "10.12.2026";
    QTest::newRow("the locale's own short date")
        << QLocale(QLocale::English, QLocale::UnitedStates) << "12/10/26";
    QTest::newRow("C, no language: as a Russian-language Windows") << QLocale::c() << "10.12.2026";
}

void WindowTest::regionalDateAndTime()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, date);

    const QLocale previous;
    QLocale::setDefault(locale);
    ui::test::FormFixture fixture;
    const ui::LocalMoment moment{2026, 12, 10, 9, 5, 7, 0};
    QCOMPARE(QString::fromStdU16String(fixture.Window().ShortDate(moment)), date);
    QCOMPARE(QString::fromStdU16String(fixture.Window().LongTime(moment)),
             QStringLiteral("09:05:07"));
    QLocale::setDefault(previous);

    const QDateTime before = QDateTime::currentDateTime();
    const ui::LocalMoment now = fixture.Window().Now();
    const QDateTime after = QDateTime::currentDateTime();
    const QDateTime shown(QDate(now.year, now.month, now.day),
                          QTime(now.hour, now.minute, now.second, now.millisecond));
    QVERIFY(before <= shown && shown <= after);
}

SRO_UI_TEST_MAIN(WindowTest)
#include "WindowTest.moc"
