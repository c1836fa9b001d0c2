#pragma once

#include "crawl/http/SocketWait.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Lets one request at a time run on the client.
namespace crawl::http {

class RequestGate {
public:
    // Holds the gate for one request; leaving the scope opens it for the next.
    class Pass {
    public:
        explicit Pass(RequestGate& gate) : gate_(gate) {}
        ~Pass() { gate_.Leave(); }
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;

    private:
        RequestGate& gate_;
    };

    // Waits until no other request runs. A thread that is already inside a request of this
    // client (possible only through the UI-thread hook) is refused with crawl::Error. The UI
    // thread keeps handling its messages while it waits, since the running request may
    // itself be waiting for the UI thread.
    [[nodiscard]] std::unique_ptr<Pass> Enter(const WaitPolicy& policy);

private:
    void Leave();

    std::mutex mutex_;
    std::condition_variable opened_;
    bool busy_ = false;
    std::vector<std::thread::id> inside_; // threads running or waiting to run a request
};

} // namespace crawl::http
