#pragma once

#include <windows.h>

#include <string>

// Windows only: a file handle opened by its UTF-16 path, closed on scope exit.
namespace crawl {

class WideFile {
public:
    // CreateFileW with these arguments; Valid() tells whether it opened.
    WideFile(const std::u16string& path, DWORD access, DWORD share, DWORD disposition)
        : handle_(::CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), access, share,
                                nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~WideFile() { Close(); }
    WideFile(const WideFile&) = delete;
    WideFile& operator=(const WideFile&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // True when the handle closed without error (or was not open).
    bool Close()
    {
        const bool closed = !Valid() || ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

} // namespace crawl
