#pragma once

#include "crawl/json/JsonNode.h"

#include <cstddef>
#include <cstdint>

// Building the container nodes once their contents are parsed.
namespace crawl::json {

// A member while its object is read: its name lies in a buffer of the parser.
struct PendingMember {
    const JsonNode* value;
    std::uint32_t hash;
    std::uint32_t nameOffset;
    std::uint32_t nameLength;
    std::uint32_t position; // order in the text; the later of two equal names wins
};

// Takes over the references of the items.
const JsonNode* NewArray(const JsonNode* const* items, std::size_t count);

// Puts the members into member order, keeps the later value of a name given twice and
// builds the node. Takes over the references of the members (the dropped ones are released)
// once it returns; when it throws, the caller still holds them all.
const JsonNode* NewObject(PendingMember* members, std::size_t count, const char16_t* names);

} // namespace crawl::json
