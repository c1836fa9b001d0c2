#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// A bare TCP listener on 127.0.0.1 for the faults a scripted server cannot show: a peer that
// never speaks (not even TLS), one that resets the connection, a full accept queue.
namespace crawl::http::testing {

class RawListener {
public:
    explicit RawListener(int backlog = 8) : socket_(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(socket_, backlog) != 0 ||
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("listener failed");
        }
        port_ = ntohs(address.sin_port);
    }
    ~RawListener()
    {
        if (resetter_.joinable()) {
            resetter_.join();
        }
        ::close(socket_);
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
            pollfd entry{socket_, POLLIN, 0};
            if (::poll(&entry, 1, 5000) != 1) {
                return;
            }
            const int connection = ::accept(socket_, nullptr, nullptr);
            pollfd data{connection, POLLIN, 0};
            char buffer[4096];
            if (::poll(&data, 1, 200) == 1) {
                [[maybe_unused]] const ssize_t ignored =
                    ::recv(connection, buffer, sizeof buffer, 0);
            }
            [[maybe_unused]] const ssize_t sent =
                ::send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
            if (ending == Ending::Reset) {
                const linger reset{1, 0};
                ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            }
            ::close(connection);
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
    explicit HeldConnection(int port) : socket_(::socket(AF_INET, SOCK_STREAM, 0))
    {
        const timeval limit{2, 0}; // bounds the connect
        ::setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            throw std::runtime_error("connect failed");
        }
    }
    ~HeldConnection() { ::close(socket_); }
    HeldConnection(const HeldConnection&) = delete;
    HeldConnection& operator=(const HeldConnection&) = delete;

private:
    int socket_;
};

} // namespace crawl::http::testing
