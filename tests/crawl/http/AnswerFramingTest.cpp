#include "ClientTestSupport.h"

#include "crawl/http/AnswerBody.h"
#include "crawl/http/AnswerHead.h"
#include "crawl/http/MemoryTransport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace crawl::http::testing {
namespace {

using testsupport::Misbehaviour;

struct FramingCase {
    const char* name;
    std::string answer; // raw bytes, then the close
    std::string body;   // the body the reader takes, or the error message
};

const FramingCase FramingCases[] = {
    {"chunked",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
     "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\nAFTER",
     "hello world"},
    {"chunked named among other codings, extensions and trailers",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: identity, CHUNKED\r\nContent-Length: 1\r\n\r\n"
     "A;ext=1\r\n0123456789\r\n0\r\nTrailer: x\r\n\r\n",
     "0123456789"},
    {"chunked cut short", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\nhalf",
     "Connection Closed Gracefully."},
    {"chunked without its last chunk",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\n",
     "Connection Closed Gracefully."},
    {"chunk size that is not a number",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nab\r\n0\r\n\r\n",
     "Invalid chunk size."},
    {"content length exact", "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabcdef", "abc"},
    {"content length 100, 60 bytes arrive",
     "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n" + std::string(60, 'x'), std::string(60, 'x')},
    {"content length 0", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\nignored", ""},
    {"until the close", "HTTP/1.0 200 OK\r\nContent-Type: application/json\r\n\r\n{\"a\":\n1}",
     "{\"a\":\n1}"},
    {"multipart up to its closing boundary",
     "HTTP/1.1 200 OK\r\nContent-Type: multipart/mixed; boundary=\"XY\"\r\n\r\n"
     "--XY\r\nContent-Type: text/plain\r\n\r\npart\r\n--XY--\r\nepilogue",
     "--XY\r\nContent-Type: text/plain\r\n\r\npart\r\n--XY--\r\n"},
    {"multipart with LF-only lines kept as they came",
     "HTTP/1.1 200 OK\nContent-Type: Multipart/Form-Data; boundary=b\n\n--b\nx\n--b--\nrest",
     "--b\nx\n--b--\n"},
    {"multipart cut short",
     "HTTP/1.1 200 OK\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\npar",
     "--b\r\npar"},
    {"LF-only line ends", "HTTP/1.1 200 OK\nContent-Length: 2\n\nok", "ok"},
    {"close among the headers", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nX-Cut: hal", ""},
    {"close before the status line", "", "Connection Closed Gracefully."},
    {"close in the status line", "HTTP/1.1 20", "Connection Closed Gracefully."},
};

std::string ReadFramed(const std::string& answer, std::size_t pieceSize)
{
    MemoryTransport transport(answer, pieceSize);
    InputBuffer input(transport);
    std::string result;
    const std::string failure = FailureOf([&] {
        const AnswerHead head = ReadAnswerHead(input);
        result = ReadAnswerBody(input, head);
    });
    return failure == "(no error)" ? result : failure;
}

TEST(AnswerFraming, BodyIsFramedByItsHeadersWhateverPiecesArrive)
{
    for (const FramingCase& testCase : FramingCases) {
        for (const std::size_t pieceSize : {std::size_t(1), std::size_t(7), std::size_t(4096)}) {
            EXPECT_EQ(ReadFramed(testCase.answer, pieceSize), testCase.body)
                << testCase.name << ", pieces of " << pieceSize;
        }
    }
}

TEST(AnswerFraming, LinesUpTo16384CharactersAreRead)
{
    const struct {
        const char* name;
        std::string answer;
        std::string body;
    } cases[] = {
        {"status line at the limit",
         "HTTP/1.1 200 " + std::string(16384 - 13, 'x') + "\r\nContent-Length: 2\r\n\r\nok", "ok"},
        {"status line over the limit",
         "HTTP/1.1 200 " + std::string(16385 - 13, 'x') + "\r\nContent-Length: 2\r\n\r\nok",
         "Max line length exceeded."},
        {"header line at the limit without CR",
         "HTTP/1.1 200 OK\nX: " + std::string(16384 - 3, 'y') + "\nContent-Length: 2\n\nok", "ok"},
        {"header line over the limit",
         "HTTP/1.1 200 OK\r\nX: " + std::string(16385 - 3, 'y') + "\r\n\r\nok",
         "Max line length exceeded."},
        {"endless line", "HTTP/1.1 200 OK\r\nX: " + std::string(100000, 'z'),
         "Max line length exceeded."},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(ReadFramed(testCase.answer, 1000), testCase.body) << testCase.name;
    }
}

// The size of the body the reader takes, or the message of its error.
std::string BodySizeOrFailure(const std::string& answer)
{
    MemoryTransport transport(answer, 16384);
    InputBuffer input(transport);
    std::size_t size = 0;
    const std::string failure = FailureOf([&] {
        const AnswerHead head = ReadAnswerHead(input);
        size = ReadAnswerBody(input, head).size();
    });
    return failure == "(no error)" ? std::to_string(size) + " bytes" : failure;
}

// `count` lines of `length` characters, each a header of its own or, `folded`, each
// continuing the previous one.
std::string HeaderLines(std::size_t count, std::size_t length, bool folded = false)
{
    const std::string line = (folded ? "   " : "X: ") + std::string(length - 3, 'h') + "\r\n";
    std::string lines;
    for (std::size_t i = 0; i < count; ++i) {
        lines += line;
    }
    return lines;
}

TEST(AnswerFraming, BoundsWhatOneAnswerMayBring)
{
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    const std::string twoBytes = "Content-Length: 2\r\n\r\nok";
    const std::string sixteenMiB(std::size_t(16) << 20, 'c');
    // Made one at a time: the bodies are tens of MiB each.
    const struct {
        const char* name;
        std::function<std::string()> answer;
        std::string outcome;
    } cases[] = {
        {"header lines up to the bound",
         [&] { return ok + HeaderLines(MaxHeaderLines - 1, 10) + twoBytes; }, "2 bytes"},
        {"one header line too many",
         [&] { return ok + HeaderLines(MaxHeaderLines, 10) + twoBytes; }, "Too many header lines."},
        {"folded lines count",
         [&] { return ok + "X: a\r\n" + HeaderLines(MaxHeaderLines, 10, true) + twoBytes; },
         "Too many header lines."},
        {"header bytes near the bound",
         [&] {
             return ok + HeaderLines(MaxHeaderBytes / MaxLineLength - 1, MaxLineLength) + twoBytes;
         },
         "2 bytes"},
        {"header bytes beyond the bound",
         [&] { return ok + HeaderLines(MaxHeaderBytes / MaxLineLength, MaxLineLength) + twoBytes; },
         "Answer header too large."},
        {"announced length at the bound",
         [&] {
             return ok + "Content-Length: " + std::to_string(MaxBodyBytes) + "\r\n\r\n" +
                    std::string(MaxBodyBytes, 'b');
         },
         std::to_string(MaxBodyBytes) + " bytes"},
        {"announced length beyond the bound",
         [&] { return ok + "Content-Length: " + std::to_string(MaxBodyBytes + 1) + "\r\n\r\nab"; },
         "Answer body too large."},
        {"announced length beyond any number",
         [&] { return ok + "Content-Length: 99999999999999999999999\r\n\r\nab"; },
         "Answer body too large."},
        {"chunks beyond the bound",
         [&] {
             return ok + "Transfer-Encoding: chunked\r\n\r\n1000000\r\n" + sixteenMiB +
                    "\r\n1000001\r\n" + sixteenMiB + "c\r\n0\r\n\r\n";
         },
         "Answer body too large."},
        {"until the close at the bound",
         [&] { return ok + "\r\n" + std::string(MaxBodyBytes, 'b'); },
         std::to_string(MaxBodyBytes) + " bytes"},
        {"until the close beyond the bound",
         [&] { return ok + "\r\n" + std::string(MaxBodyBytes + 1, 'b'); },
         "Answer body too large."},
        {"multipart line beyond the bound",
         [&] {
             return ok + "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n" +
                    std::string(MaxBodyBytes, 'm');
         },
         "Answer body too large."},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(BodySizeOrFailure(testCase.answer()), testCase.outcome) << testCase.name;
    }
}

TEST(AnswerFraming, HeadLinesAreAsciiAndHeadersAreFoundWhateverTheirCase)
{
    MemoryTransport transport("HTTP/1.1 404 N\xc3\xb6t\r\ncontent-TYPE:  a/b \r\n"
                              "Set-Cookie: a=1\r\n folded\r\nset-cookie: b=2\r\n\r\n");
    InputBuffer input(transport);
    const AnswerHead head = ReadAnswerHead(input);
    EXPECT_EQ(head.statusLine, u"HTTP/1.1 404 N\uFFFD\uFFFDt");
    EXPECT_EQ(head.statusCode, 404);
    EXPECT_EQ(head.Value(u"Content-Type"), u"a/b");
    EXPECT_EQ(head.Values(u"Set-Cookie"), (std::vector<std::u16string>{u"a=1 folded", u"b=2"}));
}

struct MisbehaviourCase {
    const char* name;
    Misbehaviour misbehaviour;
    PostOutcome outcome;
};

class ServerMisbehaviour : public ::testing::TestWithParam<std::tuple<Tls, MisbehaviourCase>> {};

TEST_P(ServerMisbehaviour, EndsWithItsMessage)
{
    const auto& [tls, testCase] = GetParam();
    RegistryServer server(tls);
    ScriptedAnswer answer = ScriptedAnswer::Json("{\"data\":[1,2,3]}");
    answer.misbehaviour = testCase.misbehaviour;
    server.Answer("/x", answer);
    HttpClient client;
    Prepare(client);
    client.SetTimeouts({300ms, 5000ms});
    EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/x"), EmptyObjectBody), testCase.outcome);
}

const MisbehaviourCase MisbehaviourCases[] = {
    {"CloseBeforeStatusLine", Misbehaviour::CloseBeforeStatusLine,
     Fails("Connection Closed Gracefully.")},
    {"CloseMidHeader", Misbehaviour::CloseMidHeader, Succeeds("")},
    {"CloseMidChunk", Misbehaviour::CloseMidChunk, Fails("Connection Closed Gracefully.")},
    {"HugeHeaderLine", Misbehaviour::HugeHeaderLine, Fails("Max line length exceeded.")},
    {"NeverAnswer", Misbehaviour::NeverAnswer, Fails("Read timed out.")},
};

INSTANTIATE_TEST_SUITE_P(PlainAndTls, ServerMisbehaviour,
                         ::testing::Combine(::testing::Values(Tls::Off, Tls::On),
                                            ::testing::ValuesIn(MisbehaviourCases)),
                         [](const auto& testInfo) {
                             return std::string(std::get<0>(testInfo.param) == Tls::On ? "Tls_"
                                                                                       : "Plain_") +
                                    std::get<1>(testInfo.param).name;
                         });

} // namespace
} // namespace crawl::http::testing
