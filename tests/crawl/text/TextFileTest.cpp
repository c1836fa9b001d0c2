#include "crawl/text/TextFile.h"

#include "crawl/Error.h"
#include "crawl/text/Text.h"
#include "tests/support/PlatformFaults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace crawl {
namespace {

class TextFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("textfile-" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) +
                   "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::u16string PathOf(const std::string& name) const
    {
        return Utf8ToUtf16((folder_ / name).string());
    }
    void WriteBytes(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }
    std::string ReadBytes(const std::string& name) const
    {
        std::ifstream file(folder_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path folder_;
};

struct EncodedCase {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
};

TEST_F(TextFileTest, ReadsEachEncodingAndWritesTheSameBytesBack)
{
    const std::u16string text = u"a\r\nЖ";
    const EncodedCase cases[] = {
        {"utf8 without mark", "a\r\n\xD0\x96", TextEncoding::Utf8},
        {"utf8 with mark",
         "\xEF\xBB\xBF"
         "a\r\n\xD0\x96",
         TextEncoding::Utf8Bom},
        {"utf16 little endian",
         std::string("\xFF\xFE"
                     "a\0\r\0\n\0\x16\x04",
                     10),
         TextEncoding::Utf16LE},
        {"utf16 big endian", std::string("\xFE\xFF\0a\0\r\0\n\x04\x16", 10), TextEncoding::Utf16BE},
        {"windows-1251", "a\r\n\xC6", TextEncoding::Windows1251},
    };
    for (const EncodedCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("in.txt", c.bytes);
        const TextFileContent content = ReadTextFile(PathOf("in.txt"));
        EXPECT_EQ(content.encoding, c.encoding);
        EXPECT_EQ(content.text, text);
        WriteTextFile(PathOf("out.txt"), content.text, content.encoding);
        EXPECT_EQ(ReadBytes("out.txt"), c.bytes);
    }
}

TEST_F(TextFileTest, MarksDecideBeforeContent)
{
    EXPECT_EQ(DetectEncoding(""), TextEncoding::Utf8);
    EXPECT_EQ(DetectEncoding("plain ascii"), TextEncoding::Utf8);
    EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF\xFF"), TextEncoding::Utf8Bom);
    EXPECT_EQ(DetectEncoding("\xFF\xFE"), TextEncoding::Utf16LE);
    EXPECT_EQ(DetectEncoding("\xFE\xFF"), TextEncoding::Utf16BE);
    // Encoded surrogates and overlong forms are not UTF-8: such a file came from elsewhere.
    EXPECT_EQ(DetectEncoding("\xED\xA0\x80"), TextEncoding::Windows1251);
    EXPECT_EQ(DetectEncoding("\xC0\xAF"), TextEncoding::Windows1251);
    EXPECT_EQ(DetectEncoding("\xD0"), TextEncoding::Windows1251);
}

TEST_F(TextFileTest, FailuresNameThePathAndTheReason)
{
    const std::u16string missing = PathOf("missing.txt");
    EXPECT_FALSE(FileExists(missing));
    try {
        ReadTextFile(missing);
        FAIL() << "reading a missing file must fail";
    } catch (const Error& error) {
        EXPECT_EQ(error.Message(),
                  u"Cannot open file \"" + missing + u"\". " + testsupport::MissingFileText());
    }
    const std::u16string inNoFolder = PathOf("no-folder/out.txt");
    try {
        WriteTextFile(inNoFolder, u"x", TextEncoding::Utf8);
        FAIL() << "writing into a missing folder must fail";
    } catch (const Error& error) {
        EXPECT_EQ(error.Message(),
                  u"Cannot create file \"" + inNoFolder + u"\". " + testsupport::MissingFolderText());
    }
}

} // namespace
} // namespace crawl
