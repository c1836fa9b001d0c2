#pragma once

#include "tests/support/TestSockets.h"

#include <chrono>
#include <string>
#include <thread>

// A bare TCP listener on 127.0.0.1 for the faults a scripted server cannot show: a peer that
// never speaks (not even TLS), one that resets the connection, a full accept queue.
namespace crawl::http::testing {

class RawListener {
public:
    explicit RawListener(int backlog = 8)
        : socket_(testsupport::ListenOnLoopback(0, backlog)), port_(testsupport::LocalPort(socket_))
    {
    }
    ~RawListener()
    {
        if (resetter_.joinable()) {
            resetter_.join();
        }
        testsupport::CloseSocket(socket_);
    }
    RawListener(const RawListener&) = delete;
    RawListener& operator=(const RawListener&) = delete;

    int Port() const { return port_; }

    enum class Ending { Close, Reset };

    // Accepts one connection (waiting at most 5 s), reads what comes within 200 ms, writes
    // `reply` and closes or resets the connection.
    void ServeNextConnection(std::string reply, Ending ending)
    {
        resetter_ = std::thread([this, reply, ending] {
            using namespace testsupport;
            if (!WaitReadable(socket_, std::chrono::seconds(5))) {
                return;
            }
            const int connection = AcceptConnection(socket_);
            char buffer[4096];
            if (WaitReadable(connection, std::chrono::milliseconds(200))) {
                ReceiveSome(connection, buffer, sizeof buffer);
            }
            SendSome(connection, reply);
            if (ending == Ending::Reset) {
                CloseWithReset(connection);
            } else {
                CloseSocket(connection);
            }
        });
    }

private:
    int socket_;
    int port_ = 0;
    std::thread resetter_;
};

// A TCP connection made and held open by the test itself (fills an accept queue).
class HeldConnection {
public:
    explicit HeldConnection(int port)
        : socket_(testsupport::ConnectToLoopback(port, std::chrono::seconds(2)))
    {
    }
    ~HeldConnection() { testsupport::CloseSocket(socket_); }
    HeldConnection(const HeldConnection&) = delete;
    HeldConnection& operator=(const HeldConnection&) = delete;

private:
    int socket_;
};

} // namespace crawl::http::testing
