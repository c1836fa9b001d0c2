#include "ClientTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace crawl::http::testing {
namespace {

constexpr char Refused[] = "A request is already in progress on this client.";

TEST(RequestWait, HookRunsWhileTheUiThreadWaitsAndNeverOnAnotherThread)
{
    for (const Tls tls : {Tls::Off, Tls::On}) {
        RegistryServer server(tls);
        server.Answer("/slow", Delayed(ScriptedAnswer::Json("[1]"), 800ms));
        HttpClient client;
        Prepare(client);
        std::atomic<int> uiRounds = 0;
        client.SetUiThreadHook(std::this_thread::get_id(), [&] { ++uiRounds; });

        EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/slow"), EmptyObjectBody), Succeeds("[1]"));
        EXPECT_GE(uiRounds.load(), 1);

        const int roundsBefore = uiRounds.load();
        PostOutcome workerOutcome;
        std::thread worker(
            [&] { workerOutcome = PostAndCatch(client, UrlOf(server, "/slow"), EmptyObjectBody); });
        worker.join();
        EXPECT_EQ(workerOutcome, Succeeds("[1]"));
        EXPECT_EQ(uiRounds.load(), roundsBefore);
    }
}

TEST(RequestWait, UiThreadWaitForDataIsBoundedByTheReadTimeout)
{
    for (const Tls tls : {Tls::Off, Tls::On}) {
        RegistryServer server(tls);
        ScriptedAnswer silent = ScriptedAnswer::Json("[]");
        silent.misbehaviour = testsupport::Misbehaviour::NeverAnswer;
        server.Answer("/silent", silent);
        HttpClient client;
        Prepare(client);
        client.SetTimeouts({600ms, 5000ms});
        int uiRounds = 0;
        client.SetUiThreadHook(std::this_thread::get_id(), [&] { ++uiRounds; });
        EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/silent"), EmptyObjectBody),
                  Fails("Read timed out."));
        EXPECT_GE(uiRounds, 1);
    }
}

// Holds the answer to "/slow" until the test lets it go (at most 5 s).
struct HeldAnswer {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();

    RegistryServer::Handler Handler()
    {
        return [future = released](const testsupport::RecordedRequest& request) {
            if (request.Path() == "/slow") {
                future.wait_for(5s);
            }
            return ScriptedAnswer::Json("[\"" + request.Path() + "\"]");
        };
    }
};

TEST(RequestWait, SecondThreadWaitsUntilTheFirstRequestHasEnded)
{
    RegistryServer server(Tls::On);
    HeldAnswer held;
    server.SetHandler(held.Handler());
    HttpClient client;
    Prepare(client);
    PostOutcome slow;
    PostOutcome fast;
    std::thread first(
        [&] { slow = PostAndCatch(client, UrlOf(server, "/slow"), EmptyObjectBody); });
    ASSERT_TRUE(server.WaitForRequests(1, 5s));
    std::thread second(
        [&] { fast = PostAndCatch(client, UrlOf(server, "/fast"), EmptyObjectBody); });
    EXPECT_FALSE(server.WaitForRequests(2, 300ms)); // held back while the first runs
    held.release.set_value();
    first.join();
    second.join();
    EXPECT_EQ(slow, Succeeds("[\"/slow\"]"));
    EXPECT_EQ(fast, Succeeds("[\"/fast\"]"));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].Path(), "/fast");
}

TEST(RequestWait, UiThreadWaitingForAWorkerKeepsHandlingMessagesAndRefusesReentry)
{
    RegistryServer server(Tls::Off);
    HeldAnswer held;
    server.SetHandler(held.Handler());
    HttpClient client;
    Prepare(client);
    PostOutcome reentered;
    int rounds = 0;
    // The worker's request can only end once the UI thread has handled a message.
    client.SetUiThreadHook(std::this_thread::get_id(), [&] {
        if (++rounds == 1) {
            reentered = PostAndCatch(client, UrlOf(server, "/other"), EmptyObjectBody);
        } else if (rounds == 2) {
            held.release.set_value();
        }
    });
    PostOutcome worker;
    std::thread workerThread(
        [&] { worker = PostAndCatch(client, UrlOf(server, "/slow"), EmptyObjectBody); });
    ASSERT_TRUE(server.WaitForRequests(1, 5s));
    EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/ui"), EmptyObjectBody), Succeeds("[\"/ui\"]"));
    workerThread.join();
    EXPECT_EQ(worker, Succeeds("[\"/slow\"]"));
    EXPECT_EQ(reentered, Fails(Refused));
    EXPECT_GE(rounds, 2);
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(RequestWait, PostFromTheHookDuringAUiRequestIsRefusedAndTheFirstCompletes)
{
    RegistryServer server(Tls::On);
    server.Answer("/slow", Delayed(ScriptedAnswer::Json("[\"first\"]"), 600ms));
    HttpClient client;
    Prepare(client);
    std::vector<PostOutcome> reentered;
    client.SetUiThreadHook(std::this_thread::get_id(), [&] {
        if (reentered.empty()) {
            client.SetContentType(u"text/plain"); // only later requests see it
            reentered.push_back(PostAndCatch(client, UrlOf(server, "/other"), EmptyObjectBody));
        }
    });
    EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/slow"), EmptyObjectBody),
              Succeeds("[\"first\"]"));
    ASSERT_EQ(reentered.size(), 1u);
    EXPECT_EQ(reentered[0], Fails(Refused));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Header("Content-Type"), "application/json");
}

} // namespace
} // namespace crawl::http::testing
