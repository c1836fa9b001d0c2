#include "crawl/json/JsonValue.h"

#include "crawl/json/JsonNode.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace crawl::json {
namespace {

constexpr bool IsDigit(char16_t c) noexcept
{
    return c >= u'0' && c <= u'9';
}

// "name[index]": the item of the array that `node` holds; null when it holds no array or
// the index is not one of its items. `index` is the text between the brackets.
const JsonNode* ItemOf(const JsonNode* node, std::u16string_view index) noexcept
{
    if (node->type != JsonType::stArray || index.empty()) {
        return nullptr;
    }
    std::uint64_t value = 0;
    for (const char16_t c : index) {
        if (!IsDigit(c)) {
            return nullptr;
        }
        value = value * 10 + (c - u'0');
        if (value >= node->count) {
            return nullptr; // also keeps the number from overflowing
        }
    }
    return node->Items()[value];
}

// One step of a path: a name, optionally followed by "[index]" once or more.
const JsonNode* Step(const JsonNode* node, std::u16string_view step) noexcept
{
    const std::size_t bracket = step.find(u'[');
    const std::u16string_view name = step.substr(0, bracket);
    if (name.empty() || node->type != JsonType::stObject) {
        return nullptr;
    }
    node = node->FindMember(name);
    std::u16string_view rest =
        bracket == std::u16string_view::npos ? std::u16string_view() : step.substr(bracket);
    while (node != nullptr && !rest.empty()) {
        const std::size_t close = rest.find(u']');
        if (rest.front() != u'[' || close == std::u16string_view::npos) {
            return nullptr;
        }
        node = ItemOf(node, rest.substr(1, close - 1));
        rest.remove_prefix(close + 1);
    }
    return node;
}

} // namespace

JsonValue::JsonValue(const JsonValue& other) noexcept : node_(other.node_)
{
    if (node_ != nullptr) {
        Retain(node_);
    }
}

JsonValue::JsonValue(JsonValue&& other) noexcept : node_(std::exchange(other.node_, nullptr))
{
}

JsonValue& JsonValue::operator=(const JsonValue& other) noexcept
{
    JsonValue copy(other);
    std::swap(node_, copy.node_);
    return *this;
}

JsonValue& JsonValue::operator=(JsonValue&& other) noexcept
{
    JsonValue taken(std::move(other));
    std::swap(node_, taken.node_);
    return *this;
}

JsonValue::~JsonValue()
{
    if (node_ != nullptr) {
        Release(node_);
    }
}

JsonType JsonValue::Type() const noexcept
{
    return node_->type;
}

JsonValue JsonValue::ObjectAt(std::u16string_view path) const
{
    const JsonNode* node = node_;
    if (node == nullptr) {
        return {};
    }
    for (;;) {
        const std::size_t dot = path.find(u'.');
        node = Step(node, path.substr(0, dot));
        if (node == nullptr) {
            return {};
        }
        if (dot == std::u16string_view::npos) {
            break;
        }
        path.remove_prefix(dot + 1);
    }
    Retain(node);
    return JsonValue(node);
}

std::u16string JsonValue::StringAt(std::u16string_view path) const
{
    const JsonValue value = ObjectAt(path);
    return value ? value.AsString() : std::u16string();
}

std::int64_t JsonValue::IntegerAt(std::u16string_view path) const
{
    const JsonValue value = ObjectAt(path);
    return value ? value.AsInteger() : 0;
}

JsonArray JsonValue::AsArray() const noexcept
{
    return node_ != nullptr && node_->type == JsonType::stArray ? JsonArray(node_) : JsonArray();
}

std::int32_t JsonArray::Length() const noexcept
{
    if (node_ == nullptr) {
        return 0;
    }
    // Items past the 32-bit count (a text of more than 4 GB) stay out of reach.
    return static_cast<std::int32_t>(
        std::min<std::uint32_t>(node_->count, std::numeric_limits<std::int32_t>::max()));
}

JsonValue JsonArray::Item(std::int32_t index) const
{
    if (index < 0 || index >= Length()) {
        return {};
    }
    const JsonNode* item = node_->Items()[index];
    Retain(item);
    return JsonValue(item);
}

} // namespace crawl::json
