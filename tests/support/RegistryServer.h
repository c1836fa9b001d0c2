#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// An HTTP(S) server on 127.0.0.1 that tests script: it records every request and answers
// each path with scripted answers, including answers that break the protocol on purpose.
namespace testsupport {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// Case-insensitive lookup of the first header of that name.
std::optional<std::string> FindHeader(const HeaderList& headers, std::string_view name);

struct RecordedRequest {
    std::string raw{}; // head and body exactly as received
    std::string method{};
    std::string target{}; // as on the request line, query included
    std::string version{};
    HeaderList headers{};
    std::string body{};
    std::size_t connection = 0; // 1-based number of the connection that carried it
    std::string serverName{};   // TLS server name indication; empty on plain HTTP
    std::chrono::steady_clock::time_point received{}; // when the whole request had been read

    std::optional<std::string> Header(std::string_view name) const
    {
        return FindHeader(headers, name);
    }
    std::string Path() const { return target.substr(0, target.find('?')); }
};

enum class Misbehaviour {
    None,
    CloseBeforeStatusLine, // read the request, then close without a byte
    CloseMidHeader,        // status line and every header line, no empty line, then close
    CloseMidChunk,         // chunked head, chunk size line and half the body, then close
    HugeHeaderLine,        // an extra 20,000-character header line before the answer's own
    NeverAnswer,           // read the request, then stay silent until the client closes
};

// Formed as the status line "HTTP/1.1 <status> <reason>", the headers and the body.
struct ScriptedAnswer {
    int status = 200;
    std::string reason = "OK";
    HeaderList headers{}; // sent as given, in this order; nothing is added
    std::string body{};
    std::chrono::milliseconds delay{0}; // after the request has been read
    std::optional<std::string> raw{};   // these exact bytes instead of a formed answer
    Misbehaviour misbehaviour = Misbehaviour::None;

    // Content-Type "application/json; charset=utf-8" and the matching Content-Length.
    static ScriptedAnswer Json(std::string body, int status = 200, std::string reason = "OK");
    // A redirect to `location` with an empty body (Content-Length 0).
    static ScriptedAnswer Redirect(int status, std::string location);
};

// `answer`, sent `delay` after the request has been read.
ScriptedAnswer Delayed(ScriptedAnswer answer, std::chrono::milliseconds delay);

// After each answer the connection is closed, unless the answer carries the header
// "Connection: keep-alive": then the next request is read from the same connection.
class RegistryServer {
public:
    enum class Tls { Off, On };
    using Handler = std::function<ScriptedAnswer(const RecordedRequest&)>;

    // Listens on `port`, or on an ephemeral port when it is 0; with Tls::On it presents a
    // self-signed certificate made at start. Throws std::runtime_error when the socket or the
    // certificate cannot be made.
    explicit RegistryServer(Tls tls = Tls::On, int port = 0);
    ~RegistryServer();
    RegistryServer(const RegistryServer&) = delete;
    RegistryServer& operator=(const RegistryServer&) = delete;

    int Port() const;
    std::string HostAndPort() const; // "127.0.0.1:<port>"
    std::string BaseUrl() const;     // "https://127.0.0.1:<port>" or "http://..."

    // Every request whose path (target without query) is `path` gets this answer.
    void Answer(std::string path, ScriptedAnswer answer);
    // Requests to `path` get these answers one after another; the last one repeats.
    void AnswerSequence(std::string path, std::vector<ScriptedAnswer> answers);
    // Answers requests that no scripted path matches (by default 404 Not Found).
    void SetHandler(Handler handler);
    // The next `count` connections are closed after their TLS ClientHello has arrived,
    // before it is answered. Only for Tls::On (throws std::logic_error otherwise); it is
    // set per connection because the request path is unknown before the handshake.
    void CloseDuringHandshake(int count);

    std::vector<RecordedRequest> Requests() const;
    // The requests to `path` (the target without its query), oldest first.
    std::vector<RecordedRequest> RequestsTo(std::string_view path) const;
    // True once at least `count` requests have been recorded, false after `timeout`.
    bool WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

    // Stops accepting, cuts every open connection and joins all threads. Idempotent.
    void Stop();

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace testsupport
