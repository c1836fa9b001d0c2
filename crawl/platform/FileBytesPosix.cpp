#include "crawl/platform/FileBytes.h"

#include "crawl/platform/SystemError.h"
#include "crawl/text/Text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace crawl {

bool IsRegularFile(const std::u16string& path)
{
    struct stat status {};
    return ::stat(Utf16ToUtf8(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string ReadFileBytes(const std::u16string& path)
{
    const int descriptor = ::open(Utf16ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        throw FileError(u"open", path, errno);
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            ::close(descriptor);
            throw FileError(u"open", path, error);
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return bytes;
}

void WriteFileBytes(const std::u16string& path, std::string_view bytes)
{
    const int descriptor =
        ::open(Utf16ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        throw FileError(u"create", path, errno);
    }
    while (!bytes.empty()) {
        const ssize_t put = ::write(descriptor, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            const int error = errno;
            ::close(descriptor);
            throw FileError(u"write", path, error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    if (::close(descriptor) != 0) {
        throw FileError(u"write", path, errno);
    }
}

} // namespace crawl
