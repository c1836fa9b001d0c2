#include "crawl/platform/ProgramFolder.h"

#include "crawl/text/Text.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace crawl {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, IsTheExecutablesFolderWithTrailingSeparator)
{
    const std::u16string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), static_cast<char16_t>(fs::path::preferred_separator));
    // The test program's folder is writable, so the files live beside it.
    EXPECT_TRUE(fs::exists(fs::path(folder) / TEST_EXECUTABLE_NAME));
}

} // namespace
} // namespace crawl
