// The hand-over: a worker's operation runs on the window's thread while the worker waits; once
// the window has closed, nothing more runs and the worker learns it.
#include "tests/win32/HostWindow.h"
#include "ui/win32/Win32UiDispatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>

namespace ui::win32::test {
namespace {

class DispatcherTest : public testing::Test {
protected:
    // Runs `work` on a worker thread and handles this thread's messages until it has ended.
    template <typename Work>
    void OnWorker(Work work)
    {
        std::future<void> done = std::async(std::launch::async, work);
        for (int i = 0; i < 1000 && done.wait_for(std::chrono::milliseconds(0)) !=
                                        std::future_status::ready;
             ++i) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            PumpDispatcher();
        }
        ASSERT_EQ(done.wait_for(std::chrono::seconds(5)), std::future_status::ready);
        done.get();
    }

    // Handles the host's messages, passing the dispatcher's on as the main window does.
    void PumpDispatcher()
    {
        MSG message;
        while (PeekMessageW(&message, host_.Handle(), 0, 0, PM_REMOVE)) {
            if (message.message == Win32UiDispatcher::RunMessage) {
                dispatcher_.RunPending();
            } else {
                DispatchMessageW(&message);
            }
        }
    }

    HostWindow host_;
    Win32UiDispatcher dispatcher_{host_.Handle()};
    const DWORD uiThread_ = GetCurrentThreadId();
};

TEST_F(DispatcherTest, RunsTheOperationOnTheWindowsThreadAndWaitsForIt)
{
    DWORD ranOn = 0;
    bool returnedAfter = false;
    OnWorker([&] {
        dispatcher_.Invoke([&] { ranOn = GetCurrentThreadId(); });
        returnedAfter = ranOn != 0;
    });
    EXPECT_EQ(ranOn, uiThread_);
    EXPECT_TRUE(returnedAfter);
}

TEST_F(DispatcherTest, CarriesTheOperationsExceptionBackToTheWorker)
{
    OnWorker([&] {
        EXPECT_THROW(dispatcher_.Invoke([] { throw std::runtime_error("disk full"); }),
                     std::runtime_error);
    });
}

TEST_F(DispatcherTest, AfterCloseNothingRunsAndTheWorkerIsTold)
{
    dispatcher_.Close();
    bool ran = false;
    OnWorker([&] { EXPECT_THROW(dispatcher_.Invoke([&] { ran = true; }), crawl::WindowClosed); });
    EXPECT_FALSE(ran);
}

TEST_F(DispatcherTest, ACallWaitingWhenTheWindowClosesNeverRuns)
{
    std::atomic<bool> ran = false;
    std::future<void> worker = std::async(std::launch::async, [&] {
        EXPECT_THROW(dispatcher_.Invoke([&] { ran = true; }), crawl::WindowClosed);
    });
    // The call is posted but this thread handles no message before closing.
    MSG message;
    for (int i = 0; i < 500 && !PeekMessageW(&message, host_.Handle(),
                                             Win32UiDispatcher::RunMessage,
                                             Win32UiDispatcher::RunMessage, PM_NOREMOVE);
         ++i) {
        Sleep(10);
    }
    dispatcher_.Close();
    ASSERT_EQ(worker.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    worker.get();
    PumpDispatcher();
    EXPECT_FALSE(ran);
}

TEST_F(DispatcherTest, AnOperationThatClosesTheWindowIsWaitedForToTheEnd)
{
    bool finished = false;
    OnWorker([&] {
        EXPECT_NO_THROW(dispatcher_.Invoke([&] {
            dispatcher_.Close();
            finished = true;
        }));
        EXPECT_TRUE(finished);
    });
}

TEST_F(DispatcherTest, RefusesACallFromTheWindowsOwnThread)
{
    EXPECT_THROW(dispatcher_.Invoke([] {}), std::logic_error);
}

} // namespace
} // namespace ui::win32::test
