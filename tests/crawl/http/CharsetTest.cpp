#include "crawl/http/Charset.h"

#include <gtest/gtest.h>

#include <string>

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
    {"ConverterOptionsAreNoName", u"text/plain; charset=\"cp1251//IGNORE\"", "\xC6", u"\u00C6"},
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

TEST(DecodeBody, ConvertsABodyLongerThanOneConverterCall)
{
    // Each byte becomes two bytes of converter output, several chunks' worth.
    const std::string body(50000, '\xC6');
    EXPECT_EQ(DecodeBody(u"text/plain; charset=windows-1251", body), std::u16string(50000, u'Ж'));
}

} // namespace
} // namespace crawl::http
