#include "crawl/record/ResultFile.h"

#include "crawl/Error.h"
#include "crawl/text/Text.h"
#include "tests/support/PlatformFaults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace crawl {
namespace {

TEST(ResultFileName, CarriesTheSignedTickCount)
{
    EXPECT_EQ(ResultFile::FileName(0), u"data0.csv");
    EXPECT_EQ(ResultFile::FileName(123456), u"data123456.csv");
    EXPECT_EQ(ResultFile::FileName(4294967295U), u"data-1.csv");
    EXPECT_EQ(ResultFile::FullPath(u"/opt/sro/", 2147483648U), u"/opt/sro/data-2147483648.csv");
}

// The header line in code page 1251, written out byte by byte.
const std::string HeaderBytes =
    "\"\xD1\xEE\xEA\xF0\xE0\xF9\xE5\xED\xED\xEE\xE5 \xED\xE0\xE8\xEC\xE5\xED\xEE\xE2\xE0\xED"
    "\xE8\xE5\";\"\xD1\xD0\xCE\";\"\xD1\xF2\xE0\xF2\xF3\xF1 \xF7\xEB\xE5\xED\xE0 \xD1\xD0\xCE\";"
    "\"\xC8\xCD\xCD\";\"\xC4\xE0\xF2\xE0 \xF0\xE5\xE3\xE8\xF1\xF2\xF0\xE0\xF6\xE8\xE8 \xE2 "
    "\xF0\xE5\xE5\xF1\xF2\xF0\xE5\";\"\xD2\xE5\xEB\xE5\xF4\xEE\xED\";\"\xC0\xE4\xF0\xE5\xF1 "
    "\xEC\xE5\xF1\xF2\xEE\xED\xE0\xF5\xEE\xE6\xE4\xE5\xED\xE8\xFF \xFE\xF0\xE8\xE4\xE8\xF7"
    "\xE5\xF1\xEA\xEE\xE3\xEE \xEB\xE8\xF6\xE0\";\"\xC3\xEE\xF0\xEE\xE4\";\"\xD0\xF3\xEA\xEE"
    "\xE2\xEE\xE4\xE8\xF2\xE5\xEB\xFC\";\"\xD1\xF1\xFB\xEB\xEA\xE0\"\r\n";

class ResultFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        const auto* unitTest = testing::UnitTest::GetInstance();
        folder_ = std::filesystem::temp_directory_path() /
                  ("record_tests_" + std::to_string(unitTest->random_seed()) + "_" +
                   unitTest->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        ASSERT_TRUE(std::filesystem::create_directories(folder_));
    }

    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::u16string PathOf(const char* name) const { return Utf8ToUtf16((folder_ / name).string()); }

    static std::string Bytes(const std::u16string& path)
    {
        std::ifstream file(Utf16ToUtf8(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    std::filesystem::path folder_;
};

TEST_F(ResultFileTest, HeaderAndRowsByteForByte)
{
    const std::u16string path = PathOf("data1.csv");
    ResultFile file;
    file.Create(path);
    file.AppendRow({u"ООО \"Ромашка\"", u"", u"Член СРО", u"7701234567", u"2020-01-\"5",
                    u"+7 916; доб. 5", u"", u"Москва", u"Иванов", u"https://h/member/\"7"});
    file.AppendRow({u"Crème", u"中", u"", u"", u"", u"", u"", u"", u"", u""});
    file.Close();

    EXPECT_EQ(Bytes(path),
              HeaderBytes +
                  "\"\xCE\xCE\xCE '\xD0\xEE\xEC\xE0\xF8\xEA\xE0'\";\"\";\"\xD7\xEB\xE5\xED "
                  "\xD1\xD0\xCE\";\"7701234567\";\"2020-01-\"\"5\";\"+7 916; \xE4\xEE\xE1. 5\";"
                  "\"\";\"\xCC\xEE\xF1\xEA\xE2\xE0\";\"\xC8\xE2\xE0\xED\xEE\xE2\";"
                  "\"https://h/member/\"\"7\"\r\n"
                  "\"Creme\";\"?\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n");
}

TEST_F(ResultFileTest, RunWithoutRowsLeavesTheHeaderOnly)
{
    const std::u16string path = PathOf("data2.csv");
    {
        ResultFile file;
        file.Create(path);
    }
    EXPECT_EQ(Bytes(path), HeaderBytes);
}

TEST_F(ResultFileTest, EveryRowReachesTheFileBeforeClose)
{
    const std::u16string path = PathOf("data3.csv");
    ResultFile file;
    file.Create(path);
    EXPECT_EQ(Bytes(path), HeaderBytes);
    file.AppendRow(MemberRecord{.ShortName = u"A"});
    EXPECT_EQ(Bytes(path), HeaderBytes + "\"A\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n");
}

TEST_F(ResultFileTest, ReplacesAFileOfTheSameName)
{
    const std::u16string path = PathOf("data4.csv");
    std::ofstream(Utf16ToUtf8(path), std::ios::binary) << std::string(5000, 'x');
    ResultFile file;
    file.Create(path);
    file.Close();
    EXPECT_EQ(Bytes(path), HeaderBytes);
}

TEST_F(ResultFileTest, CloseTwiceIsSafeAndEndsWriting)
{
    const std::u16string path = PathOf("data5.csv");
    ResultFile file;
    file.Create(path);
    EXPECT_TRUE(file.IsOpen());
    file.Close();
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_THROW(file.AppendRow(MemberRecord{.ShortName = u"late"}), Error);
    EXPECT_EQ(Bytes(path), HeaderBytes);
}

TEST_F(ResultFileTest, FolderThatDoesNotExistGivesTheMessage)
{
    const std::u16string path = PathOf("missing/data6.csv");
    ResultFile file;
    try {
        file.Create(path);
        FAIL() << "Create succeeded";
    } catch (const Error& error) {
        EXPECT_EQ(error.Message(),
                  u"Cannot create file \"" + path + u"\". " + testsupport::MissingFolderText());
    }
    EXPECT_FALSE(file.IsOpen());
}

} // namespace
} // namespace crawl
