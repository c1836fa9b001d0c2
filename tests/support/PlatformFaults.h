#pragma once

#include <filesystem>
#include <memory>
#include <string>

// Faults the tests make on the file system, and facts of the platform they run on; each
// platform in a file of its own (PlatformFaultsPosix.cpp, PlatformFaultsWin32.cpp).
namespace testsupport {

// The system's texts for a file that does not exist, and for a path whose folder does not
// exist, as the program's file messages carry them.
std::u16string MissingFileText();
std::u16string MissingFolderText();

// A regular file that exists but cannot be read while this object lives, even by root (who
// ignores file modes). Linux: a link to this process's memory image, whose first page is never
// mapped. Windows: a file held open without sharing. The file is gone again afterwards.
class UnreadableFile {
public:
    explicit UnreadableFile(std::filesystem::path path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

private:
    std::filesystem::path path_;
    std::shared_ptr<void> holder_; // what keeps the file unreadable, where anything must
};

// True when the tests run under Wine rather than on Windows itself (never on Linux).
bool RunningUnderWine();

} // namespace testsupport
