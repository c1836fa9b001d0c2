#include "crawl/json/JsonNode.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace crawl::json {

std::uint32_t MemberHash(std::u16string_view name) noexcept
{
    std::uint32_t hash = 0;
    for (const char16_t c : name) {
        hash = hash * 129u + c + 0x9E370001u;
    }
    return hash;
}

const JsonNode* JsonNode::FindMember(std::u16string_view name) const noexcept
{
    const std::uint32_t hash = MemberHash(name);
    const JsonMember* first = Members();
    const JsonMember* last = first + count;
    const JsonMember* found =
        std::lower_bound(first, last, name, [&](const JsonMember& member, std::u16string_view) {
            return MemberBefore(member.hash, MemberName(member), hash, name);
        });
    if (found == last || found->hash != hash || MemberName(*found) != name) {
        return nullptr;
    }
    return found->value;
}

JsonNode* NewNode(JsonType type, std::size_t extra)
{
    void* memory = ::operator new(sizeof(JsonNode) + extra);
    auto* node = new (memory) JsonNode;
    node->references.store(1, std::memory_order_relaxed);
    node->type = type;
    node->boolean = false;
    node->count = 0;
    node->integer = 0;
    return node;
}

JsonNode* NewText(std::u16string_view text)
{
    JsonNode* node = NewNode(JsonType::stString, text.size() * sizeof(char16_t));
    node->count = static_cast<std::uint32_t>(text.size());
    if (!text.empty()) {
        std::memcpy(const_cast<char16_t*>(node->Characters()), text.data(),
                    text.size() * sizeof(char16_t));
    }
    return node;
}

void Release(const JsonNode* node) noexcept
{
    if (node->references.fetch_sub(1, std::memory_order_acq_rel) != 1) {
        return;
    }
    // Trees come from the parser only, so this recursion is bounded by its depth limit.
    if (node->type == JsonType::stArray) {
        std::for_each_n(node->Items(), node->count, Release);
    } else if (node->type == JsonType::stObject) {
        std::for_each_n(node->Members(), node->count,
                        [](const JsonMember& member) { Release(member.value); });
    }
    node->~JsonNode();
    ::operator delete(const_cast<JsonNode*>(node));
}

} // namespace crawl::json
