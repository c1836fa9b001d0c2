#include "crawl/http/HttpClient.h"

#include "crawl/http/RequestExchange.h"
#include "crawl/http/RequestGate.h"
#include "crawl/http/RequestHead.h"

#include <mutex>

namespace crawl::http {

struct HttpClient::State {
    // Guards the settings: they may be changed from any thread at any time.
    std::mutex settingsMutex;
    RequestContentType contentType;
    std::u16string userAgent = u"Mozilla/3.0 (compatible; Indy Library)";
    std::thread::id uiThread;
    std::function<void()> processMessages;
    HttpTimeouts timeouts;

    RequestGate gate;
    RequestExchange exchange; // used only by the request that holds the gate
};

HttpClient::HttpClient() : state_(std::make_unique<State>())
{
}

HttpClient::~HttpClient() = default;

void HttpClient::SetHTTPOptions(HttpOptions)
{
}

void HttpClient::SetContentType(std::u16string_view contentType)
{
    const std::lock_guard lock(state_->settingsMutex);
    state_->contentType.Set(contentType);
}

void HttpClient::SetUserAgent(std::u16string_view userAgent)
{
    const std::lock_guard lock(state_->settingsMutex);
    state_->userAgent = userAgent;
}

void HttpClient::SetUiThreadHook(std::thread::id uiThread, std::function<void()> processMessages)
{
    const std::lock_guard lock(state_->settingsMutex);
    state_->uiThread = uiThread;
    state_->processMessages = std::move(processMessages);
}

void HttpClient::SetTimeouts(HttpTimeouts timeouts)
{
    const std::lock_guard lock(state_->settingsMutex);
    state_->timeouts = timeouts;
}

std::u16string HttpClient::Post(std::u16string_view url, const std::vector<std::u16string>& lines)
{
    WaitPolicy policy;
    {
        const std::lock_guard lock(state_->settingsMutex);
        if (state_->processMessages && std::this_thread::get_id() == state_->uiThread) {
            policy.processMessages = state_->processMessages;
        }
        policy.readTimeout = state_->timeouts.read;
        policy.uiConnectTimeout = state_->timeouts.uiConnect;
    }
    const auto pass = state_->gate.Enter(policy);
    // The settings of this request are taken once it runs: a caller that changes them
    // later changes only the requests that start after it.
    RequestSettings settings;
    {
        const std::lock_guard lock(state_->settingsMutex);
        settings.contentType = state_->contentType.HeaderValue();
        settings.userAgent = state_->userAgent;
    }
    return state_->exchange.Post(url, BuildBody(lines), settings, policy);
}

} // namespace crawl::http
