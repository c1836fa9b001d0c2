#include "crawl/record/HtmlToText.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace crawl {
namespace {

struct CleanCase {
    const char* name;
    std::u16string text;
    std::u16string cleaned;
};

class HtmlToTextTest : public testing::TestWithParam<CleanCase> {};

TEST_P(HtmlToTextTest, Cleans)
{
    EXPECT_EQ(HtmlToText(GetParam().text), GetParam().cleaned);
}

INSTANTIATE_TEST_SUITE_P(
    Entities, HtmlToTextTest,
    testing::Values(CleanCase{"Empty", u"", u""},
                    CleanCase{"PlainTextUnchanged", u"ООО Ромашка; 1 > 0", u"ООО Ромашка; 1 > 0"},
                    CleanCase{"NoBreakSpace", u"Пр-т Мира, д.&nbsp;1", u"Пр-т Мира, д. 1"},
                    CleanCase{"BulletDashes", u"&bull;a&mdash;b&ndash;c", u"-a-b-c"},
                    CleanCase{"Ampersand", u"A&amp;B", u"A&B"},
                    CleanCase{"Times", u"2&times;3", u"2x3"},
                    CleanCase{"Quotes", u"ООО &quot;Ромашка&quot; &laquo;Р&raquo;",
                              u"ООО \"Ромашка\" \"Р\""},
                    CleanCase{"Apostrophe", u"O&#039;Brien", u"O'Brien"},
                    CleanCase{"GreaterThan", u"a &gt; b", u"a > b"},
                    CleanCase{"LessThanCutsTheRest", u"a &lt; b", u"a "},
                    CleanCase{"OtherEntitiesStay", u"&copy; &#34; &NBSP; &apos;",
                              u"&copy; &#34; &NBSP; &apos;"},
                    CleanCase{"DoublyEscapedQuote", u"&amp;quot;x&amp;quot;", u"\"x\""},
                    CleanCase{"DoublyEscapedEarlierEntityStays", u"&amp;nbsp;", u"&nbsp;"},
                    CleanCase{"DecodedTextIsNotRescanned", u"&amp;amp;", u"&amp;"},
                    CleanCase{"EscapedTagRemoved", u"a&lt;b&gt;c", u"ac"},
                    CleanCase{"EscapedBreakBecomesSpace", u"a&lt;br&gt;b", u"a b"}),
    CaseName<CleanCase>);

INSTANTIATE_TEST_SUITE_P(
    BreaksAndTags, HtmlToTextTest,
    testing::Values(CleanCase{"BreakTagIsSpace", u"+7 (495) 123-45-67<br>+7 (916) 123-45-67",
                              u"+7 (495) 123-45-67 +7 (916) 123-45-67"},
                    CleanCase{"SelfClosingBreakIsATag",
                              u"+7 (495) 123-45-67<br />+7 (916) 123-45-67",
                              u"+7 (495) 123-45-67+7 (916) 123-45-67"},
                    CleanCase{"UpperCaseBreakIsATag", u"a<BR>b", u"ab"},
                    CleanCase{"LineBreaksAndTabsDropped", u"Мо\r\nск\tва\n", u"Москва"},
                    CleanCase{"ParagraphPair", u"<p class=\"x\">Текст</p>", u"Текст"},
                    CleanCase{"TagInsideAWord", u"Ром<b>а</b>шка", u"Ромашка"},
                    CleanCase{"TagBetweenBlanks", u"a < b > c", u"a  c"},
                    CleanCase{"UnclosedAtTheEnd", u"Москва<", u"Москва"},
                    CleanCase{"UnclosedAfterATag", u"<i>x</i>y<z", u"xy"},
                    CleanCase{"TagFromTheFirstOpening", u"<<a>b>c", u"b>c"},
                    CleanCase{"LoneClosingBracketStays", u"a>b", u"a>b"},
                    CleanCase{"NothingButTags", u"<p></p><br/>", u""},
                    CleanCase{"BlanksAroundKept", u"  <b>x</b>  ", u"  x  "}),
    CaseName<CleanCase>);

TEST(ReplaceDoubleQuotes, ReplacesOnlyTheDoubleQuoteCharacter)
{
    EXPECT_EQ(ReplaceDoubleQuotes(u"ООО \"Ромашка\""), u"ООО 'Ромашка'");
    EXPECT_EQ(ReplaceDoubleQuotes(u"\"\"\""), u"'''");
    EXPECT_EQ(ReplaceDoubleQuotes(u"«Р» “x” 'y' ;"), u"«Р» “x” 'y' ;");
}

} // namespace
} // namespace crawl
