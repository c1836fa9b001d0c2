#include "tests/support/RegistryServer.h"

#include "tests/support/ServerExchange.h"
#include "tests/support/ServerTls.h"
#include "tests/support/TestSockets.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <list>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

namespace testsupport {
namespace {

// More connections than this at once are refused (closed at once); a client of ours keeps one.
constexpr std::size_t MaxConnections = 32;
// How often the acceptor looks at the stop flag.
constexpr std::chrono::milliseconds AcceptPollSlice{50};
// After its answer a connection waits this long for the client to close, so that closing
// does not reset the connection while the client still reads.
constexpr std::chrono::milliseconds LingerTime{500};

struct Script {
    std::vector<ScriptedAnswer> answers;
    std::size_t next = 0;
};

struct Worker {
    std::thread thread;
    bool finished = false;
};

void WaitForClientToClose(int socket, const std::atomic<bool>& stopping)
{
    char discard[4096];
    for (auto waited = std::chrono::milliseconds(0); waited < LingerTime && !stopping.load();
         waited += AcceptPollSlice) {
        if (WaitReadable(socket, AcceptPollSlice)) {
            const std::optional<long> received = ReceiveSome(socket, discard, sizeof discard);
            if (received && *received <= 0) {
                return;
            }
        }
    }
}

} // namespace

ScriptedAnswer ScriptedAnswer::Json(std::string body, int status, std::string reason)
{
    ScriptedAnswer answer;
    answer.status = status;
    answer.reason = std::move(reason);
    answer.headers = {{"Content-Type", "application/json; charset=utf-8"},
                      {"Content-Length", std::to_string(body.size())}};
    answer.body = std::move(body);
    return answer;
}

ScriptedAnswer ScriptedAnswer::Redirect(int status, std::string location)
{
    ScriptedAnswer answer;
    answer.status = status;
    answer.reason = "Redirect";
    answer.headers = {{"Location", std::move(location)}, {"Content-Length", "0"}};
    return answer;
}

ScriptedAnswer Delayed(ScriptedAnswer answer, std::chrono::milliseconds delay)
{
    answer.delay = delay;
    return answer;
}

struct RegistryServer::State {
    Tls tls = Tls::On;
    std::unique_ptr<ServerTlsContext> tlsContext;
    int listenSocket = NoSocket;
    int port = 0;
    std::thread acceptor;

    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool stopping = false;
    // Set with `stopping`; read by connection threads without the lock, between their waits.
    std::atomic<bool> stopRequested{false};
    std::map<std::string, Script, std::less<>> scripts;
    Handler handler;
    int handshakesToClose = 0;
    std::vector<RecordedRequest> requests;
    std::set<int> liveSockets;
    std::list<Worker> workers;
    std::size_t connectionCount = 0;

    void AcceptLoop();
    void ReapFinishedWorkers(std::unique_lock<std::mutex>& lock);
    void Serve(int socket, std::size_t connectionNumber);
    void Converse(ServerConnection& connection, std::size_t connectionNumber);
    ScriptedAnswer ChooseAnswer(const RecordedRequest& request);
    bool SleepUnlessStopping(std::chrono::milliseconds delay);
};

void RegistryServer::State::AcceptLoop()
{
    for (;;) {
        const bool ready = WaitReadable(listenSocket, AcceptPollSlice);
        std::unique_lock lock(mutex);
        if (stopping) {
            return;
        }
        ReapFinishedWorkers(lock);
        if (!ready) {
            continue;
        }
        const int socket = AcceptConnection(listenSocket);
        if (socket == NoSocket) {
            continue;
        }
        if (liveSockets.size() >= MaxConnections) {
            CloseSocket(socket);
            continue;
        }
        SetNonBlocking(socket);
        liveSockets.insert(socket);
        const std::size_t number = ++connectionCount;
        Worker& worker = workers.emplace_back();
        worker.thread = std::thread([this, socket, number, &worker] {
            Serve(socket, number);
            std::lock_guard finishedLock(mutex);
            worker.finished = true;
        });
    }
}

void RegistryServer::State::ReapFinishedWorkers(std::unique_lock<std::mutex>& lock)
{
    std::list<Worker> finished;
    for (auto it = workers.begin(); it != workers.end();) {
        auto current = it++;
        if (current->finished) {
            finished.splice(finished.end(), workers, current);
        }
    }
    lock.unlock();
    for (Worker& worker : finished) {
        worker.thread.join();
    }
    lock.lock();
}

void RegistryServer::State::Serve(int socket, std::size_t connectionNumber)
{
    try {
        bool closeHandshake = false;
        {
            std::lock_guard lock(mutex);
            if (handshakesToClose > 0) {
                --handshakesToClose;
                closeHandshake = true;
            }
        }
        if (closeHandshake) {
            ReadTlsRecord(socket, stopRequested);
            ShutdownSending(socket);
        } else {
            const std::unique_ptr<ServerConnection> connection =
                tlsContext ? tlsContext->MakeConnection(socket, stopRequested)
                           : MakePlainConnection(socket, stopRequested);
            if (connection->Accept()) {
                Converse(*connection, connectionNumber);
            }
            connection->FinishSending();
        }
        WaitForClientToClose(socket, stopRequested);
    } catch (const std::exception&) {
        // A connection that could not be set up is simply closed; the client sees that.
    }
    std::lock_guard lock(mutex);
    liveSockets.erase(socket);
    CloseSocket(socket);
}

void RegistryServer::State::Converse(ServerConnection& connection, std::size_t connectionNumber)
{
    std::string pending;
    for (;;) {
        std::optional<RecordedRequest> request = ReadRequest(connection, pending);
        if (!request) {
            return;
        }
        request->received = std::chrono::steady_clock::now();
        request->connection = connectionNumber;
        request->serverName = std::string(connection.ServerName());
        {
            std::lock_guard lock(mutex);
            requests.push_back(*request);
        }
        changed.notify_all();

        ScriptedAnswer answer;
        try {
            answer = ChooseAnswer(*request);
        } catch (const std::exception& error) {
            answer =
                ScriptedAnswer{.status = 500, .reason = "Handler Failed", .body = error.what()};
        }
        if (!SleepUnlessStopping(answer.delay)) {
            return;
        }
        if (answer.misbehaviour == Misbehaviour::NeverAnswer) {
            char discard[4096];
            while (connection.Read(discard, sizeof discard) > 0) {
            }
            return;
        }
        if (!SendAnswer(connection, answer)) {
            return;
        }
    }
}

ScriptedAnswer RegistryServer::State::ChooseAnswer(const RecordedRequest& request)
{
    Handler fallback;
    {
        std::lock_guard lock(mutex);
        const auto found = scripts.find(request.Path());
        if (found != scripts.end() && !found->second.answers.empty()) {
            Script& script = found->second;
            const ScriptedAnswer& answer = script.answers[script.next];
            if (script.next + 1 < script.answers.size()) {
                ++script.next;
            }
            return answer;
        }
        fallback = handler;
    }
    if (fallback) {
        return fallback(request);
    }
    return ScriptedAnswer{
        .status = 404, .reason = "Not Found", .headers = {{"Content-Length", "0"}}};
}

bool RegistryServer::State::SleepUnlessStopping(std::chrono::milliseconds delay)
{
    std::unique_lock lock(mutex);
    return !changed.wait_for(lock, delay, [this] { return stopping; });
}

RegistryServer::RegistryServer(Tls tls, int port) : state_(std::make_unique<State>())
{
    state_->tls = tls;
    if (tls == Tls::On) {
        state_->tlsContext = std::make_unique<ServerTlsContext>();
    }
    const int listenSocket = ListenOnLoopback(port, 16);
    state_->listenSocket = listenSocket;
    state_->port = LocalPort(listenSocket);
    state_->acceptor = std::thread([state = state_.get()] { state->AcceptLoop(); });
}

RegistryServer::~RegistryServer()
{
    Stop();
}

void RegistryServer::Stop()
{
    {
        std::lock_guard lock(state_->mutex);
        if (state_->stopping) {
            return;
        }
        state_->stopping = true;
        state_->stopRequested = true; // every wait of the threads ends within its slice
        // Cuts the open connections, so that their clients see the end at once.
        for (const int socket : state_->liveSockets) {
            ShutdownBoth(socket);
        }
    }
    state_->changed.notify_all();
    state_->acceptor.join();
    CloseSocket(state_->listenSocket);
    std::list<Worker> workers;
    {
        std::lock_guard lock(state_->mutex);
        workers.swap(state_->workers);
    }
    for (Worker& worker : workers) {
        worker.thread.join();
    }
}

int RegistryServer::Port() const
{
    return state_->port;
}

std::string RegistryServer::HostAndPort() const
{
    return "127.0.0.1:" + std::to_string(state_->port);
}

std::string RegistryServer::BaseUrl() const
{
    return (state_->tls == Tls::On ? "https://" : "http://") + HostAndPort();
}

void RegistryServer::Answer(std::string path, ScriptedAnswer answer)
{
    AnswerSequence(std::move(path), {std::move(answer)});
}

void RegistryServer::AnswerSequence(std::string path, std::vector<ScriptedAnswer> answers)
{
    std::lock_guard lock(state_->mutex);
    state_->scripts[std::move(path)] = Script{std::move(answers), 0};
}

void RegistryServer::SetHandler(Handler handler)
{
    std::lock_guard lock(state_->mutex);
    state_->handler = std::move(handler);
}

void RegistryServer::CloseDuringHandshake(int count)
{
    if (state_->tls != Tls::On) {
        throw std::logic_error("CloseDuringHandshake needs a TLS server");
    }
    std::lock_guard lock(state_->mutex);
    state_->handshakesToClose = count;
}

std::vector<RecordedRequest> RegistryServer::Requests() const
{
    std::lock_guard lock(state_->mutex);
    return state_->requests;
}

std::vector<RecordedRequest> RegistryServer::RequestsTo(std::string_view path) const
{
    std::vector<RecordedRequest> matching;
    for (RecordedRequest& request : Requests()) {
        if (request.Path() == path) {
            matching.push_back(std::move(request));
        }
    }
    return matching;
}

bool RegistryServer::WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_for(lock, timeout,
                                    [&] { return state_->requests.size() >= count; });
}

} // namespace testsupport
