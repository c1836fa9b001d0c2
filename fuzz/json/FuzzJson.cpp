// Feeds arbitrary bytes to the JSON reader, read three ways (each byte as one character,
// UTF-8, UTF-16 code units), and walks whatever comes back with every read operation.
#include "crawl/json/JsonValue.h"
#include "crawl/text/Text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using crawl::json::JsonArray;
using crawl::json::JsonType;
using crawl::json::JsonValue;
using crawl::json::ParseString;

const std::u16string_view Paths[] = {u"data",    u"data.data", u"data.data[0].id",
                                     u"a",       u"a.b",       u"a[0]",
                                     u"a[1][0]", u"",          u"a..b",
                                     u"[0]",     u"a[",        u"id"};

void Check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

void Walk(const JsonValue& value, std::u16string_view extraPath)
{
    const std::u16string text = value.AsString();
    Check(!text.empty() || value.Type() == JsonType::stString);
    (void)value.AsInteger();
    for (const std::u16string_view path : Paths) {
        const JsonValue found = value.ObjectAt(path);
        Check(static_cast<bool>(found) || value.StringAt(path).empty());
        Check(found || value.IntegerAt(path) == 0);
    }
    (void)value.StringAt(extraPath);
    const JsonArray items = value.AsArray();
    Check(static_cast<bool>(items) == (value.Type() == JsonType::stArray));
    if (items) {
        Check(items.Length() >= 0 && !items.Item(items.Length()) && !items.Item(-1));
        for (std::int32_t i = 0; i < items.Length(); ++i) {
            const JsonValue item = items.Item(i);
            Check(static_cast<bool>(item));
            Walk(item, extraPath);
        }
    }
}

// A container's text reads back as the same tree after one round: only the number kinds may
// settle (a real that reads back as an integer, -0 as 0). Checked at the root only, so the
// cost stays linear in the size of the tree.
void CheckRoundTrip(const JsonValue& root)
{
    if (root.Type() != JsonType::stArray && root.Type() != JsonType::stObject) {
        return;
    }
    const JsonValue once = ParseString(root.AsString());
    if (once) {
        const std::u16string onceText = once.AsString();
        const JsonValue twice = ParseString(onceText);
        Check(twice && twice.AsString() == onceText);
    }
}

void Exercise(std::u16string_view text)
{
    const JsonValue root = ParseString(text);
    if (root) {
        Walk(root, text.substr(0, 12));
        CheckRoundTrip(root);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Exercise(crawl::Latin1ToUtf16(bytes));
    Exercise(crawl::Utf8ToUtf16(bytes));
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    Exercise(units);
    return 0;
}
