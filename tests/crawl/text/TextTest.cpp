#include "crawl/text/Text.h"

#include <gtest/gtest.h>

namespace crawl {
namespace {

TEST(Trim, RemovesEveryCodeUpToSpaceAtBothEndsOnly)
{
    EXPECT_EQ(Trim(u"\x01\t\r\n abc d \x1F\x20"), u"abc d");
    EXPECT_EQ(Trim(u" \t "), u"");
    // A no-break space is above code 32 and stays.
    EXPECT_EQ(Trim(u"\u00A0x\u00A0"), u"\u00A0x\u00A0");
}

TEST(ReplaceAll, DoesNotRescanWhatItInserted)
{
    EXPECT_EQ(ReplaceAll(u"&amp;quot;", u"&amp;", u"&"), u"&quot;");
    EXPECT_EQ(ReplaceAll(u"aaa", u"a", u"aa"), u"aaaaaa");
    EXPECT_EQ(ReplaceAll(u"abc", u"", u"x"), u"abc");
}

TEST(Utf8, RoundTripsCyrillicAndAstralCharacters)
{
    const std::u16string text = u"Привет, \U0001F600 мир";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"Ж"), "\xD0\x96");
}

TEST(Utf8, InvalidSequencesBecomeReplacementCharacters)
{
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xD0"), u"\uFFFD");           // cut short
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong
}

TEST(SplitLines, AcceptsEveryBreakAndIgnoresTheLastOne)
{
    const std::vector<std::u16string> expected{u"a", u"", u"b", u"c"};
    EXPECT_EQ(SplitLines(u"a\r\n\rb\nc\r\n"), expected);
    EXPECT_TRUE(SplitLines(u"").empty());
}

TEST(IntToText, WritesSignedDecimal)
{
    EXPECT_EQ(IntToText(0), u"0");
    EXPECT_EQ(IntToText(-2147483648LL), u"-2147483648");
}

} // namespace
} // namespace crawl
