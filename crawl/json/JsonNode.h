#pragma once

#include "crawl/json/JsonValue.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The node layout behind JsonValue. One allocation per value: a fixed head followed by the
// value's own data (the characters of a text, the item pointers of an array, the members and
// then the characters of the names of an object).
namespace crawl::json {

// One member of an object. The members of an object are stored in member order: descending
// hash of the name, then ascending name; that order is both the rendering order and the key
// of the binary search that finds a name.
struct JsonMember {
    const JsonNode* value;
    std::uint32_t hash;
    std::uint32_t nameOffset; // into the object's name characters
    std::uint32_t nameLength;
};

struct JsonNode {
    mutable std::atomic<std::uint32_t> references;
    JsonType type;
    bool boolean;
    std::uint32_t count; // characters of a text, items of an array, members of an object
    union {
        std::int64_t integer; // stInt; stCurrency in ten-thousandths
        double real;          // stDouble
    };

    const char16_t* Characters() const noexcept
    {
        return reinterpret_cast<const char16_t*>(this + 1);
    }
    std::u16string_view Text() const noexcept { return {Characters(), count}; }

    const JsonNode* const* Items() const noexcept
    {
        return reinterpret_cast<const JsonNode* const*>(this + 1);
    }

    const JsonMember* Members() const noexcept
    {
        return reinterpret_cast<const JsonMember*>(this + 1);
    }
    std::u16string_view MemberName(const JsonMember& member) const noexcept
    {
        const auto* names = reinterpret_cast<const char16_t*>(Members() + count);
        return {names + member.nameOffset, member.nameLength};
    }
    // The value of the member of that name, or null.
    const JsonNode* FindMember(std::u16string_view name) const noexcept;
};

static_assert(sizeof(JsonNode) % alignof(JsonMember) == 0);
static_assert(alignof(JsonMember) % alignof(char16_t) == 0);

// h = h * 129 + c + 0x9E370001 over the UTF-16 code units, modulo 2^32.
std::uint32_t MemberHash(std::u16string_view name) noexcept;

// True when the member (hash, name) comes before (otherHash, otherName) in member order.
inline bool MemberBefore(std::uint32_t hash, std::u16string_view name, std::uint32_t otherHash,
                         std::u16string_view otherName) noexcept
{
    if (hash != otherHash) {
        return hash > otherHash;
    }
    return name < otherName;
}

// New nodes hold one reference. `extra` is the size of the data after the head.
JsonNode* NewNode(JsonType type, std::size_t extra);
JsonNode* NewText(std::u16string_view text);

inline void Retain(const JsonNode* node) noexcept
{
    node->references.fetch_add(1, std::memory_order_relaxed);
}
// Frees the node, and what only it holds, when this was the last reference.
void Release(const JsonNode* node) noexcept;

} // namespace crawl::json
