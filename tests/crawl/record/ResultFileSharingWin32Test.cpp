#include "crawl/record/ResultFile.h"

#include "crawl/text/Text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

// Windows only: while a run writes its result file, other programs may read it but not write it.
namespace crawl {
namespace {

bool Opens(const std::filesystem::path& path, DWORD access)
{
    const HANDLE file = ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(file);
    return true;
}

TEST(ResultFileSharing, OthersMayReadButNotWriteWhileItIsOpen)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("result_sharing_" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) +
         ".csv");
    ResultFile file;
    file.Create(Utf8ToUtf16(path.string()));
    EXPECT_TRUE(Opens(path, GENERIC_READ));
    EXPECT_FALSE(Opens(path, GENERIC_WRITE));
    file.Close();
    EXPECT_TRUE(Opens(path, GENERIC_WRITE));
    std::filesystem::remove(path);
}

} // namespace
} // namespace crawl
