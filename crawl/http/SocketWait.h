#pragma once

#include <chrono>
#include <functional>

// How the calling thread waits for the network.
namespace crawl::http {

// A request waits for data at most this long each time (also the TLS socket time-outs).
inline constexpr std::chrono::milliseconds DefaultReadTimeout{30000};
// A connect made on the UI thread gives up after this long.
inline constexpr std::chrono::milliseconds DefaultUiConnectTimeout{120000};
// The UI thread waits in slices of these lengths and handles its messages after each
// slice in which nothing happened.
inline constexpr std::chrono::milliseconds UiConnectSlice{125};
inline constexpr std::chrono::milliseconds UiDataSlice{250};

struct WaitPolicy {
    // Set only for a request on the UI thread: handles the window's pending messages.
    std::function<void()> processMessages;
    std::chrono::milliseconds readTimeout = DefaultReadTimeout;
    std::chrono::milliseconds uiConnectTimeout = DefaultUiConnectTimeout;

    bool OnUiThread() const { return static_cast<bool>(processMessages); }
};

// Returns once `socket` is readable (data or close); throws "Read timed out." when nothing
// came within the read time-out, or a socket error.
void WaitReadable(int socket, const WaitPolicy& policy);

} // namespace crawl::http
