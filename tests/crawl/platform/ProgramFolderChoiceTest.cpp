#include "crawl/platform/ProgramFolderChoice.h"

#include "crawl/text/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

// Linux only: the fallback of an installed program, or of one whose folder is not writable.
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

    std::u16string Folder(const std::string& relative, const char* end = "/") const
    {
        return Utf8ToUtf16((root_ / relative).string() + end);
    }
    std::u16string DataFolder() const { return Folder("data/sro-parser"); }
    std::u16string Prefix() const { return Folder("usr", ""); }

    fs::path root_;
};

TEST_F(ChooseProgramFolderTest, WritableExecutableFolderIsKept)
{
    const std::u16string bin = Folder("bin");
    EXPECT_EQ(ChooseProgramFolder(bin, Folder("data", ""), Prefix()), bin);
    EXPECT_FALSE(fs::exists(root_ / "data"));
}

struct PrefixCase {
    const char* name;
    std::string executableFolder;
    const char* prefixEnd;
    bool installed;
};

class InstallPrefixTest : public ChooseProgramFolderTest,
                          public testing::WithParamInterface<PrefixCase> {};

// Whoever runs it, and even when its folder is writable, an installed program keeps its files
// in the data folder.
TEST_P(InstallPrefixTest, ExecutableUnderThePrefixUsesTheDataFolder)
{
    const PrefixCase& prefixCase = GetParam();
    fs::create_directories(root_ / prefixCase.executableFolder);
    const std::u16string executable = Folder(prefixCase.executableFolder);
    EXPECT_EQ(ChooseProgramFolder(executable, Folder("data", ""), Folder("usr", prefixCase.prefixEnd)),
              prefixCase.installed ? DataFolder() : executable);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, InstallPrefixTest,
    testing::Values(PrefixCase{"bin_of_the_prefix", "usr/bin", "", true},
                    PrefixCase{"prefix_given_with_separator", "usr/bin", "/", true},
                    PrefixCase{"prefix_itself", "usr", "", true},
                    PrefixCase{"name_that_only_begins_like_it", "usrlocal/bin", "", false}),
    [](const testing::TestParamInfo<PrefixCase>& row) { return std::string(row.param.name); });

TEST_F(ChooseProgramFolderTest, UnusableExecutableFolderFallsBackToCreatedDataFolder)
{
    const std::u16string absent = Folder("absent");
    EXPECT_EQ(ChooseProgramFolder(absent, Folder("data", ""), Prefix()), DataFolder());
    EXPECT_TRUE(fs::is_directory(root_ / "data" / "sro-parser"));
    // A data home given with its trailing separator gives the same folder.
    EXPECT_EQ(ChooseProgramFolder(absent, Folder("data"), Prefix()), DataFolder());
}

TEST_F(ChooseProgramFolderTest, ReadOnlyExecutableFolderFallsBackToDataFolder)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders; covered by the unusable-folder case";
    }
    fs::permissions(root_ / "bin", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(ChooseProgramFolder(Folder("bin"), Folder("data", ""), Prefix()), DataFolder());
}

} // namespace
} // namespace crawl
