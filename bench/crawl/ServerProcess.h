#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

// The benchmark registry served from a child process, so that the server's own memory (every
// request it records) stays out of the figures of the process under measurement. Create it
// before any thread of the process has started.
namespace bench {

class ServerProcess {
public:
    // Forks; the child serves a registry of BenchMembers(members) over TLS until this object is
    // destroyed. Throws std::runtime_error when the child does not come up.
    explicit ServerProcess(std::size_t members);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    const std::string& HostAndPort() const { return hostAndPort_; }
    // The members-list link of the one SRO.
    const std::string& SroLink() const { return sroLink_; }

private:
    pid_t child_ = -1;
    int keepAlive_ = -1; // the child serves until this end of its pipe closes
    std::string hostAndPort_;
    std::string sroLink_;
};

} // namespace bench
