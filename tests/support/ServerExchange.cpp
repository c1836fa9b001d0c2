#include "tests/support/ServerExchange.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace testsupport {
namespace {

// A request head beyond this is not a request of ours; the connection is dropped.
constexpr std::size_t MaxRequestHeadBytes = 1 << 20;
// Longer than any line the client accepts (16,384 characters).
constexpr std::size_t HugeHeaderLineLength = 20000;

bool EqualsIgnoringCase(std::string_view left, std::string_view right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool ReadMore(ServerConnection& connection, std::string& pending)
{
    char buffer[16384];
    const std::size_t received = connection.Read(buffer, sizeof buffer);
    pending.append(buffer, received);
    return received > 0;
}

void ParseHead(std::string_view head, RecordedRequest& request)
{
    std::size_t lineStart = 0;
    bool first = true;
    while (lineStart < head.size()) {
        std::size_t lineEnd = head.find("\r\n", lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = head.size();
        }
        const std::string_view line = head.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        if (first) {
            first = false;
            const std::size_t methodEnd = line.find(' ');
            const std::size_t targetEnd = line.find(' ', methodEnd + 1);
            request.method = std::string(line.substr(0, methodEnd));
            if (methodEnd != std::string_view::npos) {
                request.target = std::string(line.substr(methodEnd + 1, targetEnd - methodEnd - 1));
            }
            if (targetEnd != std::string_view::npos) {
                request.version = std::string(line.substr(targetEnd + 1));
            }
            continue;
        }
        if (line.empty()) {
            continue;
        }
        const std::size_t colon = line.find(':');
        request.headers.emplace_back(std::string(line.substr(0, colon)),
                                     colon == std::string_view::npos
                                         ? std::string()
                                         : std::string(TrimBlanks(line.substr(colon + 1))));
    }
}

std::size_t ContentLength(const RecordedRequest& request)
{
    const std::optional<std::string> value = request.Header("Content-Length");
    std::size_t length = 0;
    if (value) {
        std::from_chars(value->data(), value->data() + value->size(), length);
    }
    return length;
}

std::string StatusLine(const ScriptedAnswer& answer)
{
    return "HTTP/1.1 " + std::to_string(answer.status) + " " + answer.reason + "\r\n";
}

std::string HeaderLines(const HeaderList& headers)
{
    std::string lines;
    for (const auto& [name, value] : headers) {
        lines.append(name).append(": ").append(value).append("\r\n");
    }
    return lines;
}

std::string ChunkSizeLine(std::size_t size)
{
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, size, 16);
    return std::string(digits, result.ptr) + "\r\n";
}

} // namespace

std::optional<std::string> FindHeader(const HeaderList& headers, std::string_view name)
{
    for (const auto& [headerName, value] : headers) {
        if (EqualsIgnoringCase(headerName, name)) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<RecordedRequest> ReadRequest(ServerConnection& connection, std::string& pending)
{
    std::size_t headEnd;
    while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
        if (pending.size() > MaxRequestHeadBytes || !ReadMore(connection, pending)) {
            return std::nullopt;
        }
    }
    headEnd += 4;
    RecordedRequest request;
    ParseHead(std::string_view(pending).substr(0, headEnd), request);
    const std::size_t wanted = headEnd + ContentLength(request);
    while (pending.size() < wanted && ReadMore(connection, pending)) {
    }
    const std::size_t end = std::min(wanted, pending.size());
    request.raw = pending.substr(0, end);
    request.body = pending.substr(headEnd, end - headEnd);
    pending.erase(0, end);
    return request;
}

bool SendAnswer(ServerConnection& connection, const ScriptedAnswer& answer)
{
    if (answer.raw) {
        connection.Write(*answer.raw);
        return false;
    }
    switch (answer.misbehaviour) {
    case Misbehaviour::CloseBeforeStatusLine:
    case Misbehaviour::NeverAnswer:
        return false;
    case Misbehaviour::CloseMidHeader:
        connection.Write(StatusLine(answer) + HeaderLines(answer.headers));
        return false;
    case Misbehaviour::CloseMidChunk: {
        std::string head = StatusLine(answer) + HeaderLines(answer.headers);
        if (!FindHeader(answer.headers, "Transfer-Encoding")) {
            head += "Transfer-Encoding: chunked\r\n";
        }
        // An empty body still announces a chunk: a size of 0 would end the body properly.
        const std::size_t announced = answer.body.empty() ? 16 : answer.body.size();
        connection.Write(head + "\r\n" + ChunkSizeLine(announced) +
                         answer.body.substr(0, answer.body.size() / 2));
        return false;
    }
    case Misbehaviour::HugeHeaderLine:
    case Misbehaviour::None:
        break;
    }
    std::string bytes = StatusLine(answer);
    if (answer.misbehaviour == Misbehaviour::HugeHeaderLine) {
        const std::string name = "X-Filler: ";
        bytes += name + std::string(HugeHeaderLineLength - name.size(), 'x') + "\r\n";
    }
    bytes += HeaderLines(answer.headers) + "\r\n" + answer.body;
    const std::optional<std::string> connectionHeader = FindHeader(answer.headers, "Connection");
    return connection.Write(bytes) && connectionHeader &&
           EqualsIgnoringCase(TrimBlanks(*connectionHeader), "keep-alive");
}

} // namespace testsupport
