#include "crawl/json/JsonValue.h"

#include <gtest/gtest.h>

#include <string>

namespace crawl::json {
namespace {

TEST(AsString, RendersEveryKindOfValue)
{
    const struct {
        const char* name;
        std::u16string input;
        std::u16string text;
    } cases[] = {
        {"members in descending hash order", u"{\"a\":1,\"b\":2}", uR"({"b":2,"a":1})"},
        {"address parts", u"{\"city\":\"c\",\"room\":\"r\",\"house\":\"h\",\"street\":\"s\"}",
         uR"({"street":"s","house":"h","room":"r","city":"c"})"},
        // "BA" and "A\u00C2" have the same hash; then the name decides, code unit by unit.
        {"equal hashes by name", u"{\"BA\":1,\"A\u00C2\":2}", u"{\"A\u00C2\":2,\"BA\":1}"},
        {"equal hashes in the other text order", u"{\"A\u00C2\":2,\"BA\":1}",
         u"{\"A\u00C2\":2,\"BA\":1}"},
        {"later of two equal names", u"{\"a\":1,\"b\":0,\"a\":2,\"a\":3}", uR"({"b":0,"a":3})"},
        {"null member", u"{\"room\":null}", uR"({"room":null})"},
        {"null", u"null", u"null"},
        {"booleans", u"[true,false]", u"[true,false]"},
        {"empty array", u"[]", u"[]"},
        {"empty object", u"{ }", u"{}"},
        {"empty containers nested", u"[[],{},[{}]]", u"[[],{},[{}]]"},
        {"top text stays raw", uR"("a/b \"q\" \\")", uR"(a/b "q" \)"},
        {"texts inside are escaped", uR"(["a/b","q\"q","back\\slash","nul\u0000"])",
         uR"(["a\/b","q\"q","back\\slash","nul\u0000"])"},
        {"names and nested texts are escaped", uR"({"k/\"":["x/",{"\\":"\u0000"}]})",
         uR"({"k\/\"":["x\/",{"\\":"\u0000"}]})"},
        {"control characters stay unchanged", u"[\"line\\nbreak\\t\x01\"]",
         u"[\"line\nbreak\t\x01\"]"},
        {"numbers inside containers", u"[7,-1.50,2.0,1e20,0.0]", u"[7,-1.5,2.,1e+20,0]"},
        {"real with a whole value", u"1.0e0", u"1"},
        {"real below one", u"0.000012345", u"1.2345e-05"},
        {"smallest decimal exponent", u"1e-4", u"0.0001"},
        {"largest decimal exponent", u"123456789012345e0", u"123456789012345"},
        {"first exponent form", u"1e15", u"1e+15"},
        {"three exponent digits", u"-2.5e-300", u"-2.5e-300"},
        {"negative zero", u"-0e0", u"-0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const JsonValue value = ParseString(c.input);
        ASSERT_TRUE(value);
        EXPECT_EQ(value.AsString(), c.text);
    }
}

TEST(AsString, WholeTextOfCyrillicValuesIsUnchanged)
{
    const JsonValue value =
        ParseString(u"{\"name\":\"\\u041E\\u041E\\u041E \u00ABРомашка\u00BB\"}");
    ASSERT_TRUE(value);
    EXPECT_EQ(value.StringAt(u"name"), u"ООО \u00ABРомашка\u00BB");
    EXPECT_EQ(value.AsString(), u"{\"name\":\"ООО \u00ABРомашка\u00BB\"}");
}

} // namespace
} // namespace crawl::json
