#include "crawl/json/JsonValue.h"

#include <gtest/gtest.h>

#include <string>

namespace crawl::json {
namespace {

struct ParseCase {
    const char* name;
    std::u16string input;
    JsonType type;
    std::u16string text; // AsString of the result
};

// A parse that succeeds: the type of the top value and its rendering, in which texts inside
// containers are quoted, so a bare word and a number stay apart.
void ExpectParse(const ParseCase& c)
{
    SCOPED_TRACE(c.name);
    const JsonValue value = ParseString(c.input);
    ASSERT_TRUE(value);
    EXPECT_EQ(value.Type(), c.type);
    EXPECT_EQ(value.AsString(), c.text);
}

TEST(ParseString, AcceptsRelaxedSyntax)
{
    const ParseCase cases[] = {
        {"comments around the value", u"/* lead */ // line\n {\"a\":1} // tail\n /* end */",
         JsonType::stObject, uR"({"a":1})"},
        {"comments between tokens", u"[1/*x*/,//y\n2]", JsonType::stArray, u"[1,2]"},
        {"apostrophe quotes", u"{'a':'b'}", JsonType::stObject, uR"({"a":"b"})"},
        {"apostrophe inside double quotes", u"[\"it's\"]", JsonType::stArray, uR"(["it's"])"},
        {"unquoted name with a space", u"{a b: 1}", JsonType::stObject, uR"({"a b":1})"},
        {"unquoted name keeps what stands before the colon", u"{ a,b :1}", JsonType::stObject,
         uR"({"a,b ":1})"},
        {"escape in an unquoted name", u"{a\\:b:1}", JsonType::stObject, uR"({"a:b":1})"},
        {"trailing comma in an array", u"[1,2,]", JsonType::stArray, u"[1,2]"},
        {"trailing comma in an object", u"{\"a\":1 , }", JsonType::stObject, uR"({"a":1})"},
        {"empty item", u"[,1]", JsonType::stArray, uR"(["",1])"},
        {"lone comma", u"[,]", JsonType::stArray, uR"([""])"},
        {"empty member values", u"{\"a\":,\"b\":1}", JsonType::stObject, uR"({"b":1,"a":""})"},
        {"empty last member value", u"{\"a\": }", JsonType::stObject, uR"({"a":""})"},
        {"leading zeros", u"007", JsonType::stInt, u"7"},
        {"plus sign starts a bare word", u"+5", JsonType::stString, u"+5"},
        {"upper-case keyword is a bare word", u"True", JsonType::stString, u"True"},
        {"longer word is a bare word", u"nulls", JsonType::stString, u"nulls"},
        {"point continues a keyword", u"null.x", JsonType::stString, u"null.x"},
        {"underscore continues a keyword", u"false_", JsonType::stString, u"false_"},
        {"wide character continues a keyword", u"true\u0416", JsonType::stString, u"true\u0416"},
        {"digit does not continue a keyword", u"null5", JsonType::stNull, u"null"},
        {"keywords", u"[null ,true,false]", JsonType::stArray, u"[null,true,false]"},
        {"bare words in an array", u"[a b , c\t,d\r\n]", JsonType::stArray,
         u"[\"a b\",\"c\t\",\"d\"]"},
        {"bare word as member value runs to the brace", u"{k: v ] w }", JsonType::stObject,
         uR"({"k":"v ] w"})"},
        {"escapes in a bare word", u"[a\\,b\\u0416]", JsonType::stArray, u"[\"a,b\u0416\"]"},
        {"parenthesis before values is skipped", u"[(1,((\"x\"]", JsonType::stArray, uR"([1,"x"])"},
        {"text after the value is ignored", u"{\"a\":1} trailing words", JsonType::stObject,
         uR"({"a":1})"},
        {"unclosed things after the value are ignored", u"[1] / \"open [ {", JsonType::stArray,
         u"[1]"},
        {"number at the start of a text", u"502 Bad Gateway", JsonType::stInt, u"502"},
        {"empty text", u"", JsonType::stString, u""},
        {"white space only", u" \t\r\n", JsonType::stString, u""},
        {"page of markup", u"  <html>\r\n<b>x</b>\t\r\n \r\n", JsonType::stString,
         u"<html>\r\n<b>x</b>\t"},
        {"byte order mark starts a bare word", u"\uFEFF{\"a\":1}", JsonType::stString,
         u"\uFEFF{\"a\":1}"},
        {"input ends at its first character 0", std::u16string(u"ab\0[", 4), JsonType::stString,
         u"ab"},
        {"control characters in quotes are kept", u"\"a\x01\tb\"", JsonType::stString, u"a\x01\tb"},
        // Characters of code 256 and above whose low byte is syntax act as letters.
        {"wide comma and bracket inside a bare word", u"[a\u012Cb\u015D]", JsonType::stArray,
         u"[\"a\u012Cb\u015D\"]"},
        {"wide quote starts a bare word", u"\u0122x\u0122", JsonType::stString, u"\u0122x\u0122"},
        {"wide colon inside an unquoted name", u"{a\u013Ab:1}", JsonType::stObject,
         u"{\"a\u013Ab\":1}"},
    };
    for (const ParseCase& c : cases) {
        ExpectParse(c);
    }
}

TEST(ParseString, DecodesEveryEscape)
{
    const ParseCase cases[] = {
        {"single-letter escapes", uR"("\b\t\n\f\r")", JsonType::stString, u"\b\t\n\f\r"},
        {"quotes, backslash and slash", uR"("\"\'\\\/")", JsonType::stString, u"\"'\\/"},
        {"any other character stands for itself", uR"("\q\ ")", JsonType::stString, u"q "},
        {"four hex digits", uR"("\u0416\u00e9")", JsonType::stString, u"\u0416\u00E9"},
        {"two hex digits", uR"('\x41\xFF')", JsonType::stString, u"A\u00FF"},
        {"code 0", uR"("a\u0000b")", JsonType::stString, std::u16string(u"a\0b", 3)},
        {"surrogate pair stays two code units", uR"("\uD83D\uDE00")", JsonType::stString,
         u"\U0001F600"},
        {"lone surrogate unchecked", uR"("\uD800")", JsonType::stString, u"\xD800"},
        {"escaped quote in a name", uR"({"a\"b":1})", JsonType::stObject, uR"({"a\"b":1})"},
    };
    for (const ParseCase& c : cases) {
        ExpectParse(c);
    }
}

TEST(ParseString, ConvertsNumberRuns)
{
    const ParseCase cases[] = {
        {"integer", u"12345", JsonType::stInt, u"12345"},
        {"negative integer", u"-7", JsonType::stInt, u"-7"},
        {"smallest integer", u"-9223372036854775808", JsonType::stInt, u"-9223372036854775808"},
        {"two fraction digits", u"1.50", JsonType::stCurrency, u"1.5"},
        {"one zero digit", u"2.0", JsonType::stCurrency, u"2."},
        {"no fraction digit", u"2.", JsonType::stCurrency, u"2."},
        {"zero", u"0.0", JsonType::stCurrency, u"0"},
        {"hundred", u"100.00", JsonType::stCurrency, u"100."},
        {"quarter", u"0.25", JsonType::stCurrency, u"0.25"},
        {"negative half", u"-0.5", JsonType::stCurrency, u"-0.5"},
        {"four fraction digits", u"12.3456", JsonType::stCurrency, u"12.3456"},
        {"negative four fraction digits", u"-12.3456", JsonType::stCurrency, u"-12.3456"},
        {"one ten-thousandth", u"0.0001", JsonType::stCurrency, u"0.0001"},
        {"most negative content", u"-922337203685477.5808", JsonType::stCurrency,
         u"-922337203685477.5808"},
        {"five fraction digits", u"1.23456", JsonType::stDouble, u"1.23456"},
        {"exponent", u"1e3", JsonType::stDouble, u"1000"},
        {"exponent after a point", u"1.5E-7", JsonType::stDouble, u"1.5e-07"},
        {"large exponent", u"1e20", JsonType::stDouble, u"1e+20"},
        {"fifteen significant digits", u"0.12345678901234567", JsonType::stDouble,
         u"0.123456789012346"},
        // Out-of-range integers and fixed-point numbers keep their magnitude as reals.
        {"integer beyond 64 bits", u"123456789012345678901", JsonType::stDouble,
         u"1.23456789012346e+20"},
        {"fixed-point beyond 64 bits", u"123456789012345678.5", JsonType::stDouble,
         u"1.23456789012346e+17"},
        {"number ends its run", u"[12,-3.5]", JsonType::stArray, u"[12,-3.5]"},
        // Reals beyond the doubles' range: an underflow reads as 0, an overflow as the largest
        // finite double of its sign, so one odd value never costs the whole text.
        {"underflow reads as zero", u"[1,1e-400]", JsonType::stArray, u"[1,0]"},
        {"negative underflow reads as zero", u"-1e-400", JsonType::stDouble, u"0"},
        {"underflow despite a positive exponent", u"0." + std::u16string(400, u'0') + u"1e50",
         JsonType::stDouble, u"0"},
        {"overflow reads as the largest double", u"{\"a\":1,\"b\":1e999}", JsonType::stObject,
         u"{\"b\":1.79769313486232e+308,\"a\":1}"},
        {"negative overflow", u"-1e999", JsonType::stDouble, u"-1.79769313486232e+308"},
        {"overflow despite a negative exponent", u"1" + std::u16string(400, u'0') + u"e-50",
         JsonType::stDouble, u"1.79769313486232e+308"},
        {"exponent beyond 64 bits", u"1e99999999999999999999", JsonType::stDouble,
         u"1.79769313486232e+308"},
        {"integer beyond the doubles' range", u"1" + std::u16string(400, u'0'), JsonType::stDouble,
         u"1.79769313486232e+308"},
    };
    for (const ParseCase& c : cases) {
        ExpectParse(c);
    }
}

std::u16string Nested(int depth, std::u16string_view open, std::u16string_view inner,
                      std::u16string_view close)
{
    std::u16string text;
    for (int i = 0; i < depth; ++i) {
        text += open;
    }
    text += inner;
    for (int i = 0; i < depth; ++i) {
        text += close;
    }
    return text;
}

TEST(ParseString, GivesNothingOnFailure)
{
    const struct {
        const char* name;
        std::u16string input;
    } cases[] = {
        {"object not closed", u"{\"a\":1"},
        {"text not closed", u"{\"a\":\"x"},
        {"apostrophe text not closed", u"'x"},
        {"text cut by character 0", std::u16string(u"\"ab\0\"", 5)},
        {"items without comma", u"[1 2]"},
        {"array not closed", u"[1,2"},
        {"array closed by a brace", u"[1}"},
        {"object closed by a bracket", u"{\"a\":1]"},
        {"opening bracket only", u"["},
        {"opening brace only", u"{"},
        {"member without colon", u"{\"a\" 1}"},
        {"unquoted name without colon", u"{a}"},
        {"members without comma", u"{\"a\":1 \"b\":2}"},
        {"name beginning with a colon", u"{:1}"},
        {"name beginning with a point", u"{.a:1}"},
        {"name beginning with a bracket", u"{[a:1}"},
        {"name beginning with a parenthesis", u"{(a:1}"},
        {"name beginning with a comma", u"{,}"},
        {"slash that starts no comment", u"/x"},
        {"slash between items", u"[1 / 2]"},
        {"comment never closed", u"/* open"},
        {"backslash at the end of a text", u"\"a\\"},
        {"backslash at the end of a bare word", u"abc\\"},
        {"short u escape", u"\"\\u12\""},
        {"bad u escape digit", u"\"\\u12G4\""},
        {"short x escape in a bare word", u"ab\\x4"},
        {"bad x escape digit", u"'\\xZ1'"},
        {"bad escape in a name", u"{\"\\u00\":1}"},
        // Number runs that are no well-formed number.
        {"lone minus", u"-"},
        {"two points", u"1.2.3"},
        {"sign inside the run", u"1-2"},
        {"32 nested arrays", Nested(32, u"[", u"1", u"]")},
        {"32 nested objects", Nested(32, u"{\"a\":", u"1", u"}")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ParseString(c.input));
    }
}

// Texts are scanned several characters at a time; the character that ends a run may stand
// at any place of such a step.
TEST(ParseString, FindsEveryStopCharacterAtAnyOffset)
{
    for (std::size_t n = 0; n < 40; ++n) {
        SCOPED_TRACE(n);
        const std::u16string run(n, u'\u0416');
        const JsonValue quoted = ParseString(u"[\"" + run + u"\\n" + run + u"\"]");
        ASSERT_TRUE(quoted);
        EXPECT_EQ(quoted.AsArray().Item(0).AsString(), run + u"\n" + run);
        const JsonValue bare = ParseString(u"[" + run + u"x," + run + u"y]");
        ASSERT_TRUE(bare);
        EXPECT_EQ(bare.AsString(), u"[\"" + run + u"x\",\"" + run + u"y\"]");
        const JsonValue name = ParseString(u"{" + run + u"k:1}");
        ASSERT_TRUE(name);
        EXPECT_EQ(name.ObjectAt(run + u"k").AsInteger(), 1);
        // The input ends at the character 0 wherever it stands.
        EXPECT_EQ(ParseString(run + std::u16string(1, u'\0') + u"tail").AsString(), run);
        EXPECT_FALSE(ParseString(u"\"" + run + std::u16string(1, u'\0') + u"\""));
    }
}

TEST(ParseString, AcceptsThirtyOneLevels)
{
    const JsonValue arrays = ParseString(Nested(31, u"[", u"1", u"]"));
    ASSERT_TRUE(arrays);
    EXPECT_EQ(arrays.AsString(), Nested(31, u"[", u"1", u"]"));
    // The innermost container at level 31 may be empty: it holds no value at level 32.
    EXPECT_TRUE(ParseString(Nested(32, u"[", u"", u"]")));
    EXPECT_TRUE(ParseString(Nested(31, u"{\"a\":", u"1", u"}")));
}

} // namespace
} // namespace crawl::json
