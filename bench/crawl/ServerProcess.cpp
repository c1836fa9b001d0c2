#include "bench/crawl/ServerProcess.h"

#include "bench/crawl/BenchRegistry.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace bench {
namespace {

void WriteAll(int descriptor, const std::string& text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t result = ::write(descriptor, text.data() + written, text.size() - written);
        if (result <= 0) {
            return;
        }
        written += static_cast<std::size_t>(result);
    }
}

// Everything the descriptor gives until its writer closes it.
std::string ReadToEnd(int descriptor)
{
    std::string text;
    char buffer[256];
    for (;;) {
        const ssize_t result = ::read(descriptor, buffer, sizeof buffer);
        if (result <= 0) {
            return text;
        }
        text.append(buffer, static_cast<std::size_t>(result));
    }
}

[[noreturn]] void Serve(std::size_t members, int announce, int keepAlive)
{
    {
        testsupport::FakeRegistry registry;
        FillRegistry(registry, members);
        WriteAll(announce, registry.HostAndPort() + "\n" + registry.SroLink(BenchSroId) + "\n");
        ::close(announce);
        char ignored;
        while (::read(keepAlive, &ignored, 1) > 0) {
        }
    }
    ::_exit(0);
}

} // namespace

ServerProcess::ServerProcess(std::size_t members)
{
    int announce[2];
    int keepAlive[2];
    if (::pipe(announce) != 0 || ::pipe(keepAlive) != 0) {
        throw std::runtime_error("pipes for the server process");
    }
    std::fflush(nullptr);
    child_ = ::fork();
    if (child_ < 0) {
        throw std::runtime_error("fork of the server process");
    }
    if (child_ == 0) {
        ::close(announce[0]);
        ::close(keepAlive[1]);
        Serve(members, announce[1], keepAlive[0]);
    }
    ::close(announce[1]);
    ::close(keepAlive[0]);
    keepAlive_ = keepAlive[1];
    const std::string announced = ReadToEnd(announce[0]);
    ::close(announce[0]);
    const std::size_t lineEnd = announced.find('\n');
    if (lineEnd == std::string::npos || announced.back() != '\n') {
        throw std::runtime_error("the server process did not come up");
    }
    hostAndPort_ = announced.substr(0, lineEnd);
    sroLink_ = announced.substr(lineEnd + 1, announced.size() - lineEnd - 2);
}

ServerProcess::~ServerProcess()
{
    ::close(keepAlive_);
    int status = 0;
    ::waitpid(child_, &status, 0);
}

} // namespace bench
