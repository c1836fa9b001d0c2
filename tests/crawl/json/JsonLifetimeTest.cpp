#include "crawl/json/JsonValue.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

namespace crawl::json {
namespace {

const char16_t* const Page = u"{\"data\":{\"data\":[{\"id\":1,\"name\":\"first\"},"
                             u"{\"id\":2,\"name\":\"second\",\"tags\":[\"a\",\"b\"]}]}}";

TEST(JsonValue, ValueTakenOutOutlivesItsRoot)
{
    JsonValue root = ParseString(Page);
    ASSERT_TRUE(root);
    const JsonValue list = root.ObjectAt(u"data.data");
    const JsonValue second = list.AsArray().Item(1);
    root = JsonValue();

    const JsonArray items = list.AsArray();
    ASSERT_EQ(items.Length(), 2);
    EXPECT_EQ(items.Item(0).StringAt(u"name"), u"first");
    EXPECT_EQ(second.AsString(), uR"({"id":2,"tags":["a","b"],"name":"second"})");
}

TEST(JsonValue, InnerValueOutlivesEveryContainer)
{
    JsonValue root = ParseString(Page);
    ASSERT_TRUE(root);
    JsonValue list = root.ObjectAt(u"data.data");
    const JsonValue tags = list.AsArray().Item(1).ObjectAt(u"tags");
    root = JsonValue();
    list = JsonValue();
    EXPECT_EQ(tags.AsString(), uR"(["a","b"])");
    EXPECT_EQ(tags.AsArray().Item(1).AsString(), u"b");
}

TEST(JsonValue, CopiesAndMovesShareOneValue)
{
    JsonValue a = ParseString(u"[1]");
    JsonValue b = a;
    b = b; // self-assignment keeps the value
    EXPECT_EQ(b.AsString(), u"[1]");
    JsonValue c = std::move(a);
    EXPECT_FALSE(a); // NOLINT(bugprone-use-after-move): moved-from is nothing
    c = std::move(c);
    EXPECT_EQ(c.AsString(), u"[1]");
    b = JsonValue();
    EXPECT_EQ(c.AsArray().Item(0).AsInteger(), 1);
}

TEST(JsonValue, CountsReferencesAcrossThreads)
{
    const JsonValue root = ParseString(Page);
    ASSERT_TRUE(root);
    const JsonValue list = root.ObjectAt(u"data.data");
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&list] {
            for (int i = 0; i < 20000; ++i) {
                const JsonValue copy = list;
                const JsonValue item = copy.AsArray().Item(i % 2);
                (void)item;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(root.StringAt(u"data.data"), list.AsString());
    EXPECT_EQ(list.AsArray().Item(1).IntegerAt(u"id"), 2);
}

} // namespace
} // namespace crawl::json
