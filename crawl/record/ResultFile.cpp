#include "crawl/record/ResultFile.h"

#include "crawl/Error.h"
#include "crawl/platform/CodePage1251.h"
#include "crawl/platform/TickCount.h"
#include "crawl/record/CsvRow.h"
#include "crawl/text/Text.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace crawl {
namespace {

constexpr std::string_view LineBreak = "\r\n";

// "Cannot <action> file "<path>". <system's text for the error>"
Error FileError(std::u16string_view action, std::u16string_view path, int errorNumber)
{
    std::u16string message = u"Cannot ";
    message.append(action).append(u" file \"").append(path).append(u"\". ");
    message.append(Utf8ToUtf16(std::system_category().message(errorNumber)));
    return Error(std::move(message));
}

} // namespace

std::u16string ResultFile::FileName(std::uint32_t tickCount)
{
    return u"data" + TickCountText(tickCount) + u".csv";
}

std::u16string ResultFile::FullPath(std::u16string_view folder, std::uint32_t tickCount)
{
    return std::u16string(folder) + FileName(tickCount);
}

ResultFile::~ResultFile()
{
    Close();
}

void ResultFile::Create(std::u16string fullPath)
{
    Close();
    const int descriptor =
        ::open(Utf16ToUtf8(fullPath).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        throw FileError(u"create", fullPath, errno);
    }
    descriptor_ = descriptor;
    path_ = std::move(fullPath);
    try {
        WriteLine(HeaderRowText());
    } catch (...) {
        Close();
        throw;
    }
}

void ResultFile::AppendRow(const MemberRecord& record)
{
    WriteLine(RowText(record));
}

void ResultFile::Close() noexcept
{
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

void ResultFile::WriteLine(std::u16string_view text)
{
    // Two writes, the text and then the break, each handed to the file before returning.
    Write(ToCodePage1251(text));
    Write(LineBreak);
}

void ResultFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(u"write", path_, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace crawl
