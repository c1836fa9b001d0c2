#include "crawl/platform/OutputFile.h"

#include "crawl/platform/SystemError.h"
#include "crawl/text/Text.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace crawl {

void OutputFile::Create(const std::u16string& path)
{
    Close();
    path_ = path;
    const int descriptor =
        ::open(Utf16ToUtf8(path).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        throw FileError(u"create", path, errno);
    }
    handle_ = descriptor;
}

void OutputFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(u"write", path_, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void OutputFile::Close() noexcept
{
    if (handle_ != NoHandle) {
        ::close(static_cast<int>(handle_));
        handle_ = NoHandle;
    }
}

} // namespace crawl
