#include "crawl/json/JsonValue.h"

#include <gtest/gtest.h>

#include <string>

namespace crawl::json {
namespace {

TEST(ObjectAt, NullMemberIsAPresentValue)
{
    const JsonValue root = ParseString(u"{\"room\":null}");
    ASSERT_TRUE(root);
    EXPECT_EQ(root.StringAt(u"room"), u"null");
    EXPECT_EQ(root.IntegerAt(u"room"), 0);
    const JsonValue room = root.ObjectAt(u"room");
    ASSERT_TRUE(room);
    EXPECT_EQ(room.Type(), JsonType::stNull);
    EXPECT_FALSE(room.AsArray());
    EXPECT_EQ(room.StringAt(u"title"), u"");
}

TEST(ObjectAt, MissingMemberGivesNothing)
{
    const JsonValue root = ParseString(u"{\"Id\":5}");
    ASSERT_TRUE(root);
    EXPECT_FALSE(root.ObjectAt(u"id")); // letter case counts
    EXPECT_EQ(root.StringAt(u"id"), u"");
    EXPECT_EQ(root.IntegerAt(u"id"), 0);
    EXPECT_EQ(root.IntegerAt(u"Id"), 5);
}

TEST(ObjectAt, EveryIntermediateMustBeAnObject)
{
    const struct {
        const char* name;
        std::u16string input;
    } nowhere[] = {
        {"data missing", u"{\"other\":{\"sro\":1}}"},
        {"data null", u"{\"data\":null}"},
        {"data text", u"{\"data\":\"sro\"}"},
        {"data number", u"{\"data\":5}"},
        {"data array", u"{\"data\":[{\"sro\":1}]}"},
        {"root array", u"[{\"data\":{\"sro\":1}}]"},
        {"empty answer", u""},
        {"markup answer", u"<html>data.sro</html>"},
    };
    for (const auto& c : nowhere) {
        SCOPED_TRACE(c.name);
        const JsonValue root = ParseString(c.input);
        ASSERT_TRUE(root);
        EXPECT_FALSE(root.ObjectAt(u"data.sro"));
        EXPECT_EQ(root.StringAt(u"data.sro"), u"");
        EXPECT_EQ(root.IntegerAt(u"data.sro"), 0);
    }
    const JsonValue root = ParseString(u"{\"data\":{\"sro\":null,\"count\":\"12\"}}");
    ASSERT_TRUE(root);
    const JsonValue sro = root.ObjectAt(u"data.sro");
    ASSERT_TRUE(sro);
    EXPECT_EQ(sro.Type(), JsonType::stNull);
    EXPECT_EQ(root.IntegerAt(u"data.count"), 12);
    EXPECT_EQ(root.ObjectAt(u"data").IntegerAt(u"count"), 12);
}

TEST(ObjectAt, AnswersThatAreNoObjectHoldNothing)
{
    for (const std::u16string_view answer : {u"", u"<html><body>502</body></html>"}) {
        const JsonValue root = ParseString(answer);
        ASSERT_TRUE(root);
        EXPECT_EQ(root.Type(), JsonType::stString);
        EXPECT_FALSE(root.ObjectAt(u"data"));
        EXPECT_FALSE(root.AsArray());
    }
}

TEST(ObjectAt, ReadsPathsWithAndWithoutIndexes)
{
    const JsonValue root =
        ParseString(u"{\"data\":{\"list\":[{\"id\":5},{\"id\":6,\"m\":[[7]]}],\"n\":1}}");
    ASSERT_TRUE(root);
    const struct {
        std::u16string path;
        std::u16string text; // "" for nothing
    } cases[] = {
        {u"data.n", u"1"},
        {u"data.list[0].id", u"5"},
        {u"data.list[1].id", u"6"},
        {u"data.list[1].m[0][0]", u"7"},
        {u"data.list[2]", u""},
        {u"data.list[-1]", u""},
        {u"data.list[x]", u""},
        {u"data.list[]", u""},
        {u"data.list[1", u""},
        {u"data.list[99999999999999999999]", u""},
        {u"data[0]", u""},
        {u"data.n[0]", u""},
        {u"", u""},
        {u"data.", u""},
        {u".data", u""},
        {u"data..n", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        const JsonValue value = root.ObjectAt(c.path);
        EXPECT_EQ(static_cast<bool>(value), !c.text.empty());
        EXPECT_EQ(root.StringAt(c.path), c.text);
    }
}

TEST(ObjectAt, FindsEveryNameOfALargeObject)
{
    // Many names, including pairs with equal hashes ("B" + c and "A" + (c + 129)); the
    // characters lie above 255 so that none of them is syntax.
    std::u16string text = u"{";
    for (int i = 0; i < 300; ++i) {
        const char16_t c = static_cast<char16_t>(0x100 + i);
        text += std::u16string(u"\"B") + c + u"\":" + std::u16string(1, u'1') + u",";
        text += std::u16string(u"\"A") + static_cast<char16_t>(c + 129) + u"\":2,";
    }
    text += u"}";
    const JsonValue root = ParseString(text);
    ASSERT_TRUE(root);
    for (int i = 0; i < 300; ++i) {
        const char16_t c = static_cast<char16_t>(0x100 + i);
        EXPECT_EQ(root.IntegerAt(std::u16string(u"B") + c), 1) << i;
        EXPECT_EQ(root.IntegerAt(std::u16string(u"A") + static_cast<char16_t>(c + 129)), 2) << i;
    }
    EXPECT_FALSE(root.ObjectAt(u"C0"));
}

TEST(ObjectAt, LaterOfTwoEqualNamesWins)
{
    const JsonValue root = ParseString(u"{\"a\":1,\"a\":2}");
    ASSERT_TRUE(root);
    EXPECT_EQ(root.IntegerAt(u"a"), 2);
}

TEST(JsonArray, GivesItemsInsideItsLengthOnly)
{
    const JsonValue root = ParseString(u"{\"items\":[\"x\",null,3],\"object\":{}}");
    ASSERT_TRUE(root);
    const JsonArray items = root.ObjectAt(u"items").AsArray();
    ASSERT_TRUE(items);
    ASSERT_EQ(items.Length(), 3);
    EXPECT_EQ(items.Item(0).AsString(), u"x");
    EXPECT_EQ(items.Item(1).Type(), JsonType::stNull);
    EXPECT_EQ(items.Item(2).AsInteger(), 3);
    EXPECT_FALSE(items.Item(3));
    EXPECT_FALSE(items.Item(-1));
    EXPECT_FALSE(root.ObjectAt(u"object").AsArray());
    EXPECT_FALSE(root.AsArray());

    const JsonValue empty = ParseString(u"[]");
    ASSERT_TRUE(empty.AsArray());
    EXPECT_EQ(empty.AsArray().Length(), 0);
    EXPECT_FALSE(empty.AsArray().Item(0));
}

} // namespace
} // namespace crawl::json
