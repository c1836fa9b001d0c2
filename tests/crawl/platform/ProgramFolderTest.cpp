#include "crawl/platform/ProgramFolder.h"

#include "crawl/text/Text.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace crawl {
namespace {

TEST(ProgramFolder, IsTheExecutablesFolderWithTrailingSeparator)
{
    const std::string folder = Utf16ToUtf8(ProgramFolder());
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "platform_tests"));
}

} // namespace
} // namespace crawl
