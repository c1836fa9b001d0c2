#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A file of the program's output, created anew (a file of that name is replaced) and open for
// reading and writing; while it is open other programs may read it but not write it, where the
// platform can say so (Windows). Each platform in a file of its own.
namespace crawl {

class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile() { Close(); }

    // Throws crawl::Error "Cannot create file "<path>". <system's text>".
    void Create(const std::u16string& path);
    bool IsOpen() const noexcept { return handle_ != NoHandle; }
    // Hands every byte to the file before returning (nothing is buffered here). Throws
    // crawl::Error "Cannot write file "<path>". <system's text>", also when the file is closed.
    void Write(std::string_view bytes);
    // Safe to call more than once.
    void Close() noexcept;

private:
    // A descriptor on Linux, a HANDLE on Windows; -1 is "none" on both.
    static constexpr std::intptr_t NoHandle = -1;
    std::intptr_t handle_ = NoHandle;
    std::u16string path_;
};

} // namespace crawl
