// The hand-over of the worker's operations onto the window's thread.
#include "crawl/Error.h"
#include "tests/ui/qt/TestMain.h"
#include "ui/qt/QtUiDispatcher.h"

#include <QThread>

#include <atomic>
#include <stdexcept>
#include <thread>

using crawl::WindowClosed;
using ui::QtUiDispatcher;

namespace {

// Runs `body` on a worker thread while the UI thread handles events, for at most 5 s.
template <typename Body>
void OnWorker(Body body)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        body();
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done.load(), 5000);
    worker.join();
}

} // namespace

class DispatcherTest : public QObject {
    Q_OBJECT

private slots:
    void runsOnWindowThreadAndWaits();
    void carriesExceptionBack();
    void closedWindowIsNotTouched();
    void closeReleasesQueuedCall();
    void operationUnderWayFinishesAcrossClose();
    void callFromWindowThreadIsRefused();
};

void DispatcherTest::runsOnWindowThreadAndWaits()
{
    QObject window;
    QtUiDispatcher dispatcher(&window);
    QThread* ranOn = nullptr;
    int value = 0;
    int valueAtReturn = 0;
    OnWorker([&] {
        dispatcher.Invoke([&] {
            ranOn = QThread::currentThread();
            value = 42;
        });
        valueAtReturn = value;
    });
    QCOMPARE(ranOn, window.thread());
    // Invoke returned only after the operation had finished.
    QCOMPARE(valueAtReturn, 42);
}

void DispatcherTest::carriesExceptionBack()
{
    QObject window;
    QtUiDispatcher dispatcher(&window);
    std::u16string message;
    OnWorker([&] {
        try {
            dispatcher.Invoke([] { throw crawl::Error(u"не записан"); });
        } catch (const crawl::Error& error) {
            message = error.Message();
        }
    });
    QCOMPARE(message, std::u16string(u"не записан"));
}

void DispatcherTest::closedWindowIsNotTouched()
{
    QObject window;
    QtUiDispatcher dispatcher(&window);
    dispatcher.Close();
    bool ran = false;
    bool closed = false;
    OnWorker([&] {
        try {
            dispatcher.Invoke([&] { ran = true; });
        } catch (const WindowClosed&) {
            closed = true;
        }
    });
    QCoreApplication::processEvents();
    QVERIFY(closed);
    QVERIFY(!ran);
}

void DispatcherTest::closeReleasesQueuedCall()
{
    QObject window;
    QtUiDispatcher dispatcher(&window);
    std::atomic<bool> posted{false};
    std::atomic<bool> closed{false};
    bool ran = false;
    std::thread worker([&] {
        try {
            posted = true;
            dispatcher.Invoke([&] { ran = true; });
        } catch (const WindowClosed&) {
            closed = true;
        }
    });
    // The UI thread closes the window without handling the queued call first.
    for (int i = 0; i < 500 && !posted; ++i) {
        QThread::msleep(1);
    }
    QThread::msleep(20);
    dispatcher.Close();
    worker.join();
    QCoreApplication::processEvents();
    QVERIFY(closed);
    QVERIFY(!ran);
}

void DispatcherTest::operationUnderWayFinishesAcrossClose()
{
    QObject window;
    QtUiDispatcher dispatcher(&window);
    bool finished = false;
    bool threwClosed = false;
    OnWorker([&] {
        dispatcher.Invoke([&] {
            // The window closes while the operation handles pending events.
            dispatcher.Close();
            finished = true;
        });
        try {
            dispatcher.Invoke([] {});
        } catch (const WindowClosed&) {
            threwClosed = true;
        }
    });
    QVERIFY(finished);
    QVERIFY(threwClosed);
}

void DispatcherTest::callFromWindowThreadIsRefused()
{
    QObject window;
    QtUiDispatcher dispatcher(&window);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, dispatcher.Invoke([] {}));
}

SRO_UI_TEST_MAIN(DispatcherTest)
#include "DispatcherTest.moc"
