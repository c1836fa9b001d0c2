// The window's controls: geometry, anchors under resizing, texts, fonts and tab order.
#include "tests/ui/qt/FormFixture.h"
#include "tests/ui/qt/TestMain.h"
#include "ui/qt/GradientProgressBar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using ui::MainWindow;

namespace {

using ControlOf = QWidget* (*)(MainWindow&);

// The control that a member of the window points to.
template <auto member>
QWidget* Control(MainWindow& form)
{
    return form.*member;
}

QString TextOf(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* field = qobject_cast<QPlainTextEdit*>(control)) {
        return field->toPlainText();
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(ControlOf)

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAtDesignSize_data();
    void controlsAtDesignSize();
    void resizingMovesAndStretches_data();
    void resizingMovesAndStretches();
    void window();
    void fonts();
    void hiddenIntervalField();
    void textFields();
    void tabOrder();
    void runButtonFrameLightsUpUnderFocus();
};

void LayoutTest::controlsAtDesignSize_data()
{
    QTest::addColumn<ControlOf>("control");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("sizedToText");

    const QString defaultLink = QStringLiteral("https://registry.example.org/sro/322/member/list");
    QTest::newRow("OpenSiteButton")
        << ControlOf(&Control<&MainWindow::OpenSiteButton>) << QRect(8, 8, 286, 29) << true
        << "1. Откройте сайт Registry.example.org" << false;
    QTest::newRow("Label3") << ControlOf(&Control<&MainWindow::Label3>) << QRect(307, 15, 140, 13)
                            << true << "2. Зайдите в карточку СРО" << true;
    QTest::newRow("Button1") << ControlOf(&Control<&MainWindow::Button1>) << QRect(596, 37, 168, 25)
                             << true << "Загрузить ссылки на все СРО" << false;
    QTest::newRow("Label1") << ControlOf(&Control<&MainWindow::Label1>) << QRect(8, 43, 477, 13)
                            << true
                            << "3. Скопируйте ссылку на реестр членов СРО в поле ниже, либо "
                               "загрузите ссылки на все СРО"
                            << true;
    QTest::newRow("UrlsMemo") << ControlOf(&Control<&MainWindow::UrlsMemo>) << QRect(8, 62, 756, 123)
                              << true << defaultLink << false;
    QTest::newRow("Label5") << ControlOf(&Control<&MainWindow::Label5>) << QRect(8, 191, 457, 13)
                            << true
                            << "4. Нажмите кнопку <Старт>, программа обойдет все элементы "
                               "списка и соберет данные"
                            << true;
    QTest::newRow("MobilesCheckBox")
        << ControlOf(&Control<&MainWindow::MobilesCheckBox>) << QRect(8, 210, 311, 20) << true
        << "Выгружать только организации с иобильными номерами" << true;
    QTest::newRow("Label6") << ControlOf(&Control<&MainWindow::Label6>) << QRect(559, 210, 156, 13)
                            << false << "Интервал между запросами, с:" << false;
    QTest::newRow("IntervalSpinEdit") << ControlOf(&Control<&MainWindow::IntervalSpinEdit>)
                                      << QRect(721, 207, 43, 21) << false << "" << false;
    QTest::newRow("StartButton") << ControlOf(&Control<&MainWindow::StartButton>)
                                 << QRect(8, 236, 206, 37) << true << "СТАРТ" << false;
    QTest::newRow("PauseButton") << ControlOf(&Control<&MainWindow::PauseButton>)
                                 << QRect(219, 248, 75, 25) << true << "пауза" << false;
    QTest::newRow("StopButton") << ControlOf(&Control<&MainWindow::StopButton>)
                                << QRect(300, 248, 75, 25) << true << "стоп" << false;
    QTest::newRow("Label2") << ControlOf(&Control<&MainWindow::Label2>) << QRect(8, 279, 24, 13)
                            << true << "Логи" << true;
    QTest::newRow("LogsMemo") << ControlOf(&Control<&MainWindow::LogsMemo>)
                              << QRect(8, 298, 760, 218) << true
                              << "Спасибо, что пользуетесь парсером от сервиса Verdanix!\n"
                              << false;
    QTest::newRow("ProgressBar") << ControlOf(&Control<&MainWindow::ProgressBar>)
                                 << QRect(0, 522, 772, 17) << true << "" << false;
    QTest::newRow("StagesProgressBar") << ControlOf(&Control<&MainWindow::StagesProgressBar>)
                                       << QRect(0, 539, 772, 17) << true << "" << false;
}

void LayoutTest::controlsAtDesignSize()
{
    QFETCH(ControlOf, control);
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    QFETCH(QString, text);
    QFETCH(bool, sizedToText);

    ui::test::FormFixture fixture;
    fixture.Show();
    MainWindow& form = fixture.Window();
    QCOMPARE(form.size(), QSize(772, 556));
    QWidget* widget = control(form);
    if (sizedToText) {
        // Never narrower than designed, and wide enough for its text in the font found.
        QCOMPARE(widget->pos(), geometry.topLeft());
        QCOMPARE(widget->height(), geometry.height());
        QVERIFY(widget->width() >= geometry.width());
        QVERIFY(widget->width() >= widget->sizeHint().width());
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
    QCOMPARE(widget->isVisibleTo(&form), visible);
    // The log view takes its lines in shortly after they are written.
    QTRY_COMPARE(TextOf(widget), text);
}

void LayoutTest::resizingMovesAndStretches_data()
{
    QTest::addColumn<ControlOf>("control");
    QTest::addColumn<QRect>("geometry");

    // The window grows by 100 x 50 pixels.
    QTest::newRow("left, top stays")
        << ControlOf(&Control<&MainWindow::StartButton>) << QRect(8, 236, 206, 37);
    QTest::newRow("top, right moves")
        << ControlOf(&Control<&MainWindow::Button1>) << QRect(696, 37, 168, 25);
    QTest::newRow("hidden field moves too")
        << ControlOf(&Control<&MainWindow::IntervalSpinEdit>) << QRect(821, 207, 43, 21);
    QTest::newRow("link list stretches in width")
        << ControlOf(&Control<&MainWindow::UrlsMemo>) << QRect(8, 62, 856, 123);
    QTest::newRow("log view stretches both ways")
        << ControlOf(&Control<&MainWindow::LogsMemo>) << QRect(8, 298, 860, 268);
    QTest::newRow("upper bar docked at the bottom")
        << ControlOf(&Control<&MainWindow::ProgressBar>) << QRect(0, 572, 872, 17);
    QTest::newRow("lower bar below it")
        << ControlOf(&Control<&MainWindow::StagesProgressBar>) << QRect(0, 589, 872, 17);
}

void LayoutTest::resizingMovesAndStretches()
{
    QFETCH(ControlOf, control);
    QFETCH(QRect, geometry);

    ui::test::FormFixture fixture;
    fixture.Show();
    fixture.Window().resize(872, 606);
    QCOMPARE(control(fixture.Window())->geometry(), geometry);
}

void LayoutTest::window()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    MainWindow& form = fixture.Window();
    QCOMPARE(form.windowTitle(), QStringLiteral("Парсер организаций Registry.example.org"));
    QVERIFY(form.maximumSize().width() > 772 && form.maximumSize().height() > 556);
    QCOMPARE(form.palette().color(QPalette::Window), form.palette().color(QPalette::Button));
    QVERIFY(!form.MobilesCheckBox->isChecked());
}

void LayoutTest::fonts()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    MainWindow& form = fixture.Window();
    const QList<QWidget*> ordinary = {form.OpenSiteButton, form.Label1,      form.UrlsMemo,
                                      form.LogsMemo,       form.PauseButton, form.MobilesCheckBox};
    for (QWidget* control : ordinary) {
        QCOMPARE(QFontInfo(control->font()).pixelSize(), 11);
        QCOMPARE(control->font().families().value(0), QStringLiteral("Tahoma"));
    }
    QCOMPARE(QFontInfo(form.StartButton->font()).pixelSize(), 19);
    // Without Tahoma the fallback is a sans-serif face, never the default serif one.
    const QString family = QFontInfo(form.font()).family();
    QVERIFY2(family == QStringLiteral("Tahoma") || !family.contains(QStringLiteral("Serif")),
             qPrintable(family));
}

void LayoutTest::hiddenIntervalField()
{
    ui::test::FormFixture fixture;
    MainWindow& form = fixture.Window();
    QCOMPARE(form.IntervalSpinEdit->value(), 1);
    QCOMPARE(form.IntervalSpinEdit->minimum(), 0);
    QCOMPARE(form.Form().IntervalSeconds(), 1.0);
}

void LayoutTest::textFields()
{
    ui::test::FormFixture fixture;
    for (QPlainTextEdit* field : {fixture.Window().UrlsMemo, fixture.Window().LogsMemo}) {
        QVERIFY(!field->isReadOnly());
        QCOMPARE(field->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(field->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(field->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
}

// Real key presses, since a text field that takes Tab as a character still sits in the focus
// chain: the chain alone does not show that the keyboard can leave it.
void LayoutTest::tabOrder()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    MainWindow& form = fixture.Window();
    QApplication::setActiveWindow(&form);
    const QList<QWidget*> order = {form.OpenSiteButton, form.StartButton,    form.PauseButton,
                                   form.StopButton,     form.LogsMemo,       form.UrlsMemo,
                                   form.Button1,        form.MobilesCheckBox};
    form.OpenSiteButton->setFocus();
    for (qsizetype step = 1; step <= order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), order[step % order.size()]);
    }
    for (qsizetype step = order.size() - 1; step >= 0; --step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), order[step]);
    }
    QVERIFY(!form.LogsMemo->toPlainText().contains(QLatin1Char('\t')));
    QVERIFY(!form.UrlsMemo->toPlainText().contains(QLatin1Char('\t')));
}

void LayoutTest::runButtonFrameLightsUpUnderFocus()
{
    ui::test::FormFixture fixture;
    fixture.Show();
    MainWindow& form = fixture.Window();
    QApplication::setActiveWindow(&form);
    form.OpenSiteButton->setFocus();
    const QColor plain = form.StartButton->grab().toImage().pixelColor(0, 18);
    form.StartButton->setFocus();
    QVERIFY(form.StartButton->hasFocus());
    const QImage focused = form.StartButton->grab().toImage();
    QVERIFY(focused.pixelColor(0, 18) != plain);
    QCOMPARE(focused.pixelColor(1, 18), focused.pixelColor(0, 18));
    QVERIFY(focused.pixelColor(2, 18) != focused.pixelColor(0, 18));
}

SRO_UI_TEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
