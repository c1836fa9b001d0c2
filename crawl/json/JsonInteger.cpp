#include "crawl/json/JsonValue.h"

#include "crawl/json/JsonNode.h"

#include <cmath>
#include <limits>

// The integer of a value. Numbers are rounded half to even; a text is read whole as a signed
// decimal or hexadecimal integer; everything else, and anything out of the signed 64-bit
// range, reads as 0.
namespace crawl::json {
namespace {

constexpr std::int64_t CurrencyScale = 10000;

std::int64_t RoundCurrency(std::int64_t value) noexcept
{
    std::int64_t whole = value / CurrencyScale; // towards zero
    const std::int64_t rest = value % CurrencyScale;
    const std::int64_t step = value < 0 ? -1 : 1;
    const std::int64_t half = CurrencyScale / 2;
    const std::int64_t restSize = rest < 0 ? -rest : rest;
    if (restSize > half || (restSize == half && whole % 2 != 0)) {
        whole += step;
    }
    return whole;
}

// Half to even without relying on the current rounding mode; NaN and values beyond the
// signed 64-bit range give 0.
std::int64_t RoundDouble(double value) noexcept
{
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (!(value >= -limit && value < limit)) {
        return 0;
    }
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) {
        whole += 1;
    }
    if (whole >= limit) {
        return 0;
    }
    return static_cast<std::int64_t>(whole);
}

int DigitValue(char16_t c, int base) noexcept
{
    int digit = 99;
    if (c >= u'0' && c <= u'9') {
        digit = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
        digit = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
        digit = c - u'A' + 10;
    }
    return digit < base ? digit : -1;
}

// Leading spaces, an optional sign, then decimal digits or hexadecimal digits after "$",
// "x", "X", "0x" or "0X"; nothing may follow.
std::int64_t TextToInteger(std::u16string_view text) noexcept
{
    std::size_t at = 0;
    while (at < text.size() && text[at] == u' ') {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    int base = 10;
    const std::u16string_view rest = text.substr(at);
    if (rest.starts_with(u"0x") || rest.starts_with(u"0X")) {
        base = 16;
        at += 2;
    } else if (rest.starts_with(u"$") || rest.starts_with(u"x") || rest.starts_with(u"X")) {
        base = 16;
        at += 1;
    }
    if (at == text.size()) {
        return 0;
    }
    // The magnitude may reach 2^63 for the most negative value.
    constexpr std::uint64_t limit = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = DigitValue(text[at], base);
        if (digit < 0) {
            return 0;
        }
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<unsigned>(digit);
        if (magnitude > limit) {
            return 0;
        }
    }
    if (negative) {
        return static_cast<std::int64_t>(0 - magnitude);
    }
    return magnitude == limit ? 0 : static_cast<std::int64_t>(magnitude);
}

} // namespace

std::int64_t JsonValue::AsInteger() const
{
    if (node_ == nullptr) {
        return 0;
    }
    switch (node_->type) {
    case JsonType::stInt:
        return node_->integer;
    case JsonType::stCurrency:
        return RoundCurrency(node_->integer);
    case JsonType::stDouble:
        return RoundDouble(node_->real);
    case JsonType::stBoolean:
        return node_->boolean ? 1 : 0;
    case JsonType::stString:
        return TextToInteger(node_->Text());
    case JsonType::stNull:
    case JsonType::stObject:
    case JsonType::stArray:
        break;
    }
    return 0;
}

} // namespace crawl::json
