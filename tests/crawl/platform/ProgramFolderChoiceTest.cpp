#include "crawl/platform/ProgramFolderChoice.h"

#include "crawl/text/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

// Linux only: the fallback of an installed program whose folder is not writable.
namespace crawl {
namespace {

namespace fs = std::filesystem;

class ChooseProgramFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("programfolder-" + std::to_string(::getpid()));
        fs::create_directories(root_ / "bin");
    }
    void TearDown() override
    {
        fs::permissions(root_ / "bin", fs::perms::owner_all);
        fs::remove_all(root_);
    }

    fs::path root_;
};

TEST_F(ChooseProgramFolderTest, WritableExecutableFolderIsKept)
{
    const std::u16string bin = Utf8ToUtf16((root_ / "bin").string() + "/");
    EXPECT_EQ(ChooseProgramFolder(bin, Utf8ToUtf16((root_ / "data").string())), bin);
    EXPECT_FALSE(fs::exists(root_ / "data"));
}

TEST_F(ChooseProgramFolderTest, UnusableExecutableFolderFallsBackToCreatedDataFolder)
{
    const std::u16string expected = Utf8ToUtf16((root_ / "data" / "sro-parser").string() + "/");
    const std::u16string absent = Utf8ToUtf16((root_ / "absent").string() + "/");
    EXPECT_EQ(ChooseProgramFolder(absent, Utf8ToUtf16((root_ / "data").string())), expected);
    EXPECT_TRUE(fs::is_directory(root_ / "data" / "sro-parser"));
    // A data home given with its trailing separator gives the same folder.
    EXPECT_EQ(ChooseProgramFolder(absent, Utf8ToUtf16((root_ / "data").string() + "/")), expected);
}

TEST_F(ChooseProgramFolderTest, ReadOnlyExecutableFolderFallsBackToDataFolder)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders; covered by the unusable-folder case";
    }
    fs::permissions(root_ / "bin", fs::perms::owner_read | fs::perms::owner_exec);
    const std::u16string bin = Utf8ToUtf16((root_ / "bin").string() + "/");
    EXPECT_EQ(ChooseProgramFolder(bin, Utf8ToUtf16((root_ / "data").string())),
              Utf8ToUtf16((root_ / "data" / "sro-parser").string() + "/"));
}

} // namespace
} // namespace crawl
