#include "crawl/json/JsonValue.h"

#include "crawl/json/JsonNode.h"

#include <algorithm>
#include <charconv>

// The text of a value. A text value stands for itself; inside a container every text (and
// every member name) is quoted, with only the double quote, the backslash, "/" and the
// character 0 escaped. No white space is added.
namespace crawl::json {
namespace {

void AppendAscii(std::u16string& out, const char* begin, const char* end)
{
    out.append(begin, end); // widens each byte
}

void AppendInteger(std::u16string& out, std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    AppendAscii(out, buffer, result.ptr);
}

// Ten-thousandths as the shortest fixed-point text that still shows the point:
// 15000 gives "1.5", 20000 gives "2.", 1 gives "0.0001", 0 gives "0".
void AppendCurrency(std::u16string& out, std::int64_t value)
{
    if (value == 0) {
        out += u'0';
        return;
    }
    char buffer[32];
    char* digits = buffer + 1;
    // The magnitude as unsigned, so that the most negative count works too.
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char* end = std::to_chars(digits, buffer + sizeof buffer, magnitude).ptr;
    auto length = end - digits;
    if (length < 5) {
        // Zeros in front up to five digits: one whole digit and four of fraction.
        std::copy_backward(digits, end, digits + 5);
        std::fill(digits, digits + (5 - length), '0');
        end = digits + 5;
    }
    const char* point = end - 4;
    while (end > point && end[-1] == '0') {
        --end;
    }
    if (value < 0) {
        out += u'-';
    }
    AppendAscii(out, digits, point);
    out += u'.';
    AppendAscii(out, point, end);
}

// Reals with 15 significant digits, the form of printf's "%.15g": decimal notation when the
// exponent lies in -4..14, else "d.ddde+XX" with at least two exponent digits; trailing
// zeros and a trailing point are dropped (1.0 gives "1", 1e20 gives "1e+20"). Locale-free.
void AppendDouble(std::u16string& out, double value)
{
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    AppendAscii(out, buffer, result.ptr);
}

void AppendQuoted(std::u16string& out, std::u16string_view text)
{
    out += u'"';
    for (const char16_t c : text) {
        switch (c) {
        case u'"':
            out += u"\\\"";
            break;
        case u'\\':
            out += u"\\\\";
            break;
        case u'/':
            out += u"\\/";
            break;
        case u'\0':
            out += u"\\u0000";
            break;
        default:
            out += c;
            break;
        }
    }
    out += u'"';
}

// Trees come from the parser only, so this recursion is bounded by its depth limit.
void Render(const JsonNode* node, bool insideContainer, std::u16string& out)
{
    switch (node->type) {
    case JsonType::stNull:
        out += u"null";
        break;
    case JsonType::stBoolean:
        out += node->boolean ? u"true" : u"false";
        break;
    case JsonType::stDouble:
        AppendDouble(out, node->real);
        break;
    case JsonType::stCurrency:
        AppendCurrency(out, node->integer);
        break;
    case JsonType::stInt:
        AppendInteger(out, node->integer);
        break;
    case JsonType::stString:
        if (insideContainer) {
            AppendQuoted(out, node->Text());
        } else {
            out += node->Text();
        }
        break;
    case JsonType::stArray:
        out += u'[';
        for (std::uint32_t i = 0; i < node->count; ++i) {
            if (i != 0) {
                out += u',';
            }
            Render(node->Items()[i], true, out);
        }
        out += u']';
        break;
    case JsonType::stObject:
        out += u'{';
        for (std::uint32_t i = 0; i < node->count; ++i) {
            const JsonMember& member = node->Members()[i];
            if (i != 0) {
                out += u',';
            }
            AppendQuoted(out, node->MemberName(member));
            out += u':';
            Render(member.value, true, out);
        }
        out += u'}';
        break;
    }
}

} // namespace

std::u16string JsonValue::AsString() const
{
    std::u16string text;
    if (node_ != nullptr) {
        Render(node_, false, text);
    }
    return text;
}

} // namespace crawl::json
