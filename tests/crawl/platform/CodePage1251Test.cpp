#include "crawl/platform/CodePage1251.h"

#include "crawl/text/Text.h"

#include <gtest/gtest.h>

#include <string>

namespace crawl {
namespace {

struct EncodeCase {
    const char* name;
    std::u16string text;
    std::string bytes;
};

class ToCodePage1251Test : public testing::TestWithParam<EncodeCase> {};

std::string CaseName(const testing::TestParamInfo<EncodeCase>& caseInfo)
{
    return caseInfo.param.name;
}

TEST_P(ToCodePage1251Test, GivesTheBytes)
{
    EXPECT_EQ(ToCodePage1251(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToCodePage1251Test,
    testing::Values(
        EncodeCase{"Empty", u"", ""}, EncodeCase{"AsciiAsIs", u"Ab1;\"'\r\n", "Ab1;\"'\r\n"},
        EncodeCase{"ZeroCharacterKept", std::u16string(1, u'\0'), std::string(1, '\0')},
        EncodeCase{"CyrillicEnds", u"АЯаяС", "\xC0\xDF\xE0\xFF\xD1"},
        EncodeCase{"YoAndNumberSign", u"ЁёЂ№", "\xA8\xB8\x80\xB9"},
        EncodeCase{"Punctuation", u"‚„…–—€«»\u00A0", "\x82\x84\x85\x96\x97\x88\xAB\xBB\xA0"},
        EncodeCase{"UkrainianAndBelarusian", u"ЄІЇҐєіїґЎў",
                   "\xAA\xB2\xAF\xA5\xBA\xB3\xBF\xB4\xA1\xA2"},
        EncodeCase{"AccentedLatinToBaseLetter", u"ÀÉîõÜçÑÿ", "AEioUcNy"},
        EncodeCase{"LatinWithoutStandIn", u"Æß×", "???"},
        EncodeCase{"ChineseCharacter", u"x中y", "x?y"},
        EncodeCase{"ReplacementCharacter", u"\uFFFD", "?"},
        EncodeCase{"SurrogatePairIsOneCharacter", u"a\U0001F600b", "a?b"},
        EncodeCase{"LoneSurrogates", std::u16string{u'\xD83D', u'a', u'\xDE00'}, "?a?"}),
    CaseName);

// The upper half of the code page as written in its published table, 0x98 left out.
constexpr char UpperHalfUtf8[] =
    "ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏђ‘’“”•–—™љ›њќћџ\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Ї°±Ііґµ¶·ё№є»јЅѕї"
    "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя";

std::string UpperHalfBytes()
{
    std::string bytes;
    for (int code = 0x80; code <= 0xFF; ++code) {
        if (code != 0x98) {
            bytes.push_back(static_cast<char>(code));
        }
    }
    return bytes;
}

TEST(CodePage1251, UpperHalfMatchesThePublishedTable)
{
    EXPECT_EQ(FromCodePage1251(UpperHalfBytes()), Utf8ToUtf16(UpperHalfUtf8));
    EXPECT_EQ(ToCodePage1251(Utf8ToUtf16(UpperHalfUtf8)), UpperHalfBytes());
}

TEST(CodePage1251, EveryAssignedByteRoundTrips)
{
    std::string bytes;
    for (int code = 1; code <= 0xFF; ++code) {
        if (code != 0x98) {
            bytes.push_back(static_cast<char>(code));
        }
    }
    bytes.push_back('\0');
    ASSERT_EQ(bytes.size(), 255U);
    const std::u16string text = FromCodePage1251(bytes);
    ASSERT_EQ(text.size(), bytes.size());
    EXPECT_EQ(ToCodePage1251(text), bytes);
}

TEST(CodePage1251, UnassignedByteDecodesAsReplacementCharacter)
{
    EXPECT_EQ(FromCodePage1251("a\x98z"), u"a\uFFFDz");
    EXPECT_EQ(ToCodePage1251(FromCodePage1251("\x98")), "?");
}

} // namespace
} // namespace crawl
