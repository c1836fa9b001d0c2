#include "crawl/http/Charset.h"
#include "crawl/http/CharsetNames.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace crawl::http {
namespace {

struct CharsetCase {
    const char* name;
    std::u16string contentType;
    std::string body;
    std::string expected;
};

const CharsetCase CharsetCases[] = {
    {"Parameter", u"application/json; charset=utf-8", "{}", "utf-8"},
    {"QuotedParameterAmongOthers", u"text/plain; note=\"a;charset=x\"; CharSet=\"koi8-r\"", "",
     "koi8-r"},
    {"FirstCharsetParameterCounts", u"text/plain;charset=koi8-r;charset=utf-8", "", "koi8-r"},
    {"TextDefaultsToLatin1", u"TEXT/Plain", "", "ISO-8859-1"},
    {"TextXmlDefaultsToAscii", u"text/xml", "", "us-ascii"},
    {"ExternalParsedEntityDefaultsToAscii", u"text/xml-external-parsed-entity", "", "us-ascii"},
    {"TextPlusXmlDefaultsToAscii", u"text/vnd.example+xml", "", "us-ascii"},
    {"OtherTypesHaveNone", u"application/json", "{}", ""},
    {"PlusXmlOutsideTextHasNone", u"image/svg+xml", "<svg/>", ""},
    {"NoContentType", u"", "{}", ""},
    {"HtmlMetaCharsetReplacesTheHeader", u"text/html; charset=utf-8",
     "<html><head><META Charset='windows-1251'></head></html>", "windows-1251"},
    {"HtmlMetaHttpEquiv", u"text/html",
     "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=KOI8-R\">", "KOI8-R"},
    {"HtmlMetaWithoutCharsetKeepsTheHeader", u"text/html",
     "<meta name=\"x\" content=\"charset=koi8-r\"><metadata charset=\"cp866\">", "ISO-8859-1"},
    {"MetaOutsideHtmlIsIgnored", u"text/plain", "<meta charset=\"windows-1251\">", "ISO-8859-1"},
    {"XmlDeclarationReplacesTheHeader", u"application/xml; charset=utf-8",
     "<?xml version=\"1.0\" encoding=\"windows-1251\"?><a/>", "windows-1251"},
    {"XmlDeclarationOfTextXml", u"text/xml", "\r\n<?xml version='1.0' encoding='koi8-r' ?><a/>",
     "koi8-r"},
    {"XmlDeclarationWithoutEncoding", u"text/xml", "<?xml version=\"1.0\"?><a/>", "us-ascii"},
    {"XmlDeclarationNotAtTheStart", u"application/xml",
     "<a/><?xml version=\"1.0\" encoding=\"koi8-r\"?>", ""},
    {"XmlDeclarationOutsideXmlIsIgnored", u"application/json",
     "<?xml version=\"1.0\" encoding=\"koi8-r\"?>", ""},
};

class AnswerCharsetTest : public testing::TestWithParam<CharsetCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, AnswerCharsetTest, testing::ValuesIn(CharsetCases),
                         [](const auto& testInfo) { return testInfo.param.name; });

TEST_P(AnswerCharsetTest, FindsTheCharsetOfTheAnswer)
{
    EXPECT_EQ(AnswerCharset(GetParam().contentType, GetParam().body), GetParam().expected);
}

struct DecodeCase {
    const char* name;
    std::u16string contentType;
    std::string body;
    std::u16string expected;
};

const DecodeCase DecodeCases[] = {
    {"Utf8KeepsCyrillic", u"application/json; charset=utf-8", "{\"a\":\"\xD0\x96\xD0\xB6\"}",
     u"{\"a\":\"Жж\"}"},
    {"Utf8NameInAnyCase", u"application/json;charset=\"UTF-8\"", "\xD0\x96", u"Ж"},
    {"NoCharsetIsOneCharacterPerByte", u"application/json", "{\"a\":\"\xD0\x96\"}",
     u"{\"a\":\"\u00D0\u0096\"}"},
    {"TextWithoutCharsetIsLatin1", u"text/plain", "\xE9\xFF", u"\u00E9\u00FF"},
    {"Windows1251", u"text/plain; charset=windows-1251", "\xC6\xE6", u"Жж"},
    {"Koi8r", u"text/plain; charset=KOI8-R", "\xF6\xD6", u"Жж"},
    {"UnknownNameIsLatin1", u"text/plain; charset=x-no-such-charset", "\xC6", u"\u00C6"},
    {"Utf8ByteOrderMarkStays", u"application/json; charset=utf-8", "\xEF\xBB\xBF{}", u"\uFEFF{}"},
    {"Utf16ByteOrderMarkStaysAndOrderIsBigEndian", u"text/plain; charset=utf-16",
     std::string("\xFE\xFF\x04\x16", 4), u"\uFEFF\u0416"},
    {"InvalidUtf8BecomesReplacement", u"text/plain; charset=utf-8",
     "a\xFF"
     "b",
     u"a\uFFFDb"},
    {"InvalidByteForTheConverterBecomesReplacement", u"text/xml", "<a>\xC6</a>", u"<a>\uFFFD</a>"},
    {"HtmlMetaCharsetDecides", u"text/html; charset=utf-8",
     "<meta charset=\"windows-1251\"><p>\xC6</p>", u"<meta charset=\"windows-1251\"><p>Ж</p>"},
    {"XmlDeclarationDecides", u"application/xml",
     "<?xml version=\"1.0\" encoding=\"koi8-r\"?><a>\xF6</a>",
     u"<?xml version=\"1.0\" encoding=\"koi8-r\"?><a>Ж</a>"},
    {"EmptyBody", u"text/plain; charset=windows-1251", "", u""},
};

class DecodeBodyTest : public testing::TestWithParam<DecodeCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, DecodeBodyTest, testing::ValuesIn(DecodeCases),
                         [](const auto& testInfo) { return testInfo.param.name; });

TEST_P(DecodeBodyTest, DecodesTheWholeBody)
{
    EXPECT_EQ(DecodeBody(GetParam().contentType, GetParam().body), GetParam().expected);
}

struct NameCase {
    const char* name;
    std::string charset;
    std::string bytes;
    std::u16string expected;
};

// Registered names and aliases decode, case ignored; every other name, converter names
// included, reads one character per byte.
const NameCase NameCases[] = {
    {"Utf8", "UTF-8", "\xD0\x96", u"Ж"},
    {"Utf8Alias", "csUTF8", "\xD0\x96", u"Ж"},
    {"Utf8ConverterNameIsNoCharset", "utf8", "\xD0\x96", u"\u00D0\u0096"},
    {"Windows1251", "windows-1251", "\xC6\xE6", u"Жж"},
    {"Windows1251Alias", "cswindows1251", "\xC6", u"Ж"},
    {"Windows1251AliasInOtherCase", "CSWINDOWS1251", "\xC6", u"Ж"},
    {"Cp1251ConverterNameIsNoCharset", "cp1251", "\xC6", u"\u00C6"},
    {"WideCharConverterNameIsNoCharset", "WCHAR_T", std::string("\x16\x04\0\0", 4),
     std::u16string(u"\u0016\u0004\0\0", 4)},
    {"ConverterOptionsAreNoName", "windows-1251//IGNORE", "\xC6", u"\u00C6"},
    {"Koi8r", "KOI8-R", "\xF6", u"Ж"},
    {"Koi8rAlias", "csKOI8R", "\xF6", u"Ж"},
    {"Koi8u", "koi8-u", "\xA4", u"є"},
    {"Iso88595", "ISO-8859-5", "\xB6", u"Ж"},
    {"Iso88595FullName", "ISO_8859-5:1988", "\xB6", u"Ж"},
    {"Iso88595Alias", "csISOLatinCyrillic", "\xB6", u"Ж"},
    {"Ibm866", "IBM866", "\x86", u"Ж"},
    {"Ibm866ByNumber", "866", "\x86", u"Ж"},
    {"Ibm866Cp", "cp866", "\x86", u"Ж"},
    {"Ibm866Alias", "csIBM866", "\x86", u"Ж"},
    {"Latin1", "ISO-8859-1", "\xE9", u"é"},
    {"Latin1Alias", "latin1", "\xE9", u"é"},
    {"Latin2", "l2", "\xB1", u"ą"},
    {"Latin9", "Latin-9", "\xA4", u"€"},
    {"Windows1252", "windows-1252", "\x80", u"€"},
    {"UsAsciiReplacesHighBytes", "US-ASCII", "a\xC6", u"a\uFFFD"},
    {"UsAsciiAlias", "ANSI_X3.4-1968", "a", u"a"},
    {"Utf16IsBigEndian", "UTF-16", std::string("\x04\x16", 2), u"Ж"},
    {"Utf16Le", "UTF-16LE", std::string("\x16\x04", 2), u"Ж"},
    {"Utf16BeAlias", "csUTF16BE", std::string("\x04\x16", 2), u"Ж"},
    {"Utf32IsBigEndian", "UTF-32", std::string("\0\0\x04\x16", 4), u"Ж"},
    {"Utf32Le", "UTF-32LE", std::string("\x16\x04\0\0", 4), u"Ж"},
    {"ShiftJis", "Shift_JIS", "\x82\xA0", u"あ"},
    {"EucJp", "EUC-JP", "\xA4\xA2", u"あ"},
    {"Gb2312", "GB2312", "\xC4\xE3", u"你"},
    {"Gbk", "GBK", "\xC4\xE3", u"你"},
    {"Big5", "Big5", "\xA7\x41", u"你"},
    {"EucKr", "EUC-KR", "\xB0\xA1", u"가"},
    {"Tis620", "TIS-620", "\xA1", u"ก"},
    {"Macintosh", "macintosh", "\x80", u"Ä"},
    {"BlanksAroundTheName", " windows-1251\t", "\xC6", u"Ж"},
    {"RegisteredWithoutWindowsCodePage", "ISO-8859-10", "\xA1", u"\u00A1"},
    {"UnregisteredName", "x-mac-cyrillic", "\x80", u"\u0080"},
    {"EmptyName", "", "\xC6", u"\u00C6"},
};

class CharsetNameTest : public testing::TestWithParam<NameCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, CharsetNameTest, testing::ValuesIn(NameCases),
                         [](const auto& testInfo) { return testInfo.param.name; });

TEST_P(CharsetNameTest, DecodesByTheRegisteredName)
{
    EXPECT_EQ(DecodeCharset(GetParam().charset, GetParam().bytes), GetParam().expected);
}

TEST(WindowsCodePageOfCharset, NamesTheCodePageOfEachCharset)
{
    const std::pair<const char*, unsigned> codePages[] = {
        {"windows-1251", 1251}, {"KOI8-R", 20866},     {"ISO-8859-5", 28595}, {"UTF-16BE", 1201},
        {"UTF-16LE", 1200},     {"UTF-16", 1201},      {"UTF-32BE", 12001},   {"UTF-32LE", 12000},
        {"US-ASCII", 20127},    {"ISO-8859-1", 28591}, {"utf-8", 65001},      {"IBM437", 437},
    };
    for (const auto& [name, codePage] : codePages) {
        EXPECT_EQ(WindowsCodePageOfCharset(name), codePage) << name;
    }
    for (const char* name : {"utf8", "cp1251", "WCHAR_T", "ISO-8859-10", "", "windows-12510"}) {
        EXPECT_EQ(WindowsCodePageOfCharset(name), std::nullopt) << name;
    }
}

TEST(DecodeBody, ConvertsABodyLongerThanOneConverterCall)
{
    // Each byte becomes two bytes of converter output, several chunks' worth.
    const std::string body(50000, '\xC6');
    EXPECT_EQ(DecodeBody(u"text/plain; charset=windows-1251", body), std::u16string(50000, u'Ж'));
}

} // namespace
} // namespace crawl::http
