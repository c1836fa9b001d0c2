#include "crawl/json/JsonNumber.h"

#include <charconv>
#include <string>
#include <system_error>

namespace crawl::json {
namespace {

// Digits after the point that still make a fixed-point number (ten-thousandths).
constexpr int CurrencyDigits = 4;

// Runs are ASCII by construction; from_chars wants bytes.
std::string ToBytes(std::u16string_view run)
{
    return std::string(run.begin(), run.end());
}

JsonNode* IntegerNode(std::int64_t value, JsonType type)
{
    JsonNode* node = NewNode(type, 0);
    node->integer = value;
    return node;
}

// Also takes the integers and fixed-point numbers that do not fit 64 bits. Out-of-range reals
// (1e999) are no number here.
JsonNode* DoubleNode(const std::string& bytes)
{
    double value = 0;
    const char* end = bytes.data() + bytes.size();
    const auto [stop, error] = std::from_chars(bytes.data(), end, value);
    if (error != std::errc() || stop != end) {
        return nullptr;
    }
    JsonNode* node = NewNode(JsonType::stDouble, 0);
    node->real = value;
    return node;
}

// Whole-run signed decimal; false on any other form and when the value does not fit.
bool ReadInteger(const std::string& bytes, std::int64_t& value, bool& outOfRange)
{
    const char* end = bytes.data() + bytes.size();
    const auto [stop, error] = std::from_chars(bytes.data(), end, value);
    outOfRange = error == std::errc::result_out_of_range && stop == end;
    return error == std::errc() && stop == end;
}

// Up to 18 digits always fit 64 bits: most runs (ids, counts) are read without a copy.
constexpr std::size_t ShortIntegerDigits = 18;

bool ReadShortInteger(std::u16string_view run, std::int64_t& value) noexcept
{
    const bool negative = !run.empty() && run.front() == u'-';
    const std::u16string_view digits = run.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > ShortIntegerDigits) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        magnitude = magnitude * 10 + (c - u'0');
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

JsonNode* NumberNode(std::u16string_view run)
{
    std::int64_t value = 0;
    if (ReadShortInteger(run, value)) {
        return IntegerNode(value, JsonType::stInt);
    }
    // The point starts a count of the digits after it; an exponent, or a fifth digit, ends
    // the count and makes the number a real.
    bool counting = false;
    bool anyPoint = false;
    int digitsAfterPoint = 0;
    std::size_t points = 0;
    for (const char16_t c : run) {
        if (c == u'.') {
            counting = true;
            anyPoint = true;
            digitsAfterPoint = 0;
            ++points;
        } else if (c == u'e' || c == u'E') {
            counting = false;
        } else if (counting && c >= u'0' && c <= u'9') {
            if (++digitsAfterPoint > CurrencyDigits) {
                counting = false;
            }
        }
    }
    const bool anyExponent = run.find_first_of(u"eE") != std::u16string_view::npos;
    std::string bytes = ToBytes(run);
    bool outOfRange = false;

    if (!anyPoint && !anyExponent) {
        if (ReadInteger(bytes, value, outOfRange)) {
            return IntegerNode(value, JsonType::stInt);
        }
        return outOfRange ? DoubleNode(bytes) : nullptr;
    }
    if (counting) {
        if (points != 1) {
            return nullptr;
        }
        std::string digits = bytes;
        digits.erase(digits.find('.'), 1);
        if (ReadInteger(digits, value, outOfRange)) {
            std::int64_t scale = 1;
            for (int i = digitsAfterPoint; i < CurrencyDigits; ++i) {
                scale *= 10;
            }
            std::int64_t scaled = 0;
            if (!__builtin_mul_overflow(value, scale, &scaled)) {
                return IntegerNode(scaled, JsonType::stCurrency);
            }
            outOfRange = true;
        }
        return outOfRange ? DoubleNode(bytes) : nullptr;
    }
    return DoubleNode(bytes);
}

} // namespace crawl::json
