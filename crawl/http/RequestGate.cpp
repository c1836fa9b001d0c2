#include "crawl/http/RequestGate.h"

#include "crawl/Error.h"

#include <algorithm>

namespace crawl::http {
namespace {

// The UI thread handles its messages this often while another thread's request runs.
constexpr std::chrono::milliseconds GateSlice = UiDataSlice;

} // namespace

std::unique_ptr<RequestGate::Pass> RequestGate::Enter(const WaitPolicy& policy)
{
    const std::thread::id self = std::this_thread::get_id();
    std::unique_lock lock(mutex_);
    if (std::find(inside_.begin(), inside_.end(), self) != inside_.end()) {
        throw Error(u"A request is already in progress on this client.");
    }
    inside_.push_back(self);
    const auto stopWaiting = [this, self] {
        inside_.erase(std::find(inside_.begin(), inside_.end(), self));
    };
    try {
        while (busy_) {
            if (!policy.OnUiThread()) {
                opened_.wait(lock, [this] { return !busy_; });
                break;
            }
            if (opened_.wait_for(lock, GateSlice, [this] { return !busy_; })) {
                break;
            }
            lock.unlock();
            policy.processMessages();
            lock.lock();
        }
    } catch (...) {
        if (!lock.owns_lock()) {
            lock.lock();
        }
        stopWaiting();
        throw;
    }
    busy_ = true;
    return std::make_unique<Pass>(*this);
}

void RequestGate::Leave()
{
    const std::lock_guard lock(mutex_);
    busy_ = false;
    inside_.erase(std::find(inside_.begin(), inside_.end(), std::this_thread::get_id()));
    opened_.notify_all();
}

} // namespace crawl::http
