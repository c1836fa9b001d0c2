#include "crawl/json/JsonNumber.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>
#include <string_view>
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

// Whether a real that lies outside the doubles' range lies above it (rather than below):
// its first significant digit stands at a positive power of ten. The run has the form
// [-]digits[.digits][(e|E)[+|-]digits], as the converter has just accepted it.
bool IsAboveTheRange(std::string_view bytes) noexcept
{
    const std::size_t exponentAt = std::min(bytes.find_first_of("eE"), bytes.size());
    const std::string_view mantissa = bytes.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string_view::npos) {
        return false; // zero, never out of range
    }
    // The power of ten of the first significant digit, before the exponent.
    std::int64_t power = firstSignificant < point
                             ? static_cast<std::int64_t>(point - firstSignificant - 1)
                             : -static_cast<std::int64_t>(firstSignificant - point);
    std::string_view exponent = bytes.substr(std::min(exponentAt + 1, bytes.size()));
    const bool negativeExponent = !exponent.empty() && exponent.front() == '-';
    if (!exponent.empty() && (exponent.front() == '-' || exponent.front() == '+')) {
        exponent.remove_prefix(1);
    }
    // An exponent of more digits than this outweighs any mantissa a text can hold.
    constexpr std::size_t MaxExponentDigits = 12;
    exponent = exponent.substr(std::min(exponent.find_first_not_of('0'), exponent.size()));
    if (exponent.size() > MaxExponentDigits) {
        return !negativeExponent;
    }
    std::int64_t exponentValue = 0;
    for (const char digit : exponent) {
        exponentValue = exponentValue * 10 + (digit - '0');
    }
    power += negativeExponent ? -exponentValue : exponentValue;
    return power > 0;
}

// Also takes the integers and fixed-point numbers that do not fit 64 bits. A well-formed real
// beyond the doubles' range never fails the parse: below it reads as 0, above it as the largest
// finite double of its sign (which renders as a number, where infinity would not).
JsonNode* DoubleNode(const std::string& bytes)
{
    double value = 0;
    const char* end = bytes.data() + bytes.size();
    const auto [stop, error] = std::from_chars(bytes.data(), end, value);
    if (stop != end || (error != std::errc() && error != std::errc::result_out_of_range)) {
        return nullptr;
    }
    if (error == std::errc::result_out_of_range) {
        const double largest = std::numeric_limits<double>::max();
        value = !IsAboveTheRange(bytes) ? 0.0 : bytes.front() == '-' ? -largest : largest;
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
