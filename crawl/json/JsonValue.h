#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Read-only access to the registry's JSON answers. Reading never throws: a failed parse or a
// missing value reads as nothing (an empty JsonValue / JsonArray), the empty text or 0.
namespace crawl::json {

// Ordinal order matters: it is the order in which the types are listed for the registry's data.
enum class JsonType { stNull, stBoolean, stDouble, stCurrency, stInt, stObject, stArray, stString };

class JsonArray;
struct JsonNode;

// A shared reference to one immutable parsed value, or nothing. Copies share the value
// (atomic reference count); a value taken out of a tree keeps its own subtree alive.
class JsonValue {
public:
    JsonValue() noexcept = default; // nothing
    JsonValue(const JsonValue& other) noexcept;
    JsonValue(JsonValue&& other) noexcept;
    JsonValue& operator=(const JsonValue& other) noexcept;
    JsonValue& operator=(JsonValue&& other) noexcept;
    ~JsonValue();

    // False for nothing.
    explicit operator bool() const noexcept { return node_ != nullptr; }

    // Of a present value only.
    JsonType Type() const noexcept;

    // Dotted path of names ("data.sro"); each step needs an object. Nothing when the path
    // leads nowhere.
    JsonValue ObjectAt(std::u16string_view path) const;
    // "" when ObjectAt gives nothing, else AsString of the value.
    std::u16string StringAt(std::u16string_view path) const;
    // 0 when ObjectAt gives nothing, else AsInteger of the value.
    std::int64_t IntegerAt(std::u16string_view path) const;
    // The items of an array value; nothing for every other type.
    JsonArray AsArray() const noexcept;

    std::u16string AsString() const;
    std::int64_t AsInteger() const;

private:
    friend class JsonArray;
    friend JsonValue ParseString(std::u16string_view text);
    explicit JsonValue(const JsonNode* adopted) noexcept : node_(adopted) {}

    const JsonNode* node_ = nullptr;
};

// The item list of an array value. Holds no reference of its own: valid only while the
// value (or the tree holding it) lives.
class JsonArray {
public:
    JsonArray() noexcept = default; // nothing

    explicit operator bool() const noexcept { return node_ != nullptr; }

    std::int32_t Length() const noexcept;
    // Nothing unless 0 <= index < Length().
    JsonValue Item(std::int32_t index) const;

private:
    friend class JsonValue;
    explicit JsonArray(const JsonNode* node) noexcept : node_(node) {}

    const JsonNode* node_ = nullptr;
};

// Relaxed syntax, text after the first complete value ignored; nothing on failure.
JsonValue ParseString(std::u16string_view text);

} // namespace crawl::json
