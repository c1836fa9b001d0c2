#include "crawl/json/JsonEscapes.h"

#include <algorithm>

namespace crawl::json {
namespace {

int HexDigit(char16_t c) noexcept
{
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// The code of `digits` hexadecimal digits at `from`; negative when one is no such digit.
int HexCode(const char16_t* from, int digits) noexcept
{
    int code = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = HexDigit(from[i]);
        if (digit < 0) {
            return -1;
        }
        code = code * 16 + digit;
    }
    return code;
}

} // namespace

bool AppendDecoded(const char16_t* begin, const char16_t* end, std::u16string& out)
{
    // The decoded text is never longer than the run: write into room made once.
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(end - begin));
    char16_t* write = out.data() + start;
    for (;;) {
        // Escapes often follow each other (\u0416\u0435...): no scan between them.
        const char16_t* backslash =
            begin != end && *begin == u'\\' ? begin : FindFirstOf(begin, end, u'\\');
        write = std::copy(begin, backslash, write);
        if (backslash == end) {
            break;
        }
        begin = backslash + 1;
        if (begin == end) {
            return false;
        }
        const char16_t c = *begin++;
        int digits = 0;
        switch (c) {
        case u'b':
            *write++ = u'\b';
            break;
        case u't':
            *write++ = u'\t';
            break;
        case u'n':
            *write++ = u'\n';
            break;
        case u'f':
            *write++ = u'\f';
            break;
        case u'r':
            *write++ = u'\r';
            break;
        case u'u':
            digits = 4;
            break;
        case u'x':
            digits = 2;
            break;
        default:
            *write++ = c;
            break;
        }
        if (digits != 0) {
            const int code = end - begin < digits ? -1 : HexCode(begin, digits);
            if (code < 0) {
                return false;
            }
            *write++ = static_cast<char16_t>(code);
            begin += digits;
        }
    }
    out.resize(static_cast<std::size_t>(write - out.data()));
    return true;
}

} // namespace crawl::json
