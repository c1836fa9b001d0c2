#include "crawl/json/JsonValue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace crawl::json {
namespace {

TEST(AsInteger, ConvertsEveryType)
{
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    const struct {
        const char* name;
        std::u16string input;
        std::int64_t integer;
    } cases[] = {
        {"integer", u"12345", 12345},
        {"largest integer", u"9223372036854775807", max},
        {"fixed-point half down to even", u"2.5", 2},
        {"fixed-point half up to even", u"3.5", 4},
        {"negative half to even", u"-2.5", -2},
        {"negative half away to even", u"-3.5", -4},
        {"just above a half", u"2.5001", 3},
        {"just below a half", u"2.4999", 2},
        {"half of zero", u"0.5", 0},
        {"negative below a half", u"-0.4", 0},
        {"real half down to even", u"2.5e0", 2},
        {"real half up to even", u"3.5e0", 4},
        {"real negative half", u"-2.5e0", -2},
        {"real above a half", u"2.50001", 3},
        {"real beyond the range", u"1e19", 0},
        {"real beyond the doubles' range", u"1e999", 0},
        {"real below the doubles' range", u"1e-400", 0},
        {"true", u"true", 1},
        {"false", u"false", 0},
        {"null", u"null", 0},
        {"array", u"[1]", 0},
        {"object", u"{\"a\":1}", 0},
        {"text", u"\"3\"", 3},
        {"text after spaces", u"\"   3\"", 3},
        {"text with plus", u"\"+3\"", 3},
        {"text with minus", u"\"-3\"", -3},
        {"text with a space after", u"\"3 \"", 0},
        {"text after a tab", u"\"\\t3\"", 0},
        {"text with a point", u"\"3.0\"", 0},
        {"empty text", u"\"\"", 0},
        {"sign only", u"\"-\"", 0},
        {"hex after 0x", u"\"0x10\"", 16},
        {"hex after 0X", u"\"0X1f\"", 31},
        {"hex after x", u"\"x10\"", 16},
        {"hex after X", u"\"XFF\"", 255},
        {"hex after dollar", u"\"$1F\"", 31},
        {"negative hex", u"\"-0x10\"", -16},
        {"prefix without digits", u"\"0x\"", 0},
        {"bad hex digit", u"\"0x1G\"", 0},
        {"letters after digits", u"\"12a\"", 0},
        {"largest text", u"\"9223372036854775807\"", max},
        {"smallest text", u"\"-9223372036854775808\"", min},
        {"text above the range", u"\"9223372036854775808\"", 0},
        {"text below the range", u"\"-9223372036854775809\"", 0},
        {"hex above the range", u"\"$FFFFFFFFFFFFFFFF\"", 0},
        {"very long text", u"\"123456789012345678901234567890\"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const JsonValue value = ParseString(c.input);
        ASSERT_TRUE(value);
        EXPECT_EQ(value.AsInteger(), c.integer);
    }
}

} // namespace
} // namespace crawl::json
