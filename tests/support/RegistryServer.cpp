#include "tests/support/RegistryServer.h"

#include "tests/support/ServerExchange.h"
#include "tests/support/ServerTls.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstring>
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
constexpr int AcceptPollMilliseconds = 50;
// After its answer a connection waits this long for the client to close, so that closing
// does not reset the connection while the client still reads.
constexpr int LingerMilliseconds = 500;

struct Script {
    std::vector<ScriptedAnswer> answers;
    std::size_t next = 0;
};

struct Worker {
    std::thread thread;
    bool finished = false;
};

void IgnoreBrokenPipes()
{
    // TLS writes go through write(), which raises SIGPIPE on a connection the client closed.
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

void WaitForClientToClose(int socket)
{
    char discard[4096];
    for (int waited = 0; waited < LingerMilliseconds; waited += AcceptPollMilliseconds) {
        pollfd entry{socket, POLLIN, 0};
        if (poll(&entry, 1, AcceptPollMilliseconds) > 0 &&
            recv(socket, discard, sizeof discard, 0) <= 0) {
            return;
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

struct RegistryServer::State {
    Tls tls = Tls::On;
    std::unique_ptr<ServerTlsContext> tlsContext;
    int listenSocket = -1;
    int port = 0;
    std::thread acceptor;

    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool stopping = false;
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
        pollfd entry{listenSocket, POLLIN, 0};
        const int ready = poll(&entry, 1, AcceptPollMilliseconds);
        std::unique_lock lock(mutex);
        if (stopping) {
            return;
        }
        ReapFinishedWorkers(lock);
        if (ready <= 0) {
            continue;
        }
        const int socket = accept(listenSocket, nullptr, nullptr);
        if (socket < 0) {
            continue;
        }
        if (liveSockets.size() >= MaxConnections) {
            close(socket);
            continue;
        }
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
            ReadTlsRecord(socket);
            shutdown(socket, SHUT_WR);
        } else {
            const std::unique_ptr<ServerConnection> connection =
                tlsContext ? tlsContext->MakeConnection(socket) : MakePlainConnection(socket);
            if (connection->Accept()) {
                Converse(*connection, connectionNumber);
            }
            connection->FinishSending();
        }
        WaitForClientToClose(socket);
    } catch (const std::exception&) {
        // A connection that could not be set up is simply closed; the client sees that.
    }
    std::lock_guard lock(mutex);
    liveSockets.erase(socket);
    close(socket);
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
    IgnoreBrokenPipes();
    state_->tls = tls;
    if (tls == Tls::On) {
        state_->tlsContext = std::make_unique<ServerTlsContext>();
    }
    const int listenSocket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenSocket < 0) {
        throw std::runtime_error(std::string("test server: socket: ") + std::strerror(errno));
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    socklen_t length = sizeof address;
    // A fixed port must be free again at once after a restart, despite lingering connections.
    const int reuse = 1;
    if ((port != 0 &&
         setsockopt(listenSocket, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) != 0) ||
        bind(listenSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listenSocket, 16) != 0 ||
        getsockname(listenSocket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        const std::string reason = std::strerror(errno);
        close(listenSocket);
        throw std::runtime_error("test server: listen on 127.0.0.1: " + reason);
    }
    state_->listenSocket = listenSocket;
    state_->port = ntohs(address.sin_port);
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
        shutdown(state_->listenSocket, SHUT_RDWR); // wakes the acceptor's poll at once
        // Ends every blocking read, write and handshake of the connection threads.
        for (const int socket : state_->liveSockets) {
            shutdown(socket, SHUT_RDWR);
        }
    }
    state_->changed.notify_all();
    state_->acceptor.join();
    close(state_->listenSocket);
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

bool RegistryServer::WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_for(lock, timeout,
                                    [&] { return state_->requests.size() >= count; });
}

} // namespace testsupport
