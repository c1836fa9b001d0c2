#pragma once

#include <chrono>
#include <functional>

// How the calling thread waits for the network.
namespace crawl::http {

// The UI thread waits in slices of these lengths and handles its messages after each
// slice in which nothing happened.
inline constexpr std::chrono::milliseconds UiConnectSlice{125};
inline constexpr std::chrono::milliseconds UiDataSlice{250};

struct WaitPolicy {
    // Set only for a request on the UI thread: handles the window's pending messages.
    std::function<void()> processMessages;
    // The limits of the client's HttpTimeouts.
    std::chrono::milliseconds readTimeout{};
    std::chrono::milliseconds uiConnectTimeout{};

    bool OnUiThread() const { return static_cast<bool>(processMessages); }
};

// Returns once `socket` is readable (data or close); throws "Read timed out." when nothing
// came within the read time-out, or a socket error.
void WaitReadable(int socket, const WaitPolicy& policy);

} // namespace crawl::http
