#include "crawl/run/Thread.h"

#include "LoopDispatcher.h"

#include <gtest/gtest.h>

#include <future>

namespace crawl {
namespace {

using namespace std::chrono_literals;
constexpr auto Limit = 10s;

// A thread whose Execute is given by the test.
class ProbeThread : public Thread {
public:
    ProbeThread(UiDispatcher& dispatcher, std::function<void(ProbeThread&)> body,
                std::promise<void>* destroyed = nullptr)
        : Thread(dispatcher), body_(std::move(body)), destroyed_(destroyed)
    {
    }
    ~ProbeThread() override
    {
        if (destroyed_ != nullptr) {
            destroyed_->set_value();
        }
    }

    using Thread::Start;
    using Thread::Synchronize;
    using Thread::WaitWhilePaused;

private:
    void Execute() override { body_(*this); }

    std::function<void(ProbeThread&)> body_;
    std::promise<void>* destroyed_;
};

TEST(Thread, KeepsItselfAliveUntilExecuteHasReturned)
{
    runtest::LoopDispatcher dispatcher;
    std::promise<void> release;
    std::promise<void> destroyed;
    auto thread = std::make_shared<ProbeThread>(
        dispatcher, [future = release.get_future().share()](ProbeThread&) { future.wait(); },
        &destroyed);
    thread->Start();
    const std::weak_ptr<ProbeThread> watch = thread;
    thread.reset();
    EXPECT_FALSE(watch.expired()) << "dropped while Execute still runs";
    release.set_value();
    EXPECT_EQ(destroyed.get_future().wait_for(Limit), std::future_status::ready);
}

TEST(Thread, StoresTheErrorThatEndedExecuteAndStartsOnlyOnce)
{
    runtest::LoopDispatcher dispatcher;
    auto thread =
        std::make_shared<ProbeThread>(dispatcher, [](ProbeThread&) { throw Error(u"broken"); });
    EXPECT_FALSE(thread->Finished());
    thread->Start();
    ASSERT_TRUE(thread->WaitUntilFinished(Limit));
    ASSERT_TRUE(thread->FatalException());
    try {
        std::rethrow_exception(thread->FatalException());
    } catch (const Error& error) {
        EXPECT_EQ(error.Message(), u"broken");
    }
    EXPECT_THROW(thread->Start(), Error);
}

TEST(Thread, SynchronizeRunsOnTheUiThreadAndBringsItsErrorBack)
{
    runtest::LoopDispatcher dispatcher;
    bool ranOnUiThread = false;
    std::u16string caught;
    bool closedSeen = false;
    int runsAfterClose = 0;
    auto thread = std::make_shared<ProbeThread>(dispatcher, [&](ProbeThread& self) {
        self.Synchronize([&] { ranOnUiThread = dispatcher.OnLoopThread(); });
        try {
            self.Synchronize([] { throw Error(u"control failed"); });
        } catch (const Error& error) {
            caught = error.Message();
        }
        dispatcher.CloseWindow();
        try {
            self.Synchronize([&] { ++runsAfterClose; });
        } catch (const WindowClosed&) {
            closedSeen = true;
        }
    });
    thread->Start();
    ASSERT_TRUE(thread->WaitUntilFinished(Limit));
    EXPECT_FALSE(thread->FatalException());
    EXPECT_TRUE(ranOnUiThread);
    EXPECT_EQ(caught, u"control failed");
    EXPECT_TRUE(closedSeen);
    EXPECT_EQ(runsAfterClose, 0);
}

// The body passes two safe points and counts how far it got.
struct PauseProbe {
    std::mutex mutex;
    std::condition_variable changed;
    int reached = 0;

    void Reach(int point)
    {
        {
            std::lock_guard lock(mutex);
            reached = point;
        }
        changed.notify_all();
    }
    bool WaitFor(int point)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, Limit, [&] { return reached >= point; });
    }
    int Reached()
    {
        std::lock_guard lock(mutex);
        return reached;
    }
};

TEST(Thread, PausedThreadHaltsAtItsSafePointUntilContinued)
{
    runtest::LoopDispatcher dispatcher;
    PauseProbe probe;
    auto thread = std::make_shared<ProbeThread>(dispatcher, [&](ProbeThread& self) {
        probe.Reach(1);
        self.WaitWhilePaused();
        probe.Reach(2);
    });
    thread->Pause();
    EXPECT_TRUE(thread->IsPaused());
    thread->Start();
    ASSERT_TRUE(probe.WaitFor(1));
    std::this_thread::sleep_for(50ms); // room to run past the safe point if it did not halt
    EXPECT_EQ(probe.Reached(), 1);
    EXPECT_FALSE(thread->Finished());
    thread->Continue();
    EXPECT_FALSE(thread->IsPaused());
    ASSERT_TRUE(thread->WaitUntilFinished(Limit));
    EXPECT_EQ(probe.Reached(), 2);
}

TEST(Thread, TerminateContinuesAPausedThread)
{
    runtest::LoopDispatcher dispatcher;
    bool terminatedSeen = false;
    auto thread = std::make_shared<ProbeThread>(dispatcher, [&](ProbeThread& self) {
        self.WaitWhilePaused();
        terminatedSeen = self.Terminated();
    });
    thread->Pause();
    thread->Start();
    thread->Terminate();
    EXPECT_FALSE(thread->IsPaused());
    ASSERT_TRUE(thread->WaitUntilFinished(Limit));
    EXPECT_TRUE(terminatedSeen);
}

TEST(Thread, AbandonedThreadEndsAtEverySafePointInsteadOfContinuing)
{
    runtest::LoopDispatcher dispatcher;
    int wokenSafePoints = 0;
    int closedSafePoints = 0;
    auto thread = std::make_shared<ProbeThread>(dispatcher, [&](ProbeThread& self) {
        for (int point = 0; point < 2; ++point) {
            try {
                self.WaitWhilePaused();
                ++wokenSafePoints;
            } catch (const WindowClosed&) {
                ++closedSafePoints;
            }
        }
    });
    thread->Pause();
    thread->Start();
    thread->Abandon();
    ASSERT_TRUE(thread->WaitUntilFinished(Limit));
    EXPECT_TRUE(thread->Terminated());
    EXPECT_EQ(wokenSafePoints, 0);
    EXPECT_EQ(closedSafePoints, 2);
}

} // namespace
} // namespace crawl
