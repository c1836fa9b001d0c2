#include "crawl/json/JsonBuild.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace crawl::json {

const JsonNode* NewArray(const JsonNode* const* items, std::size_t count)
{
    JsonNode* node = NewNode(JsonType::stArray, count * sizeof(const JsonNode*));
    node->count = static_cast<std::uint32_t>(count);
    if (count != 0) {
        std::memcpy(const_cast<const JsonNode**>(node->Items()), items,
                    count * sizeof(const JsonNode*));
    }
    return node;
}

const JsonNode* NewObject(PendingMember* members, std::size_t count, const char16_t* names)
{
    auto nameOf = [names](const PendingMember& member) {
        return std::u16string_view(names + member.nameOffset, member.nameLength);
    };
    auto sameName = [&](const PendingMember& a, const PendingMember& b) {
        return a.hash == b.hash && nameOf(a) == nameOf(b);
    };
    // Equal names end up side by side, the latest first.
    PendingMember* const end = members + count;
    std::sort(members, end, [&](const PendingMember& a, const PendingMember& b) {
        if (!sameName(a, b)) {
            return MemberBefore(a.hash, nameOf(a), b.hash, nameOf(b));
        }
        return a.position > b.position;
    });
    std::size_t kept = 0;
    std::size_t nameLength = 0;
    for (const PendingMember* member = members; member != end; ++member) {
        if (member == members || !sameName(*member, member[-1])) {
            ++kept;
            nameLength += member->nameLength;
        }
    }

    JsonNode* node =
        NewNode(JsonType::stObject, kept * sizeof(JsonMember) + nameLength * sizeof(char16_t));
    node->count = static_cast<std::uint32_t>(kept);
    auto* stored = const_cast<JsonMember*>(node->Members());
    auto* storedNames = reinterpret_cast<char16_t*>(stored + kept);
    std::uint32_t offset = 0;
    for (const PendingMember* member = members; member != end; ++member) {
        if (member != members && sameName(*member, member[-1])) {
            Release(member->value); // an earlier value of the same name
            continue;
        }
        *stored++ = {member->value, member->hash, offset, member->nameLength};
        std::memcpy(storedNames + offset, names + member->nameOffset,
                    member->nameLength * sizeof(char16_t));
        offset += member->nameLength;
    }
    return node;
}

} // namespace crawl::json
