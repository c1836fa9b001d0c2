// The gradient progress bar: its position held within 0..Max, and how it paints.
#include "ui/qt/GradientProgressBar.h"
#include "tests/ui/qt/TestMain.h"

#include <QImage>

using ui::GradientProgressBar;

namespace {

// Pixel centres lie half a pixel inside the gradient's ends.
bool Near(const QColor& actual, const QColor& expected)
{
    return qAbs(actual.red() - expected.red()) <= 4 &&
           qAbs(actual.green() - expected.green()) <= 4 &&
           qAbs(actual.blue() - expected.blue()) <= 4;
}

} // namespace

class GradientProgressBarTest : public QObject {
    Q_OBJECT

private slots:
    void positionHeldWithinMax_data();
    void positionHeldWithinMax();
    void paintsGradientOverFilledPart();
    void emptyBarShowsWindowBackground();
};

void GradientProgressBarTest::positionHeldWithinMax_data()
{
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("laterMax");
    QTest::addColumn<int>("expectedMax");
    QTest::addColumn<int>("expectedPosition");

    QTest::newRow("within range") << 20 << 7 << 20 << 20 << 7;
    QTest::newRow("above the maximum") << 20 << 25 << 20 << 20 << 20;
    QTest::newRow("below zero") << 20 << -3 << 20 << 20 << 0;
    QTest::newRow("lowering the maximum lowers the position") << 20 << 15 << 10 << 10 << 10;
    QTest::newRow("negative maximum becomes zero") << 20 << 15 << -5 << 0 << 0;
}

void GradientProgressBarTest::positionHeldWithinMax()
{
    QFETCH(int, max);
    QFETCH(int, position);
    QFETCH(int, laterMax);
    QFETCH(int, expectedMax);
    QFETCH(int, expectedPosition);

    GradientProgressBar bar(Qt::black, Qt::white);
    QCOMPARE(bar.Max(), 100);
    QCOMPARE(bar.Position(), 0);
    bar.SetMax(max);
    bar.SetPosition(position);
    bar.SetMax(laterMax);
    QCOMPARE(bar.Max(), expectedMax);
    QCOMPARE(bar.Position(), expectedPosition);
}

void GradientProgressBarTest::paintsGradientOverFilledPart()
{
    const QColor start(0, 128, 0);
    const QColor end(192, 220, 192);
    GradientProgressBar bar(start, end);
    bar.resize(202, 17); // 200 pixels inside the edge
    bar.SetMax(4);
    bar.SetPosition(1);
    const QImage image = bar.grab().toImage();
    const int middle = 8;
    QVERIFY(Near(image.pixelColor(1, middle), start));
    QVERIFY(Near(image.pixelColor(50, middle), end));
    // Smooth: half way along the filled part lies half way between the colours.
    QVERIFY(Near(image.pixelColor(25, middle), QColor(96, 174, 96)));
    QCOMPARE(image.pixelColor(51, middle), bar.palette().color(QPalette::Window));
    QCOMPARE(image.pixelColor(150, middle), bar.palette().color(QPalette::Window));
    // The sunken edge: darker at the top left than the background.
    QVERIFY(image.pixelColor(100, 0).lightness() <
            bar.palette().color(QPalette::Window).lightness());
}

void GradientProgressBarTest::emptyBarShowsWindowBackground()
{
    GradientProgressBar bar(Qt::red, Qt::blue);
    bar.resize(100, 17);
    bar.SetMax(0);
    bar.SetPosition(5);
    const QImage image = bar.grab().toImage();
    for (int x = 1; x < 99; x += 7) {
        QCOMPARE(image.pixelColor(x, 8), bar.palette().color(QPalette::Window));
    }
}

SRO_UI_TEST_MAIN(GradientProgressBarTest)
#include "GradientProgressBarTest.moc"
